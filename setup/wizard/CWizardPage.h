// A page of the wizard built from a dialog template; the page object handles
// its own activation and its notifications.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

namespace zew::setup {

class CSetupApp;

class CWizardPage {
public:
    CWizardPage(CSetupApp& app, int templateId) : app_(app), templateId_(templateId) {}
    virtual ~CWizardPage() = default;
    CWizardPage(const CWizardPage&) = delete;
    CWizardPage& operator=(const CWizardPage&) = delete;

    // The page's description for the property sheet.
    PROPSHEETPAGEA Page();

protected:
    // Called when the page becomes active, also when coming back to it.
    virtual void OnSetActive() {}
    // Called when Finish is pressed on the page.
    virtual void OnWizardFinish() {}

    HWND page() const { return hwnd_; }
    HWND sheet() const { return GetParent(hwnd_); }
    CSetupApp& app() const { return app_; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    CSetupApp& app_;
    int templateId_;
    HWND hwnd_ = nullptr;
};

}  // namespace zew::setup
