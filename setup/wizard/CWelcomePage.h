// First wizard page: the product's title in a large font, the welcome text and
// the copyright line. Each activation runs the VISA check when the list asks
// for it.
#pragma once

#include "../engine/UniqueAny.h"
#include "CWizardPage.h"

namespace zew::setup {

class CWelcomePage : public CWizardPage {
public:
    explicit CWelcomePage(CSetupApp& app);

private:
    void OnSetActive() override;

    UniqueFont titleFont_;
};

}  // namespace zew::setup
