// Starting and stopping a test, and the monitored values while it runs.
#include "CZew4400.h"

#include "../session/Exchange.h"

namespace zew::objects {

using session::Exchange;

namespace {

const wchar_t* Switch(const wchar_t* on, const wchar_t* off, VARIANT_BOOL value) { return value ? on : off; }

}  // namespace

// Sends every cached condition, then START. A transport failure leaves the
// lines already sent, sends no more and keeps the test-in-progress flag.
STDMETHODIMP CZew4400::Start() {
    if (!(limitUpper_ > limitLower_)) return session::Refused(E_INVALIDARG);
    return Exchange(session_, [&] {
        session_.SetReal(L"CURRENT ", current_, 3, L"");
        session_.SetInt(L"FREQUENCY", frequency_);
        session_.SetReal(L"UPPER ", limitUpper_, 3, L"");
        if (limitLower_ == 0.0) {
            session_.WriteCommand(L"LOWER 0.001,0");
        } else {
            session_.SetReal(L"LOWER", limitLower_, 3, L",1");
        }
        if (execTime_ == 0.0) {
            session_.WriteCommand(L"TIMER 0.3,0");
        } else {
            session_.SetReal(L"TIMER", execTime_, 1, L",1");
        }
        session_.WriteCommand(Switch(L"OFFSET 1", L"OFFSET 0", offsetOn_));
        session_.WriteCommand(Switch(L"CONTACTCHECK 1", L"CONTACTCHECK 0", contactCheckOn_));
        session_.WriteCommand(Switch(L"FAILMODE 1", L"FAILMODE 0", failModeOn_));
        session_.WriteCommand(Switch(L"MOMENTARY 1", L"MOMENTARY 0", momentaryOn_));
        session_.WriteCommand(L"START");
        testInProgress_ = 1;
    });
}

STDMETHODIMP CZew4400::Stop() {
    return Exchange(session_, [&] {
        session_.WriteCommand(L"STOP");
        testInProgress_ = 0;
    });
}

HRESULT CZew4400::QueryMonitoredValue(const wchar_t* command, double* pVal, const std::source_location& where) {
    if (!pVal) return session::Refused(E_POINTER, where);
    return Exchange(session_, [&] { *pVal = session_.QueryReal(command); }, where);
}

STDMETHODIMP CZew4400::get_MonResistance(double* pVal) { return QueryMonitoredValue(L"RDATA", pVal); }
STDMETHODIMP CZew4400::get_MonCurrent(double* pVal) { return QueryMonitoredValue(L"IDATA", pVal); }
STDMETHODIMP CZew4400::get_MonVoltage(double* pVal) { return QueryMonitoredValue(L"VDATA", pVal); }

// The instrument's TIME is the time left while its timer runs and the time
// elapsed otherwise; the cached timer setting tells which.
STDMETHODIMP CZew4400::get_MonTimeElapsed(double* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    double time = 0.0;
    const HRESULT hr = QueryMonitoredValue(L"TIME", &time);
    if (hr == S_OK) *pVal = execTime_ == 0.0 ? time : execTime_ - time;
    return hr;
}

STDMETHODIMP CZew4400::get_MonTimeRemaining(double* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    if (execTime_ == 0.0) {
        *pVal = 0.0;
        return S_OK;
    }
    return QueryMonitoredValue(L"TIME", pVal);
}

}  // namespace zew::objects
