// The installer program: its install context, loaded before any window, and
// the interactive start-up with the background window as main window.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "CSetupInfo.h"

namespace zew::setup {

class CBackgroundWnd;

// Exit codes, the same for the wizard and the unattended run.
enum ExitCode : int {
    kExitSuccess = 0,
    kExitRegisterFailed = 1,
    kExitListInvalid = 2,
    kExitNoVisa = 3,
    kExitNotInstalled = 4,  // cancelled, an argument not understood, no log file, no window
    kExitCopyFailed = 5,    // a file could not be copied; every marked file registered
};

class CSetupApp {
public:
    CSetupApp() = default;
    ~CSetupApp();

    // The one application object of the program.
    static CSetupApp& Get();

    // Start-up routine: false when the list is invalid (no window is made).
    bool InitInstance();
    // Runs the message loop until the background window is gone.
    int Run();
    // Deletes the background window object; returns the exit code.
    int ExitInstance();

    CSetupInfo& info() { return info_; }
    HINSTANCE instance() const { return instance_; }
    void SetInstance(HINSTANCE instance) { instance_ = instance; }
    HWND mainWindow() const;

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
    std::unique_ptr<CBackgroundWnd> mainWnd_;
    int exitCode_ = kExitSuccess;
    bool visaMissing_ = false;
};

// The program's file name without its folder and extension ("Setup").
std::string ProgramTitle();

// Whether a VISA library the driver of this architecture loads (VISA32.DLL;
// on 64-bit also visa64.dll) is in the system folder, where VISA is
// installed; a file of that name beside Setup.exe or in the current folder does
// not count. The file is mapped as data, so none of its code runs, and
// unmapped again at once.
bool VisaLibraryPresent();

}  // namespace zew::setup
