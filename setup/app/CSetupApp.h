// The installer's application object, shared by the wizard and the unattended
// run: the install context, loaded before any window, the module's texts, the
// message box and the exit code.
#pragma once

#include <windows.h>

#include <string>

#include "../engine/CSetupInfo.h"
#include "ExitCode.h"

namespace zew::setup {

class CSetupApp {
public:
    // The one application object of the program.
    static CSetupApp& Get();

    CSetupInfo& info() { return info_; }
    HINSTANCE instance() const { return instance_; }
    void SetInstance(HINSTANCE instance) { instance_ = instance; }

    void SetExitCode(int code) { exitCode_ = code; }
    int exitCode() const { return exitCode_; }
    // Set once the VISA check has failed and the program is ending.
    void SetVisaMissing() { visaMissing_ = true; }
    bool visaMissing() const { return visaMissing_; }

    // A text of the string table.
    std::string LoadText(UINT id) const;
    // A message box with an OK button and the program's name as caption.
    void ShowMessage(HWND owner, const std::string& text) const;

private:
    CSetupInfo info_;
    HINSTANCE instance_ = nullptr;
    int exitCode_ = kExitSuccess;
    bool visaMissing_ = false;
};

}  // namespace zew::setup
