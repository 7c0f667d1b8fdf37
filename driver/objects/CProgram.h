// One of the instrument's 100 auto-test programs, kept offline: its number
// and its name.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "Zew4400Lib.h"
#include "../com/Aggregatable.h"
#include "../com/Dispatch.h"
#include "../com/SupportErrorInfo.h"
#include "IDriverChild.h"

namespace zew::objects {

class CProgram final : public com::Aggregatable,
                       public com::Dispatch<IProgram>,
                       public com::SupportErrorInfo<IProgram>,
                       public DriverChild {
public:
    explicit CProgram(IUnknown* outer) : com::Aggregatable(outer) {}

    ZEW_DELEGATE_IUNKNOWN

    STDMETHODIMP get_Name(BSTR* pVal) override;
    STDMETHODIMP put_Name(BSTR newVal) override;
    STDMETHODIMP get_Index(short* pVal) override;

    // Reads the program's name from the instrument.
    HRESULT RefreshName();
    bool NameIs(std::wstring_view name) const { return name_ == name; }
    void SetIndex(int16_t index) { index_ = index; }

    // A program lets go of its driver when the driver disconnects.
    void DetachFromDriver() override { ForgetDriver(); }

private:
    IUnknown* FindInterface(REFIID riid) override;

    int16_t index_ = -1;
    std::wstring name_;
};

}  // namespace zew::objects
