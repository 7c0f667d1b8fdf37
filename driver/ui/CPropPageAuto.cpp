#include "CPropPageAuto.h"

#include "Zew4400Lib.h"
#include "Resources.h"

namespace zew::ui {

using com::ComPtr;
using com::HRCTLID;
using com::PropertyPageResources;

namespace {

const PropertyPageResources kResources{IDS_AUTO_TITLE, IDS_AUTO_HELPFILE, IDS_AUTO_DOCSTRING, IDD_AUTO};

}  // namespace

CPropPageAuto::CPropPageAuto(IUnknown* outer) : PropertyPage(outer, kResources) {}

void CPropPageAuto::ShowValues(IUnknown* object) {
    ComPtr<IZew4400> driver;
    if (FAILED(object->QueryInterface(IID_IZew4400, driver.put_void()))) return;
    VARIANT_BOOL enabled = VARIANT_FALSE;
    short interval = 0;
    if (SUCCEEDED(driver->get_AutoMonitorEnabled(&enabled)))
        CheckDlgButton(Window(), IDC_AUTOMONITORENABLED, enabled ? BST_CHECKED : BST_UNCHECKED);
    if (SUCCEEDED(driver->get_AutoMonitorInterval(&interval)))
        SetDlgItemInt(Window(), IDC_AUTOMONITORINTERVAL, static_cast<UINT>(interval), FALSE);
}

// The interval is read without sign and passed on in 16 bits: a value above
// 32767 reaches the driver negative and is refused there.
HRCTLID CPropPageAuto::ApplyTo(IUnknown* object) {
    ComPtr<IZew4400> driver;
    HRESULT hr = object->QueryInterface(IID_IZew4400, driver.put_void());
    if (FAILED(hr)) return {hr, 0};
    const bool checked = IsDlgButtonChecked(Window(), IDC_AUTOMONITORENABLED) == BST_CHECKED;
    driver->put_AutoMonitorEnabled(checked ? VARIANT_TRUE : VARIANT_FALSE);
    const auto interval = static_cast<short>(GetDlgItemInt(Window(), IDC_AUTOMONITORINTERVAL, nullptr, FALSE));
    if (FAILED(hr = driver->put_AutoMonitorInterval(interval))) return {hr, IDC_AUTOMONITORINTERVAL};
    return {S_OK, 0};
}

}  // namespace zew::ui
