// A property-change sink for tests: records the DISPID of every OnChanged.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <vector>

namespace zewtest {

// Lives on the test's stack; refs counts the references others hold, so a
// test can see that they were all given back.
class ChangeSink final : public IPropertyNotifySink {
public:
    std::vector<DISPID> changed;
    ULONG refs = 0;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        *ppv = (riid == IID_IUnknown || riid == IID_IPropertyNotifySink) ? this : nullptr;
        if (!*ppv) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP OnChanged(DISPID id) override {
        changed.push_back(id);
        return S_OK;
    }
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }
};

}  // namespace zewtest
