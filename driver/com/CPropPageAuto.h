// Page "Auto": the driver's automatic monitor, switched on or off and its
// period in milliseconds.
#pragma once

#include "PropertyPage.h"

namespace zew::com {

class CPropPageAuto final : public PropertyPage {
public:
    explicit CPropPageAuto(IUnknown* outer);

private:
    void ShowValues(IUnknown* object) override;
    HRCTLID ApplyTo(IUnknown* object) override;
};

}  // namespace zew::com
