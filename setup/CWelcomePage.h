// First wizard page: the product's title in a large font, the welcome text and
// the copyright line. Each activation runs the VISA check when the list asks
// for it.
#pragma once

#include "CWizardPage.h"
#include "UniqueAny.h"

namespace zew::setup {

class CWelcomePage : public CWizardPage {
public:
    explicit CWelcomePage(CSetupApp& app);

private:
    void OnSetActive() override;

    UniqueFont titleFont_;
};

}  // namespace zew::setup
