// The automatic monitor. A window-less timer of the client's thread polls the
// instrument while a test started by this driver runs, and every reading goes
// to the connected event sinks as TestingR. The timer runs on between tests:
// a poll without a running test costs one test of the flag.
#include "CZew4400.h"

#include <array>

#include "../com/ComPtr.h"
#include "../com/EventFiring.h"
#include "../session/Exchange.h"
#include "../session/Exchange.h"
#include "../parsers/Replies.h"
#include "../session/CLockGuard.h"
#include "../session/CVisaException.h"
#include "../monitor/MonitorTimerRegistry.h"

namespace zew::objects {
namespace {

constexpr UINT_PTR kTimerEventId = 1;   // ignored by the system for a timer without a window
constexpr int16_t kStatusTesting = 12;
constexpr int16_t kStatusTestOn = 8;
constexpr int16_t kStatusPollFailed = -1;

monitor::MonitorTimerRegistry& Registry() { return monitor::MonitorTimerRegistry::Process(); }

}  // namespace

STDMETHODIMP CZew4400::get_AutoMonitorEnabled(VARIANT_BOOL* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    *pVal = monitorTimerId_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

// Only the automation true value switches the monitor on; every other value
// switches it off. A timer that cannot be had leaves the monitor off.
STDMETHODIMP CZew4400::put_AutoMonitorEnabled(VARIANT_BOOL newVal) {
    if (newVal == VARIANT_TRUE) {
        if (monitorTimerId_) return S_FALSE;
        StartMonitorTimer();
    } else {
        if (!monitorTimerId_) return S_FALSE;
        StopMonitorTimer();
    }
    PropertyChanged(DISPID_ZEW_AUTOMONITORENABLED);
    return S_OK;
}

STDMETHODIMP CZew4400::get_AutoMonitorInterval(short* pVal) { return GetCached(autoMonitorInterval_, pVal); }

// A running monitor moves to a new timer of the new period.
STDMETHODIMP CZew4400::put_AutoMonitorInterval(short newVal) {
    if (newVal < 0) return session::Refused(E_INVALIDARG);
    autoMonitorInterval_ = newVal;
    if (monitorTimerId_) {
        StopMonitorTimer();
        StartMonitorTimer();
    }
    PropertyChanged(DISPID_ZEW_AUTOMONITORINTERVAL);
    return S_OK;
}

// The registry has room for a limited number of running monitors; one more
// counts as a timer that could not be created.
void CZew4400::StartMonitorTimer() {
    UINT_PTR id = SetTimer(nullptr, kTimerEventId, static_cast<UINT>(autoMonitorInterval_), &CZew4400::OnMonitorTimer);
    if (id && !Registry().Add(this, id)) {
        KillTimer(nullptr, id);
        id = 0;
    }
    monitorTimerId_ = id;
}

void CZew4400::StopMonitorTimer() {
    if (!monitorTimerId_) return;
    KillTimer(nullptr, monitorTimerId_);
    Registry().RemoveById(monitorTimerId_);
    monitorTimerId_ = 0;
}

void CALLBACK CZew4400::OnMonitorTimer(HWND, UINT, UINT_PTR timerId, DWORD) {
    auto* driver = static_cast<CZew4400*>(Registry().FindById(timerId));
    if (!driver) {
        // A timer that no driver owns any more: stop it for good.
        KillTimer(nullptr, timerId);
        return;
    }
    try {
        driver->PollMonitor();
    } catch (...) {
        // Nothing may unwind into the message loop; the next poll tries again.
    }
}

void CZew4400::PollMonitor() {
    if (testInProgress_ == 0) return;
    // A sink may release its last reference to us from inside the event.
    const auto keepAlive = com::ComPtr<IUnknown>::Retain(OuterUnknown());
    session::CLockGuard guard(session_);
    std::string reply;
    try {
        reply = session_.Query(L"MON?");
    } catch (const session::CVisaException& e) {
        // No client call fails here; the trace still shows why the events stop.
        if (session::CTrace::On()) session::TraceFailure(std::source_location::current(), e, S_OK);
        testInProgress_ = 0;
        FireTestingR(kStatusPollFailed, 0.0, 0.0, 0.0, 0.0, 0.0);
        return;
    }
    const parsers::MonitorReading r = parsers::ParseMonitor(reply);
    FireTestingR(r.status, r.voltage, r.current, r.resistanceMax, r.resistance, r.elapsed);
    if (r.status != kStatusTesting && r.status != kStatusTestOn) testInProgress_ = 0;
}

void CZew4400::FireTestingR(int16_t status, double voltage, double current, double resistanceMax,
                            double resistance, double elapsed) {
    // Dispatch arguments go last parameter first.
    std::array<VARIANT, 6> args{};
    const double reals[] = {elapsed, resistance, resistanceMax, current, voltage};
    for (std::size_t i = 0; i < 5; ++i) {
        args[i].vt = VT_R8;
        args[i].dblVal = reals[i];
    }
    args[5].vt = VT_I2;
    args[5].iVal = status;
    DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    com::FireDispatchEvent(points_.Point<0>(), DISPID_ZEW_TESTINGR, params);
}

}  // namespace zew::objects
