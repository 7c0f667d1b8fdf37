// IDispatch for a dual interface, served by the type information of the
// interface in the library's type library.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include "ComPtr.h"
#include "TypeLibrary.h"

namespace zew::com {

template <class Interface>
class Dispatch : public Interface {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }

    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo) override {
        if (!typeInfo) return E_POINTER;
        *typeInfo = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        return GetModuleTypeInfo(__uuidof(Interface), typeInfo);
    }

    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        ComPtr<ITypeInfo> typeInfo;
        const HRESULT hr = GetModuleTypeInfo(__uuidof(Interface), typeInfo.put());
        if (FAILED(hr)) return hr;
        return typeInfo->GetIDsOfNames(names, count, ids);
    }

    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override {
        if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        ComPtr<ITypeInfo> typeInfo;
        const HRESULT hr = GetModuleTypeInfo(__uuidof(Interface), typeInfo.put());
        if (FAILED(hr)) return hr;
        return typeInfo->Invoke(static_cast<Interface*>(this), id, flags, params, result, exception, argError);
    }
};

}  // namespace zew::com
