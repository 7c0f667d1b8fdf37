// Private window messages of the installer's windows.
#pragma once

#include <windows.h>

namespace zew::setup {

// Background window: run the wizard. No arguments.
inline constexpr UINT WM_START_WIZARD = WM_USER + 101;

// Progress dialog. WM_START_INSTALL: begin the run (posted to itself one second
// after it opens). WM_FILE_COPIED: wParam the installation's result flags,
// lParam the path text. WM_FILE_REGISTERED: wParam the registration code,
// lParam the path text. WM_INSTALL_DONE: wParam 1 for success, 0 for failure.
inline constexpr UINT WM_START_INSTALL = WM_USER + 102;
inline constexpr UINT WM_FILE_COPIED = WM_USER + 201;
inline constexpr UINT WM_FILE_REGISTERED = WM_USER + 202;
inline constexpr UINT WM_INSTALL_DONE = WM_USER + 203;

}  // namespace zew::setup
