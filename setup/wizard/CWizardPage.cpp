#include "CWizardPage.h"

#include "../app/CSetupApp.h"

namespace zew::setup {

PROPSHEETPAGEA CWizardPage::Page() {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = app_.instance();
    page.pszTemplate = MAKEINTRESOURCEA(templateId_);
    page.pfnDlgProc = DialogProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

INT_PTR CALLBACK CWizardPage::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CWizardPage*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        return TRUE;
    }
    auto* self = reinterpret_cast<CWizardPage*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!self || message != WM_NOTIFY) return FALSE;
    switch (reinterpret_cast<NMHDR*>(lParam)->code) {
    case PSN_SETACTIVE:
        self->OnSetActive();
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 0);
        return TRUE;
    case PSN_WIZFINISH:
        self->OnWizardFinish();
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, FALSE);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace zew::setup
