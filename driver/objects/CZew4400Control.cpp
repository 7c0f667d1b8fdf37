// The driver object as a control: what it saves with a form, the pages that
// edit it, and its picture. At run time it only paints the container's
// background; in a form designer it shows the driver's icon.
#include "CZew4400.h"

#include "../ui/CAboutDlg.h"
#include "../com/Module.h"
#include <zewhandles/WindowsHandles.h>
#include "../ui/Resources.h"

namespace zew::objects {
namespace {

const com::PersistedProperty kPersistedProperties[] = {
    {L"Current", DISPID_ZEW_CURRENT},
    {L"Frequency", DISPID_ZEW_FREQUENCY},
    {L"LimitUpper", DISPID_ZEW_LIMITUPPER},
    {L"LimitLower", DISPID_ZEW_LIMITLOWER},
    {L"ExecTime", DISPID_ZEW_EXECTIME},
    {L"OffsetOn", DISPID_ZEW_OFFSETON},
    {L"ContactCheckOn", DISPID_ZEW_CONTACTCHECKON},
    {L"FailModeOn", DISPID_ZEW_FAILMODEON},
    {L"MomentaryOn", DISPID_ZEW_MOMENTARYON},
    {L"AutoMonitorEnabled", DISPID_ZEW_AUTOMONITORENABLED},
    {L"AutoMonitorInterval", DISPID_ZEW_AUTOMONITORINTERVAL},
};

const CLSID* const kPropertyPages[] = {&CLSID_PropPageGeneral, &CLSID_PropPageAuto};

}  // namespace

std::span<const com::PersistedProperty> CZew4400::PersistedProperties() const { return kPersistedProperties; }

std::span<const CLSID* const> CZew4400::PropertyPages() const { return kPropertyPages; }

STDMETHODIMP CZew4400::AboutBox() {
    ui::CAboutDlg dialog;
    dialog.DoModal(GetActiveWindow());
    return S_OK;
}

void CZew4400::OnDraw(HDC dc, const RECT& bounds) {
    if (AmbientUserMode()) {
        if (const handles::UniqueBrush brush(CreateSolidBrush(AmbientBackColor())); brush) FillRect(dc, &bounds, brush.get());
        return;
    }
    // A shared icon of the module: not destroyed.
    if (HICON icon = LoadIconW(com::ModuleInstance(), MAKEINTRESOURCEW(IDI_ZEW4400)))
        DrawIcon(dc, bounds.left, bounds.top, icon);
}

}  // namespace zew::objects
