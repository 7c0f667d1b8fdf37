// Second wizard page: where the files will go, with Back and Finish.
#pragma once

#include "../app/Resource.h"
#include "CWizardPage.h"

namespace zew::setup {

class CFinishPage : public CWizardPage {
public:
    explicit CFinishPage(CSetupApp& app) : CWizardPage(app, IDD_FINISH) {}

    bool finished() const { return finished_; }

private:
    void OnSetActive() override;
    void OnWizardFinish() override { finished_ = true; }

    bool finished_ = false;
};

}  // namespace zew::setup
