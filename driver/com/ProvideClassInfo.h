// IProvideClassInfo2 of an object: the type information of its class from the
// library's type library, and the IID of its default source interface. The
// object supplies IUnknown (ZEW_DELEGATE_IUNKNOWN) and answers both
// IID_IProvideClassInfo and IID_IProvideClassInfo2 with this base.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include "TypeLibrary.h"

namespace zew::com {

class ProvideClassInfo : public IProvideClassInfo2 {
public:
    ProvideClassInfo(REFCLSID clsid, REFIID defaultSource) : clsid_(clsid), defaultSource_(defaultSource) {}

    STDMETHODIMP GetClassInfo(ITypeInfo** typeInfo) override {
        if (!typeInfo) return E_POINTER;
        return GetModuleTypeInfo(clsid_, typeInfo);
    }

    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override {
        if (!guid) return E_POINTER;
        *guid = GUID_NULL;
        if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
        *guid = defaultSource_;
        return S_OK;
    }

private:
    CLSID clsid_;
    IID defaultSource_;
};

}  // namespace zew::com
