// ISupportErrorInfo for an object whose one automation interface sets error
// information.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace zew::com {

template <class Interface>
class SupportErrorInfo : public ISupportErrorInfo {
public:
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override {
        return riid == __uuidof(Interface) ? S_OK : S_FALSE;
    }
};

}  // namespace zew::com
