// Page "Auto": the driver's automatic monitor, switched on or off and its
// period in milliseconds.
#pragma once

#include "../com/PropertyPage.h"

namespace zew::ui {

class CPropPageAuto final : public com::PropertyPage {
public:
    explicit CPropPageAuto(IUnknown* outer);

private:
    void ShowValues(IUnknown* object) override;
    com::HRCTLID ApplyTo(IUnknown* object) override;
};

}  // namespace zew::ui
