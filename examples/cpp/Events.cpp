// Lets the driver watch a test and report it as TestingR events: the client
// connects an event sink (DIZewEventSink) to the driver object's connection
// point, switches the automatic monitor on, starts a test and prints every
// event until the instrument gives its verdict.
//
// The automatic monitor runs on timers of the client's thread, so that
// thread must run a message loop while it waits for the events.
// The simulated instrument's device under test has 0.05 ohm: the upper limit
// of 0.04 ohm below makes the test fail.
//
//   Events.exe [DEVICE]      (default "SIM": the tester simulated inside the driver)
#include <windows.h>
#include <ocidl.h>
#include <oleauto.h>

#include <cstdio>

#include "ComSupport.h"
#include "Zew4400Lib.h"

using namespace zew_example;

namespace {

// Receives the driver's events. A COM object of its own, reference-counted,
// so the driver may hold it as long as it needs.
class TestEvents final : public IDispatch {
public:
    short lastStatus = 0;
    int count = 0;

    // The test is over once an event reports neither 12 nor 8 (testing).
    bool Finished() const { return count > 0 && lastStatus != 8 && lastStatus != 12; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID_DIZewEventSink) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG refs = InterlockedDecrement(&refs_);
        if (refs == 0) delete this;
        return refs;
    }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }

    // TestingR(iDeviceStatus, dMonVoltage, dMonCurrent, dMonResistanceMax,
    //          dMonResistance, dMonTimeElapsed)
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                        UINT* argError) override {
        if (id != DISPID_ZEW_TESTINGR) return DISP_E_MEMBERNOTFOUND;
        // DispGetParam counts the arguments in their declared order and
        // converts each to the type asked for.
        Variant status, voltage, current, resistanceMax, resistance, elapsed;
        HRESULT hr = DispGetParam(params, 0, VT_I2, status.put(), argError);
        if (SUCCEEDED(hr)) hr = DispGetParam(params, 1, VT_R8, voltage.put(), argError);
        if (SUCCEEDED(hr)) hr = DispGetParam(params, 2, VT_R8, current.put(), argError);
        if (SUCCEEDED(hr)) hr = DispGetParam(params, 3, VT_R8, resistanceMax.put(), argError);
        if (SUCCEEDED(hr)) hr = DispGetParam(params, 4, VT_R8, resistance.put(), argError);
        if (SUCCEEDED(hr)) hr = DispGetParam(params, 5, VT_R8, elapsed.put(), argError);
        if (FAILED(hr)) return hr;
        lastStatus = V_I2(status.get());
        ++count;
        std::printf("  TestingR status %2d: U = %7.4f V, I = %7.4f A, Rmax = %.4f ohm, R = %.4f ohm, t = %5.2f s\n",
                    lastStatus, V_R8(voltage.get()), V_R8(current.get()), V_R8(resistanceMax.get()),
                    V_R8(resistance.get()), V_R8(elapsed.get()));
        return S_OK;
    }

private:
    ~TestEvents() = default;
    LONG refs_ = 1;
};

// A sink advised on a connection point; unadvised on every way out.
class EventConnection {
public:
    EventConnection(IUnknown* source, REFIID events, IUnknown* sink) {
        ComPtr<IConnectionPointContainer> container;
        Check(source->QueryInterface(IID_IConnectionPointContainer, container.put_void()), "finding the events");
        Check(container->FindConnectionPoint(events, point_.put()), "FindConnectionPoint");
        Check(point_->Advise(sink, &cookie_), "Advise");
    }
    EventConnection(const EventConnection&) = delete;
    EventConnection& operator=(const EventConnection&) = delete;
    ~EventConnection() { point_->Unadvise(cookie_); }

private:
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

// Runs this thread's message loop until the test is over or the time is up.
bool PumpUntilFinished(const TestEvents& events, DWORD timeoutMs) {
    const UINT_PTR timeout = SetTimer(nullptr, 0, timeoutMs, nullptr);
    MSG msg;
    while (!events.Finished() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timeout) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);   // runs the driver's monitor timer
    }
    KillTimer(nullptr, timeout);
    return events.Finished();
}

int Run(const wchar_t* device) {
    ComApartment com;
    ComPtr<IZew4400> driver;
    Check(CoCreateInstance(CLSID_Zew4400, nullptr, CLSCTX_INPROC_SERVER, IID_IZew4400, driver.put_void()),
          "creating Zew4400.Zew4400");
    Check(driver->Connect(Bstr(device).get()), "Connect");

    ComPtr<TestEvents> events;
    *events.put() = new TestEvents;   // takes the first reference
    EventConnection connection(driver.get(), DIID_DIZewEventSink, events.get());

    Check(driver->put_Current(20), "Current");
    Check(driver->put_LimitUpper(0.04), "LimitUpper");
    Check(driver->put_ExecTime(1.5), "ExecTime");
    // A PASS shows only for the pass hold time; 0 holds it until the next
    // Start, so the monitor's last event cannot miss it.
    Check(driver->put_PassHoldTime(0), "PassHoldTime");
    Check(driver->put_AutoMonitorInterval(250), "AutoMonitorInterval");
    Check(driver->put_AutoMonitorEnabled(VARIANT_TRUE), "AutoMonitorEnabled");
    std::printf("Test:    20 A, upper limit 0.04 ohm, 1.5 s; automatic monitor every 250 ms\n");
    Check(driver->Start(), "Start");

    const bool finished = PumpUntilFinished(*events.get(), 15000);
    std::printf("Events:  %d\n", events->count);
    std::printf("Verdict: %s\n", !finished ? "none" : events->lastStatus == 1 ? "PASS" : "FAIL");
    Check(driver->put_AutoMonitorEnabled(VARIANT_FALSE), "AutoMonitorEnabled");
    Check(driver->Disconnect(), "Disconnect");
    return finished ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc > 1 ? Widen(argv[1]).c_str() : L"SIM");
    } catch (const ComError& e) {
        std::printf("%s failed: 0x%08lX %ls\n", e.what(), static_cast<unsigned long>(e.hr()), e.description().c_str());
        return 1;
    }
}
