#include "CSetupApp.h"

#include "CBackgroundWnd.h"
#include "Resource.h"
#include "UniqueAny.h"

namespace zew::setup {

CSetupApp::~CSetupApp() = default;

namespace {
// Constructed with the program, before WinMain: the context is loaded before
// any window exists.
CSetupApp theApp;
}  // namespace

CSetupApp& CSetupApp::Get() { return theApp; }

bool CSetupApp::InitInstance() {
    if (!info_.valid()) {
        ShowMessage(nullptr, LoadText(IDS_INVALID_LIST));
        exitCode_ = kExitListInvalid;
        return false;
    }
    mainWnd_ = std::make_unique<CBackgroundWnd>(*this);
    if (mainWnd_->Create()) return true;
    exitCode_ = kExitNotInstalled;
    return false;
}

int CSetupApp::Run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return exitCode_;
}

int CSetupApp::ExitInstance() {
    mainWnd_.reset();
    return exitCode_;
}

HWND CSetupApp::mainWindow() const { return mainWnd_ ? mainWnd_->hwnd() : nullptr; }

std::string CSetupApp::LoadText(UINT id) const {
    char text[1024] = {};
    int length = LoadStringA(instance_, id, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

void CSetupApp::ShowMessage(HWND owner, const std::string& text) const {
    MessageBoxA(owner, text.c_str(), ProgramTitle().c_str(), MB_OK);
}

std::string ProgramTitle() {
    char path[512] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string name(path, length < sizeof path ? length : sizeof path - 1);
    std::size_t slash = name.find_last_of("\\/:");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

bool VisaLibraryPresent() {
    // The names the driver of the installer's own architecture looks for.
#ifdef _WIN64
    const wchar_t* const names[] = {L"visa64.dll", L"VISA32.DLL"};
#else
    const wchar_t* const names[] = {L"VISA32.DLL"};
#endif
    wchar_t folder[MAX_PATH] = {};
    UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    for (const wchar_t* name : names) {
        std::wstring path = std::wstring(folder, length) + L"\\" + name;
        // Mapped as data: none of its code runs in the installer.
        UniqueModule visa(
            LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        if (visa) return true;
    }
    return false;
}

}  // namespace zew::setup
