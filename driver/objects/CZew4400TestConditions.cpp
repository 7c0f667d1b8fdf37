// The test conditions of the driver object. The live settings (screen,
// measuring mode, double action) are exchanges with the instrument; the cached
// conditions are kept here, checked against the model's limits, and reach the
// instrument only when a test starts.
#include "CZew4400.h"

#include "../parsers/Numbers.h"
#include "../parsers/Replies.h"
#include "../session/Exchange.h"

namespace zew::objects {

using session::Exchange;

namespace {

constexpr double kTimerMin = 0.3;
constexpr double kTimerMax = 999.0;

}  // namespace

// ---- live settings ----------------------------------------------------------

STDMETHODIMP CZew4400::get_FuncMode(ZEW_FUNCMODE* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    return Exchange(session_, [&] { *pVal = static_cast<ZEW_FUNCMODE>(parsers::ParseInt(session_.Query(L"FUNCTION?"))); });
}

STDMETHODIMP CZew4400::put_FuncMode(ZEW_FUNCMODE newVal) {
    if (newVal < ZEW_FM_MAIN || newVal > ZEW_FM_OFFSETADJ) return session::Refused(E_INVALIDARG);
    return Exchange(session_, [&] { session_.SetInt(L"FUNCTION", newVal); });
}

STDMETHODIMP CZew4400::get_MeasMode(ZEW_MEASMODE* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    return Exchange(session_, [&] {
        const auto mode = parsers::ParseMeasMode(session_.Query(L"MEASMODE?"));
        if (!mode) return S_FALSE;
        *pVal = static_cast<ZEW_MEASMODE>(*mode);
        return S_OK;
    });
}

STDMETHODIMP CZew4400::put_MeasMode(ZEW_MEASMODE newVal) {
    if (newVal != ZEW_MM_NORMAL && newVal != ZEW_MM_MAXHOLD) return session::Refused(E_INVALIDARG);
    return Exchange(session_, [&] { session_.WriteCommand(newVal == ZEW_MM_NORMAL ? L"MEASMODE NORM" : L"MEASMODE MAX"); });
}

STDMETHODIMP CZew4400::get_DoubleActionOn(VARIANT_BOOL* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    return Exchange(session_, [&] {
        *pVal = parsers::ParseDoubleAction(session_.Query(L"DOUBLEACTION?")) ? VARIANT_TRUE : VARIANT_FALSE;
    });
}

// Only the automation true value switches double action on.
STDMETHODIMP CZew4400::put_DoubleActionOn(VARIANT_BOOL newVal) {
    return Exchange(session_, [&] { session_.WriteCommand(newVal == VARIANT_TRUE ? L"DOUBLEACTION 1" : L"DOUBLEACTION 0"); });
}

// ---- cached test conditions --------------------------------------------------

STDMETHODIMP CZew4400::get_Current(double* pVal) { return GetCached(current_, pVal); }

STDMETHODIMP CZew4400::put_Current(double newVal) {
    if (!limits_.CurrentInRange(newVal)) return session::Refused(E_INVALIDARG);
    return PutCached(current_, newVal, DISPID_ZEW_CURRENT);
}

STDMETHODIMP CZew4400::get_Frequency(short* pVal) { return GetCached(frequency_, pVal); }

STDMETHODIMP CZew4400::put_Frequency(short newVal) {
    if (newVal != 50 && newVal != 60) return session::Refused(E_INVALIDARG);
    return PutCached(frequency_, newVal, DISPID_ZEW_FREQUENCY);
}

STDMETHODIMP CZew4400::get_LimitUpper(double* pVal) { return GetCached(limitUpper_, pVal); }

STDMETHODIMP CZew4400::put_LimitUpper(double newVal) {
    if (!limits_.UpperInRange(newVal)) return session::Refused(E_INVALIDARG);
    return PutCached(limitUpper_, newVal, DISPID_ZEW_LIMITUPPER);
}

STDMETHODIMP CZew4400::get_LimitLower(double* pVal) { return GetCached(limitLower_, pVal); }

STDMETHODIMP CZew4400::put_LimitLower(double newVal) {
    if (newVal != 0.0 && !limits_.LowerInRange(newVal)) return session::Refused(E_INVALIDARG);
    return PutCached(limitLower_, newVal, DISPID_ZEW_LIMITLOWER);
}

STDMETHODIMP CZew4400::get_ExecTime(double* pVal) { return GetCached(execTime_, pVal); }

STDMETHODIMP CZew4400::put_ExecTime(double newVal) {
    if (newVal != 0.0 && !(newVal >= kTimerMin && newVal <= kTimerMax)) return session::Refused(E_INVALIDARG);
    return PutCached(execTime_, newVal, DISPID_ZEW_EXECTIME);
}

// The switches are stored as given: a client's 1 reads back as 1.
STDMETHODIMP CZew4400::get_OffsetON(VARIANT_BOOL* pVal) { return GetCached(offsetOn_, pVal); }
STDMETHODIMP CZew4400::put_OffsetON(VARIANT_BOOL newVal) { return PutCached(offsetOn_, newVal, DISPID_ZEW_OFFSETON); }
STDMETHODIMP CZew4400::get_ContactCheckOn(VARIANT_BOOL* pVal) { return GetCached(contactCheckOn_, pVal); }
STDMETHODIMP CZew4400::put_ContactCheckOn(VARIANT_BOOL newVal) {
    return PutCached(contactCheckOn_, newVal, DISPID_ZEW_CONTACTCHECKON);
}
STDMETHODIMP CZew4400::get_FailModeOn(VARIANT_BOOL* pVal) { return GetCached(failModeOn_, pVal); }
STDMETHODIMP CZew4400::put_FailModeOn(VARIANT_BOOL newVal) {
    return PutCached(failModeOn_, newVal, DISPID_ZEW_FAILMODEON);
}
STDMETHODIMP CZew4400::get_MomentaryOn(VARIANT_BOOL* pVal) { return GetCached(momentaryOn_, pVal); }
STDMETHODIMP CZew4400::put_MomentaryOn(VARIANT_BOOL newVal) {
    return PutCached(momentaryOn_, newVal, DISPID_ZEW_MOMENTARYON);
}

}  // namespace zew::objects
