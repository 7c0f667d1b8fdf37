#include "CWelcomePage.h"

#include "../app/CSetupApp.h"
#include "../app/Resource.h"
#include "../engine/Texts.h"
#include "../engine/VisaCheck.h"

namespace zew::setup {

CWelcomePage::CWelcomePage(CSetupApp& app)
    : CWizardPage(app, IDD_WELCOME),
      titleFont_(CreateFontA(20, 10, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DRAFT_QUALITY, FF_SWISS, "Arial")) {}

void CWelcomePage::OnSetActive() {
    const SetupHeader& header = app().info().header();
    std::string title = FormatText(app().LoadText(IDS_WELCOME_TITLE), {header.product}, 512);
    SetDlgItemTextA(page(), IDC_WELCOME_TITLE, title.c_str());
    SendDlgItemMessageA(page(), IDC_WELCOME_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), TRUE);

    std::string welcome =
        FormatText(app().LoadText(IDS_WELCOME_TEXT), {header.vendor, header.product, header.product}, 512);
    SetDlgItemTextA(page(), IDC_WELCOME_TEXT, welcome.c_str());
    SetDlgItemTextA(page(), IDC_COPYRIGHT, header.copyright.c_str());
    PostMessageA(sheet(), PSM_SETWIZBUTTONS, 0, PSWIZB_NEXT);

    if (!header.visa.empty() && !VisaLibraryPresent()) {
        app().ShowMessage(sheet(), app().LoadText(IDS_NO_VISA));
        app().SetExitCode(kExitNoVisa);
        app().SetVisaMissing();
        PostQuitMessage(kExitNoVisa);
    }
}

}  // namespace zew::setup
