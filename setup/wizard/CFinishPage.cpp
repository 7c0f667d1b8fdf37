#include "CFinishPage.h"

#include "../app/CSetupApp.h"
#include "../engine/Texts.h"

namespace zew::setup {

void CFinishPage::OnSetActive() {
    const CSetupInfo& info = app().info();
    std::string text = FormatText(app().LoadText(IDS_FINISH_TEXT), {info.sharedFolder(), info.systemFolder()}, 1024);
    SetDlgItemTextA(page(), IDC_FINISH_TEXT, text.c_str());
    PostMessageA(sheet(), PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_FINISH);
}

}  // namespace zew::setup
