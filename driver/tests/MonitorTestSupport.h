// A TestingR sink and a message pump for tests of the automatic monitor.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <chrono>
#include <functional>
#include <vector>

namespace zewtest {

struct TestingR {
    short status;
    double voltage, current, resistanceMax, resistance, elapsed;
};

// Records every TestingR it receives; answers with result, after running
// action (which may call back into the driver).
class TestingRSink final : public IDispatch {
public:
    std::vector<TestingR> events;
    HRESULT result = S_OK;
    std::function<void()> action;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != IID_IDispatch && riid != DIID_DIZewEventSink) return E_NOINTERFACE;
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override { return --refs_; }   // lives on the test's stack
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*, UINT*) override {
        // Arguments arrive last parameter first.
        if (id == 1 && p && p->cArgs == 6 && p->rgvarg[5].vt == VT_I2 && p->rgvarg[0].vt == VT_R8) {
            events.push_back({p->rgvarg[5].iVal, p->rgvarg[4].dblVal, p->rgvarg[3].dblVal, p->rgvarg[2].dblVal,
                              p->rgvarg[1].dblVal, p->rgvarg[0].dblVal});
        }
        if (action) action();
        return result;
    }
    ULONG Refs() const { return refs_; }

private:
    ULONG refs_ = 1;
};

// Dispatches the thread's messages (and so its timers) until done() or until
// a generous bound passes; returns done().
inline bool PumpUntil(const std::function<bool()>& done, int boundMs = 5000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(boundMs);
    while (!done() && std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(1);
    }
    return done();
}

// Dispatches messages for a while: long enough for several monitor ticks.
inline void PumpFor(int ms) {
    PumpUntil([] { return false; }, ms);
}

}  // namespace zewtest
