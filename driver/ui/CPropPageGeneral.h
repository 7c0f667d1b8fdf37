// Page "General": the driver's nine test conditions. Reals are shown and read
// with the user's decimal separator.
#pragma once

#include "../com/PropertyPage.h"

namespace zew::ui {

class CPropPageGeneral final : public com::PropertyPage {
public:
    explicit CPropPageGeneral(IUnknown* outer);

private:
    void ShowValues(IUnknown* object) override;
    com::HRCTLID ApplyTo(IUnknown* object) override;
    void ShowReal(int controlId, double value, int decimals);
    double ReadReal(int controlId) const;

    // The first character of the user's decimal separator, read when the page is made.
    char decimalSeparator_ = '.';
};

}  // namespace zew::ui
