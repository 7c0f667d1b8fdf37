// The maximised teal window behind the wizard, showing the vendor, the product
// and the copyright line. It runs the wizard and then the progress dialog, and
// closes itself when they end.
#pragma once

#include <windows.h>

#include "../engine/UniqueAny.h"

namespace zew::setup {

class CSetupApp;

class CBackgroundWnd {
public:
    explicit CBackgroundWnd(CSetupApp& app) : app_(app) {}
    ~CBackgroundWnd();
    CBackgroundWnd(const CBackgroundWnd&) = delete;
    CBackgroundWnd& operator=(const CBackgroundWnd&) = delete;

    bool Create();
    HWND hwnd() const { return hwnd_; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnPaint();
    void OnStartWizard();

    CSetupApp& app_;
    HWND hwnd_ = nullptr;
    UniqueBrush brush_;
};

}  // namespace zew::setup
