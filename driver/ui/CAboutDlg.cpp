#include "CAboutDlg.h"

#include <shellapi.h>

#include <cstdio>

#include "../session/CResourceManager.h"
#include "../com/Module.h"
#include "Resources.h"

namespace zew::ui {
namespace {

constexpr COLORREF kLinkColor = RGB(0, 0, 128);

}  // namespace

CAboutDlg::CAboutDlg() : buttonFace_(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))) {}

INT_PTR CAboutDlg::DoModal(HWND owner) {
    return DialogBoxParamW(com::ModuleInstance(), MAKEINTRESOURCEW(IDD_ABOUT), owner, &DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

void CAboutDlg::FormatVisaLine(char (&line)[64], const char* templateText, unsigned long version) {
    line[0] = '\0';
    if (version == 0) return;
    std::snprintf(line, sizeof line, templateText, static_cast<int>(version >> 20),
                  static_cast<int>((version >> 8) & 0xFFF));
}

bool CAboutDlg::IsLink(HWND control) const {
    return control && (control == GetDlgItem(window_, IDC_ABOUT_MAIL) || control == GetDlgItem(window_, IDC_ABOUT_WEB));
}

void CAboutDlg::OnInitDialog() {
    if (auto font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0))) {
        LOGFONTW bold{};
        if (GetObjectW(font, sizeof bold, &bold)) {
            bold.lfWeight = FW_BOLD;
            boldFont_.reset(CreateFontIndirectW(&bold));
        }
    }
    if (boldFont_) {
        SendDlgItemMessageW(window_, IDC_ABOUT_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
        SendDlgItemMessageW(window_, IDC_ABOUT_VISA, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
    }

    char line[64] = {};
    const unsigned long version = session::CResourceManager::SpecVersion();
    if (version != 0) {
        char templateText[64] = {};
        GetDlgItemTextA(window_, IDC_ABOUT_VISA, templateText, sizeof templateText);
        FormatVisaLine(line, templateText, version);
    } else {
        GetDlgItemTextA(window_, IDC_ABOUT_NO_VISA, line, sizeof line);
    }
    SetDlgItemTextA(window_, IDC_ABOUT_VISA, line);

    RECT rect{};
    GetWindowRect(window_, &rect);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 2;
    SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CAboutDlg::OpenLink(int controlId, bool mail) const {
    char text[128] = {};
    GetDlgItemTextA(window_, controlId, text, sizeof text);
    char target[160] = {};
    std::snprintf(target, sizeof target, mail ? "mailto:%s" : "%s", text);
    ShellExecuteA(window_, "open", target, nullptr, "", SW_SHOW);
}

INT_PTR CALLBACK CAboutDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CAboutDlg*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->window_ = window;
        dialog->OnInitDialog();
        return TRUE;
    }
    auto* dialog = reinterpret_cast<CAboutDlg*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog) return FALSE;
    switch (message) {
    case WM_SETCURSOR:
        if (!dialog->IsLink(reinterpret_cast<HWND>(wParam))) return FALSE;
        SetCursor(LoadCursorW(com::ModuleInstance(), MAKEINTRESOURCEW(IDCUR_HAND)));
        SetWindowLongPtrW(window, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        if (!dialog->IsLink(reinterpret_cast<HWND>(lParam))) return FALSE;
        SetTextColor(reinterpret_cast<HDC>(wParam), kLinkColor);
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(dialog->buttonFace_.get());
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            EndDialog(window, LOWORD(wParam));
            return TRUE;
        case IDC_ABOUT_MAIL:
            if (HIWORD(wParam) == STN_CLICKED) dialog->OpenLink(IDC_ABOUT_MAIL, true);
            return TRUE;
        case IDC_ABOUT_WEB:
            if (HIWORD(wParam) == STN_CLICKED) dialog->OpenLink(IDC_ABOUT_WEB, false);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

}  // namespace zew::ui
