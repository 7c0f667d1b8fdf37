#include "CProgressDlg.h"

#include <commctrl.h>
#include <shellapi.h>

#include "../app/CSetupApp.h"
#include "../app/Resource.h"
#include "../engine/Texts.h"
#include "Messages.h"

namespace zew::setup {
namespace {

constexpr UINT_PTR kStartTimer = 1;

}  // namespace

void CProgressDlg::DoModal(HWND owner) {
    DialogBoxParamA(app_.instance(), MAKEINTRESOURCEA(IDD_PROGRESS), owner, DialogProc,
                    reinterpret_cast<LPARAM>(this));
    app_.SetExitCode(outcome_ ? static_cast<int>(*outcome_) : kExitNotInstalled);
}

INT_PTR CALLBACK CProgressDlg::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CProgressDlg*>(lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<CProgressDlg*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    return self ? self->OnMessage(message, wParam, lParam) : FALSE;
}

INT_PTR CProgressDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetTimer(hwnd_, kStartTimer, 1000, nullptr);
        return TRUE;
    case WM_TIMER:
        if (wParam != kStartTimer) return FALSE;
        KillTimer(hwnd_, kStartTimer);
        PostMessageA(hwnd_, WM_START_INSTALL, 0, 0);
        return TRUE;
    case WM_START_INSTALL:
        if (!outcome_) outcome_ = app_.info().Install(*this);
        return TRUE;
    case WM_FILE_COPIED:
        AddLine(LogLine(reinterpret_cast<const char*>(lParam), CopyResultText(static_cast<DWORD>(wParam))));
        SendDlgItemMessageA(hwnd_, IDC_PROGRESS, PBM_DELTAPOS, 1, 0);
        PumpMessages();
        return TRUE;
    case WM_FILE_REGISTERED:
        AddLine(LogLine(reinterpret_cast<const char*>(lParam), RegisterResultText(static_cast<int>(wParam))));
        PumpMessages();
        return TRUE;
    case WM_INSTALL_DONE:
        OnInstallDone(wParam == 1);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_VIEW_HELP) {
            const CSetupInfo& info = app_.info();
            std::string help = info.sharedFolder() + info.header().helpFile;
            ShellExecuteA(hwnd_, "open", help.c_str(), nullptr, "", SW_SHOWNORMAL);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(hwnd_, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void CProgressDlg::AddLine(const std::string& line) {
    SendDlgItemMessageA(hwnd_, IDC_LOG, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void CProgressDlg::OnInstallDone(bool success) {
    AddLine("");
    SetWindowTextA(hwnd_, app_.LoadText(success ? IDS_SETUP_COMPLETE : IDS_SETUP_ABORTED).c_str());
    SetDlgItemTextA(hwnd_, IDCANCEL, app_.LoadText(IDS_CLOSE).c_str());
    EnableWindow(GetDlgItem(hwnd_, IDC_VIEW_HELP), TRUE);
}

void CProgressDlg::PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the request to end for the loop that owns it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void CProgressDlg::ListError(const std::string& text) { app_.ShowMessage(hwnd_, text); }

void CProgressDlg::Begin(int fileCount) {
    SendDlgItemMessageA(hwnd_, IDC_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, fileCount));
    SendDlgItemMessageA(hwnd_, IDC_PROGRESS, PBM_SETSTEP, 1, 0);
}

void CProgressDlg::FileCopied(std::uint32_t flags, const std::string& path) {
    SendMessageA(hwnd_, WM_FILE_COPIED, flags, reinterpret_cast<LPARAM>(path.c_str()));
}

void CProgressDlg::FileRegistered(int code, const std::string& path) {
    SendMessageA(hwnd_, WM_FILE_REGISTERED, static_cast<WPARAM>(code), reinterpret_cast<LPARAM>(path.c_str()));
}

void CProgressDlg::Done(bool success) { PostMessageA(hwnd_, WM_INSTALL_DONE, success ? 1 : 0, 0); }

}  // namespace zew::setup
