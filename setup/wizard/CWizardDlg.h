// The two-page wizard: a system property sheet in wizard mode, captioned
// "Setup", with no parent.
#pragma once

#include "CFinishPage.h"
#include "CWelcomePage.h"

namespace zew::setup {

class CSetupApp;

class CWizardDlg {
public:
    explicit CWizardDlg(CSetupApp& app);

    // Runs the wizard; true when the user pressed Finish.
    bool DoModal();

private:
    CSetupApp& app_;
    CWelcomePage welcome_;
    CFinishPage finish_;
};

}  // namespace zew::setup
