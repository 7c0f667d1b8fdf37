#include "CPropPageGeneral.h"

#include <cstdio>
#include <cstdlib>

#include "Zew4400Lib.h"
#include "Resources.h"

namespace zew::ui {

using com::ComPtr;
using com::HRCTLID;
using com::PropertyPageResources;

namespace {

const PropertyPageResources kResources{IDS_GENERAL_TITLE, IDS_GENERAL_HELPFILE, IDS_GENERAL_DOCSTRING, IDD_GENERAL};

void ShowSwitch(HWND page, int controlId, VARIANT_BOOL value) {
    CheckDlgButton(page, controlId, value ? BST_CHECKED : BST_UNCHECKED);
}

VARIANT_BOOL ReadSwitch(HWND page, int controlId) {
    return IsDlgButtonChecked(page, controlId) == BST_CHECKED ? 1 : 0;
}

}  // namespace

CPropPageGeneral::CPropPageGeneral(IUnknown* outer) : PropertyPage(outer, kResources) {
    char separator[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) > 1)
        decimalSeparator_ = separator[0];
}

void CPropPageGeneral::ShowReal(int controlId, double value, int decimals) {
    char text[64] = {};
    std::snprintf(text, sizeof text, "%0.*f", decimals, value);
    for (char& c : text) {
        if (c == '.') c = decimalSeparator_;
    }
    SetDlgItemTextA(Window(), controlId, text);
}

// The longest number at the start of the text (leading blanks skipped), 0
// when there is none.
double CPropPageGeneral::ReadReal(int controlId) const {
    char text[64] = {};
    GetDlgItemTextA(Window(), controlId, text, sizeof text);
    for (char& c : text) {
        if (c == decimalSeparator_) c = '.';
    }
    return std::atof(text);
}

void CPropPageGeneral::ShowValues(IUnknown* object) {
    ComPtr<IZew4400> driver;
    if (FAILED(object->QueryInterface(IID_IZew4400, driver.put_void()))) return;
    double real = 0;
    short integer = 0;
    VARIANT_BOOL on = VARIANT_FALSE;
    if (SUCCEEDED(driver->get_Current(&real))) ShowReal(IDC_CURRENT, real, 1);
    if (SUCCEEDED(driver->get_Frequency(&integer))) SetDlgItemInt(Window(), IDC_FREQUENCY, static_cast<UINT>(integer), FALSE);
    if (SUCCEEDED(driver->get_LimitLower(&real))) ShowReal(IDC_LIMITLOWER, real, 3);
    if (SUCCEEDED(driver->get_LimitUpper(&real))) ShowReal(IDC_LIMITUPPER, real, 3);
    if (SUCCEEDED(driver->get_ExecTime(&real))) ShowReal(IDC_EXECTIME, real, 1);
    if (SUCCEEDED(driver->get_OffsetON(&on))) ShowSwitch(Window(), IDC_OFFSETON, on);
    if (SUCCEEDED(driver->get_ContactCheckOn(&on))) ShowSwitch(Window(), IDC_CONTACTCHECKON, on);
    if (SUCCEEDED(driver->get_FailModeOn(&on))) ShowSwitch(Window(), IDC_FAILMODEON, on);
    if (SUCCEEDED(driver->get_MomentaryOn(&on))) ShowSwitch(Window(), IDC_MOMENTARYON, on);
}

HRCTLID CPropPageGeneral::ApplyTo(IUnknown* object) {
    ComPtr<IZew4400> driver;
    HRESULT hr = object->QueryInterface(IID_IZew4400, driver.put_void());
    if (FAILED(hr)) return {hr, 0};
    if (FAILED(hr = driver->put_Current(ReadReal(IDC_CURRENT)))) return {hr, IDC_CURRENT};
    const auto frequency = static_cast<short>(GetDlgItemInt(Window(), IDC_FREQUENCY, nullptr, TRUE));
    if (FAILED(hr = driver->put_Frequency(frequency))) return {hr, IDC_FREQUENCY};
    if (FAILED(hr = driver->put_LimitLower(ReadReal(IDC_LIMITLOWER)))) return {hr, IDC_LIMITLOWER};
    if (FAILED(hr = driver->put_LimitUpper(ReadReal(IDC_LIMITUPPER)))) return {hr, IDC_LIMITUPPER};
    if (FAILED(hr = driver->put_ExecTime(ReadReal(IDC_EXECTIME)))) return {hr, IDC_EXECTIME};
    driver->put_OffsetON(ReadSwitch(Window(), IDC_OFFSETON));
    driver->put_ContactCheckOn(ReadSwitch(Window(), IDC_CONTACTCHECKON));
    driver->put_FailModeOn(ReadSwitch(Window(), IDC_FAILMODEON));
    driver->put_MomentaryOn(ReadSwitch(Window(), IDC_MOMENTARYON));
    return {S_OK, 0};
}

}  // namespace zew::ui
