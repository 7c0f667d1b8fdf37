// Reference counting and identity of a COM object that can be aggregated.
// The inner (non-delegating) unknown owns the count; the object's interfaces
// delegate IUnknown to the outer unknown, which is the aggregating object's or
// the inner one. Every live object holds a module lock.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <atomic>

#include "Module.h"

namespace zew::com {

class Aggregatable {
public:
    explicit Aggregatable(IUnknown* outer) : inner_(this), outer_(outer ? outer : &inner_) { LockModule(); }
    virtual ~Aggregatable() { UnlockModule(); }
    Aggregatable(const Aggregatable&) = delete;
    Aggregatable& operator=(const Aggregatable&) = delete;

    IUnknown* InnerUnknown() { return &inner_; }
    IUnknown* OuterUnknown() const { return outer_; }

protected:
    // The object's interface for riid (without a reference), or nullptr.
    virtual IUnknown* FindInterface(REFIID riid) = 0;

private:
    class Inner : public IUnknown {
    public:
        explicit Inner(Aggregatable* owner) : owner_(owner) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
            if (!ppv) return E_POINTER;
            IUnknown* found = riid == IID_IUnknown ? this : owner_->FindInterface(riid);
            *ppv = found;
            if (!found) return E_NOINTERFACE;
            found->AddRef();
            return S_OK;
        }
        STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
        STDMETHODIMP_(ULONG) Release() override {
            const ULONG left = --refs_;
            if (left == 0) delete owner_;
            return left;
        }

    private:
        Aggregatable* owner_;
        std::atomic<ULONG> refs_{1};
    };

    Inner inner_;
    IUnknown* outer_;
};

// The delegating IUnknown of a class derived from Aggregatable and its interfaces.
#define ZEW_DELEGATE_IUNKNOWN                                                                   \
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {                             \
        return OuterUnknown()->QueryInterface(riid, ppv);                                       \
    }                                                                                           \
    STDMETHODIMP_(ULONG) AddRef() override { return OuterUnknown()->AddRef(); }                 \
    STDMETHODIMP_(ULONG) Release() override { return OuterUnknown()->Release(); }

}  // namespace zew::com
