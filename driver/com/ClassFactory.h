// The class object of one class of the library.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace zew::com {

// Creates an object, aggregated when outer is set, and asks it for riid.
using CreateFunction = HRESULT (*)(IUnknown* outer, REFIID riid, void** ppv);

class ClassFactory : public IClassFactory {
public:
    explicit ClassFactory(CreateFunction create) : create_(create) {}

    // Class objects live as long as the library; references do not count.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    CreateFunction create_;
};

}  // namespace zew::com
