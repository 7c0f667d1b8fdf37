// The installer's exit codes, the same for the wizard and the unattended run.
#pragma once

namespace zew::setup {

enum ExitCode : int {
    kExitSuccess = 0,
    kExitRegisterFailed = 1,
    kExitListInvalid = 2,
    kExitNoVisa = 3,
    kExitNotInstalled = 4,  // cancelled, an argument not understood, no log file, no window
    kExitCopyFailed = 5,    // a file could not be copied; every marked file registered
};

}  // namespace zew::setup
