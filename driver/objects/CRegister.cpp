#include "CRegister.h"

#include <cstdint>

#include "../session/Exchange.h"

namespace zew::objects {

IUnknown* CRegister::FindInterface(REFIID riid) {
    if (riid == IID_IRegister || riid == IID_IDispatch) return static_cast<IRegister*>(this);
    if (riid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo*>(this);
    return nullptr;
}

HRESULT CRegister::QueryRegister(const wchar_t* command, short* pVal, const std::source_location& where) {
    if (!pVal) return session::Refused(E_POINTER, where);
    return session::Exchange(session_, [&] {
        *pVal = static_cast<short>(static_cast<uint16_t>(session_.QueryInt(command) & 0xFFFF));
    }, where);
}

STDMETHODIMP CRegister::get_Err(short* pVal) { return QueryRegister(L"ERR", pVal); }
STDMETHODIMP CRegister::get_Stb(short* pVal) { return QueryRegister(L"*STB", pVal); }
STDMETHODIMP CRegister::get_EventStatus(short* pVal) { return QueryRegister(L"*ESR", pVal); }
STDMETHODIMP CRegister::get_Fail(short* pVal) { return QueryRegister(L"FAIL", pVal); }
STDMETHODIMP CRegister::get_DeviceStatus(short* pVal) { return QueryRegister(L"DSR", pVal); }
STDMETHODIMP CRegister::get_Protection(short* pVal) { return QueryRegister(L"PROTECTION", pVal); }
STDMETHODIMP CRegister::get_Invalid(short* pVal) { return QueryRegister(L"INVALID", pVal); }

}  // namespace zew::objects
