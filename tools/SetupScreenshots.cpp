// zew-setup-screenshots: pictures of the installer for the README, taken from
// the screen of a virtual display while Setup.exe runs from a package folder:
// the welcome page, the page that tells where the files go, and the progress
// dialog at the end of the install. Writes SetupWelcome.bmp, SetupFinish.bmp
// and SetupProgress.bmp into the directory given as the second argument.
// The install really runs: use a Wine prefix made for it, with a VISA library
// in its system folder.
//   zew-setup-screenshots PACKAGE-DIRECTORY PICTURE-DIRECTORY
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <string>

#include "SetupTestSupport.h"
#include "engine/UniqueAny.h"
#include "WindowPicture.h"

namespace {

using namespace zewtest;

constexpr DWORD kPaintMs = 1500;  // time the windows get to draw themselves

std::wstring g_pictures;

bool Photograph(HWND window, const wchar_t* name) {
    Sleep(kPaintMs);
    const bool written = zew::tools::SaveWindowPicture(window, g_pictures + L"\\" + name);
    std::fprintf(stderr, "zew-setup-screenshots: %ls %s\n", name, written ? "taken" : "NOT written");
    return written;
}

// Runs the wizard to its end and photographs each of its windows.
bool PhotographWizard(DWORD processId) {
    const HWND sheet = WaitForWizard(processId);
    if (!sheet || !Photograph(sheet, L"SetupWelcome.bmp")) return false;
    if (!Press(sheet, PSBTN_NEXT) || !Photograph(sheet, L"SetupFinish.bmp")) return false;
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    const HWND progress = WaitForWindow(processId, L"#32770", L"Setup in progress...");
    if (!progress || !WaitFor([&] { return WindowText(progress) == L"Setup complete !"; }, 30000)) {
        std::fprintf(stderr, "zew-setup-screenshots: the install did not complete: %s\n",
                     DescribeWindows(processId).c_str());
        return false;
    }
    const bool taken = Photograph(progress, L"SetupProgress.bmp");
    PostMessageW(progress, WM_COMMAND, IDCANCEL, 0);
    return taken;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: zew-setup-screenshots PACKAGE-DIRECTORY PICTURE-DIRECTORY\n");
        return 2;
    }
    const std::wstring package = argv[1];
    g_pictures = argv[2];
    std::wstring command = L"\"" + package + L"\\Setup.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, package.c_str(), &startup,
                        &process)) {
        std::fprintf(stderr, "zew-setup-screenshots: cannot start %ls\n", command.c_str());
        return 1;
    }
    zew::setup::UniqueHandle processHandle(process.hProcess);
    zew::setup::UniqueHandle threadHandle(process.hThread);
    const bool taken = PhotographWizard(process.dwProcessId);
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
    return taken ? 0 : 1;
}
