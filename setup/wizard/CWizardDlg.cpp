#include "CWizardDlg.h"

#include <commctrl.h>
#include <prsht.h>

#include "../app/CSetupApp.h"

namespace zew::setup {

CWizardDlg::CWizardDlg(CSetupApp& app) : app_(app), welcome_(app), finish_(app) {}

bool CWizardDlg::DoModal() {
    PROPSHEETPAGEA pages[2] = {welcome_.Page(), finish_.Page()};
    PROPSHEETHEADERA sheet{};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_WIZARD | PSH_PROPSHEETPAGE;
    sheet.hwndParent = nullptr;
    sheet.hInstance = app_.instance();
    sheet.pszCaption = "Setup";
    sheet.nPages = 2;
    sheet.ppsp = pages;
    PropertySheetA(&sheet);
    return finish_.finished();
}

}  // namespace zew::setup
