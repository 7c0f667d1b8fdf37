// The instrument's seven status and error registers. Nothing is cached: each
// property is one query.
#pragma once

#include <windows.h>

#include <source_location>

#include "Zew4400Lib.h"
#include "../com/Aggregatable.h"
#include "../com/Dispatch.h"
#include "../com/SupportErrorInfo.h"
#include "IDriverChild.h"

namespace zew::objects {

class CRegister final : public com::Aggregatable,
                        public com::Dispatch<IRegister>,
                        public com::SupportErrorInfo<IRegister>,
                        public DriverChild {
public:
    explicit CRegister(IUnknown* outer) : com::Aggregatable(outer) {}

    ZEW_DELEGATE_IUNKNOWN

    STDMETHODIMP get_Err(short* pVal) override;
    STDMETHODIMP get_Stb(short* pVal) override;
    STDMETHODIMP get_EventStatus(short* pVal) override;
    STDMETHODIMP get_Fail(short* pVal) override;
    STDMETHODIMP get_DeviceStatus(short* pVal) override;
    STDMETHODIMP get_Protection(short* pVal) override;
    STDMETHODIMP get_Invalid(short* pVal) override;

private:
    IUnknown* FindInterface(REFIID riid) override;
    // The low 16 bits of the register's value, as a signed number; a reply
    // that is not a number reads 0. On failure *pVal is left as it was.
    HRESULT QueryRegister(const wchar_t* command, short* pVal, const std::source_location& where = std::source_location::current());
};

}  // namespace zew::objects
