// A client that lets the driver watch a test: it switches the automatic
// monitor on, starts a test and prints every TestingR event until the
// instrument gives its verdict. Needs Zew4400.ocx registered.
#include <windows.h>
#include <ocidl.h>

#include <cstdio>

#include "Zew4400Lib.h"
#include "com/Bstr.h"
#include "com/ComPtr.h"

namespace {

using zew::com::Bstr;
using zew::com::ComPtr;

// Receives DIZewEventSink::TestingR; lives on main's stack.
class Events final : public IDispatch {
public:
    short lastStatus = 0;
    int count = 0;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        *ppv = (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID_DIZewEventSink) ? this : nullptr;
        if (!*ppv) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*, UINT*) override {
        if (id != DISPID_ZEW_TESTINGR || !p || p->cArgs != 6) return DISP_E_MEMBERNOTFOUND;
        const VARIANT* a = p->rgvarg;   // last parameter first
        lastStatus = a[5].iVal;
        ++count;
        std::printf("  TestingR status %2d: U = %7.4f V, I = %7.4f A, Rmax = %.4f ohm, R = %.4f ohm, t = %5.2f s\n",
                    a[5].iVal, a[4].dblVal, a[3].dblVal, a[2].dblVal, a[1].dblVal, a[0].dblVal);
        return S_OK;
    }
};

bool Failed(HRESULT hr, const char* what) {
    if (SUCCEEDED(hr)) return false;
    std::printf("  %s failed: 0x%08lX\n", what, static_cast<unsigned long>(hr));
    return true;
}

}  // namespace

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int exitCode = 1;
    {
        ComPtr<IZew4400> driver;
        ComPtr<IConnectionPointContainer> container;
        ComPtr<IConnectionPoint> point;
        Events events;
        DWORD cookie = 0;
        const Bstr device(L"dev1");
        std::printf("Automatic monitor: TestingR events of a simulated test\n");
        if (!Failed(CoCreateInstance(CLSID_Zew4400, nullptr, CLSCTX_INPROC_SERVER, IID_IZew4400, driver.put_void()),
                    "creating Zew4400.Zew4400") &&
            !Failed(driver->Connect(device.get()), "Connect") &&
            !Failed(driver->QueryInterface(IID_IConnectionPointContainer, container.put_void()), "finding the events") &&
            !Failed(container->FindConnectionPoint(DIID_DIZewEventSink, point.put()), "finding TestingR") &&
            !Failed(point->Advise(&events, &cookie), "Advise")) {
            driver->put_Current(20);
            driver->put_LimitUpper(0.04);   // the simulated device has 0.05 ohm: it fails
            driver->put_ExecTime(1.5);
            driver->put_AutoMonitorInterval(250);
            driver->put_AutoMonitorEnabled(VARIANT_TRUE);
            std::printf("  20 A, upper limit 0.04 ohm, 1.5 s; monitor every 250 ms\n");
            if (!Failed(driver->Start(), "Start")) {
                // The monitor's timer runs from this thread's message loop.
                const DWORD end = GetTickCount() + 10000;
                MSG msg;
                while ((events.count == 0 || events.lastStatus == 8 || events.lastStatus == 12) && GetTickCount() < end) {
                    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
                    Sleep(10);
                }
                std::printf("  verdict: %s\n", events.lastStatus == 1 ? "PASS" : events.lastStatus == 2 ? "FAIL" : "none");
                exitCode = events.count > 0 ? 0 : 1;
            }
            point->Unadvise(cookie);
        }
    }
    CoUninitialize();
    return exitCode;
}
