#include "CBackgroundWnd.h"

#include "../app/CSetupApp.h"
#include "../app/Resource.h"
#include "CProgressDlg.h"
#include "CWizardDlg.h"
#include "Messages.h"

namespace zew::setup {
namespace {

const char kClassName[] = "ZewSetupBackground";

UniqueFont TitleFont(int height, int width) {
    return UniqueFont(CreateFontA(height, width, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DRAFT_QUALITY, FF_SWISS, "Arial"));
}

void ShadowedText(HDC dc, int x, int y, const std::string& text) {
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, x + 5, y + 5, text.c_str(), static_cast<int>(text.size()));
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

CBackgroundWnd::~CBackgroundWnd() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool CBackgroundWnd::Create() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = app_.instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    return CreateWindowExA(0, kClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr, app_.instance(),
                           this) != nullptr;
}

LRESULT CALLBACK CBackgroundWnd::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<CBackgroundWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CBackgroundWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        self->OnCreate();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        self->OnPaint();
        return 0;
    case WM_START_WIZARD:
        self->OnStartWizard();
        return 0;
    case WM_DESTROY:
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

void CBackgroundWnd::OnCreate() {
    SetClassLongPtrA(hwnd_, GCLP_HICON,
                     reinterpret_cast<LONG_PTR>(LoadIconA(app_.instance(), MAKEINTRESOURCEA(IDI_SETUP))));
    SetWindowTextA(hwnd_, app_.LoadText(IDS_BACKGROUND_TITLE).c_str());
    ShowWindow(hwnd_, SW_SHOWMAXIMIZED);
    brush_.reset(CreateSolidBrush(RGB(0, 128, 128)));
    PostMessageA(hwnd_, WM_START_WIZARD, 0, 0);
}

void CBackgroundWnd::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, brush_.get());
    SetBkMode(dc, TRANSPARENT);

    const SetupHeader& header = app_.info().header();
    UniqueFont large = TitleFont(40, 20);
    UniqueFont small = TitleFont(20, 10);
    HGDIOBJ previous = SelectObject(dc, large.get());
    ShadowedText(dc, 10, 10, header.vendor);
    ShadowedText(dc, 10, 50, header.product + " Setup");
    SelectObject(dc, small.get());
    ShadowedText(dc, 10, 90, header.copyright);
    SelectObject(dc, previous);
    EndPaint(hwnd_, &ps);
}

void CBackgroundWnd::OnStartWizard() {
    CWizardDlg wizard(app_);
    bool finished = wizard.DoModal();
    // A failed VISA check has already asked the program to end.
    if (app_.visaMissing()) return;
    if (finished) {
        CProgressDlg progress(app_);
        progress.DoModal(hwnd_);
    } else {
        app_.SetExitCode(kExitNotInstalled);
    }
    PostMessageA(hwnd_, WM_CLOSE, 0, 0);
}

}  // namespace zew::setup
