// Test doubles for the connectable-object pieces: a sink that records its
// calls, and an object assembled from the pieces as the driver object is.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <functional>
#include <vector>

#include "Zew4400Lib.h"
#include "com/Aggregatable.h"
#include "com/ComPtr.h"
#include "com/ConnectionPointContainer.h"
#include "com/ProvideClassInfo.h"

namespace zewtest {

using zew::com::ComPtr;

// {6A3F0C51-9E0B-4D7A-A1C2-3B4D5E6F7081}: the test object's event dispinterface.
inline constexpr IID kEventIid = {0x6a3f0c51, 0x9e0b, 0x4d7a, {0xa1, 0xc2, 0x3b, 0x4d, 0x5e, 0x6f, 0x70, 0x81}};

struct SinkCall {
    int sink;
    DISPID id;
};

// A sink for property changes and for kEventIid events. Each call is logged
// with the sink's number and answered with result; then action runs.
class TestSink final : public IPropertyNotifySink, public IDispatch {
public:
    TestSink(int number, std::vector<SinkCall>* log, bool events = true) : number_(number), log_(log), events_(events) {}

    HRESULT result = S_OK;
    std::function<void()> action;
    ULONG refsInCall = 0;
    DISPPARAMS seenParams{};
    bool sawStandardInvoke = false;

    ULONG Refs() const { return refs_; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IPropertyNotifySink) *ppv = static_cast<IPropertyNotifySink*>(this);
        if (events_ && (riid == IID_IDispatch || riid == kEventIid)) *ppv = static_cast<IDispatch*>(this);
        if (!*ppv) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

    STDMETHODIMP OnChanged(DISPID id) override { return Called(id); }
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    // Checks the form of the call, then leaves a result the caller must free.
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override {
        sawStandardInvoke = riid == IID_NULL && lcid == 0x400 && flags == DISPATCH_METHOD && result &&
                            result->vt == VT_EMPTY && !exception && !argError;
        if (params) seenParams = *params;
        if (result) {
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(L"ignored");
        }
        return Called(id);
    }

private:
    ~TestSink() = default;
    HRESULT Called(DISPID id) {
        log_->push_back({number_, id});
        refsInCall = refs_;
        if (action) action();
        return result;
    }

    int number_;
    std::vector<SinkCall>* log_;
    bool events_;
    ULONG refs_ = 1;
};

// Connectable like the driver object: Aggregatable, delegating IUnknown and
// FindInterface, with an event point (0) and a property-change point (1).
class TestObject final : public zew::com::Aggregatable, public zew::com::ProvideClassInfo {
public:
    // The new object's identity; raw, when given, receives the object.
    static ComPtr<IUnknown> Create(bool* destroyed, TestObject** raw = nullptr) {
        auto* object = new TestObject(destroyed);
        if (raw) *raw = object;
        return ComPtr<IUnknown>::Attach(object->InnerUnknown());
    }

    ZEW_DELEGATE_IUNKNOWN

    zew::com::ConnectionPoints<2> points{OuterUnknown(), {&kEventIid, &IID_IPropertyNotifySink}};

private:
    explicit TestObject(bool* destroyed)
        : Aggregatable(nullptr), ProvideClassInfo(CLSID_Zew4400, kEventIid), destroyed_(destroyed) {}
    ~TestObject() override { *destroyed_ = true; }

    IUnknown* FindInterface(REFIID riid) override {
        if (riid == IID_IConnectionPointContainer) return &points;
        if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2) return static_cast<IProvideClassInfo2*>(this);
        return nullptr;
    }

    bool* destroyed_;
};

}  // namespace zewtest
