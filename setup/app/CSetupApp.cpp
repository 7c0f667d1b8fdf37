#include "CSetupApp.h"

#include "../engine/ProgramPath.h"

namespace zew::setup {
namespace {

// Constructed with the program, before WinMain: the context is loaded before
// any window exists.
CSetupApp theApp;

// The program's file name without its folder and extension ("Setup").
std::string ProgramTitle() {
    std::string name = ProgramPath();
    std::size_t slash = name.find_last_of("\\/:");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

}  // namespace

CSetupApp& CSetupApp::Get() { return theApp; }

std::string CSetupApp::LoadText(UINT id) const {
    char text[1024] = {};
    int length = LoadStringA(instance_, id, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

void CSetupApp::ShowMessage(HWND owner, const std::string& text) const {
    MessageBoxA(owner, text.c_str(), ProgramTitle().c_str(), MB_OK);
}

}  // namespace zew::setup
