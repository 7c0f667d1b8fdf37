// The progress dialog: one second after it opens it runs the install, logging
// a line per copied and registered file, and then shows the verdict in its
// caption, relabels Cancel "&Close" and enables the help button.
#pragma once

#include <windows.h>

#include <optional>

#include "../engine/CSetupInfo.h"
#include "../engine/IInstallReport.h"

namespace zew::setup {

class CSetupApp;

class CProgressDlg : public IInstallReport {
public:
    explicit CProgressDlg(CSetupApp& app) : app_(app) {}

    // Runs the dialog modally. Sets the program's exit code from the run, or
    // to "not installed" when it was closed before the run began.
    void DoModal(HWND owner);

    // The run's reports, each a message to the dialog.
    void ListError(const std::string& text) override;
    void Begin(int fileCount) override;
    void FileCopied(std::uint32_t flags, const std::string& path) override;
    void FileRegistered(int code, const std::string& path) override;
    void Done(bool success) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void AddLine(const std::string& line);
    void OnInstallDone(bool success);
    // Handles every waiting message, so the dialog stays alive during the run.
    void PumpMessages();

    CSetupApp& app_;
    HWND hwnd_ = nullptr;
    std::optional<InstallOutcome> outcome_;
};

}  // namespace zew::setup
