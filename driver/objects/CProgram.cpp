#include "CProgram.h"

#include <string>

#include "../parsers/ProgramReply.h"
#include "../session/CodePage.h"
#include "../session/Exchange.h"
#include "ItemName.h"

namespace zew::objects {

IUnknown* CProgram::FindInterface(REFIID riid) {
    if (riid == IID_IProgram || riid == IID_IDispatch) return static_cast<IProgram*>(this);
    if (riid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo*>(this);
    return nullptr;
}

STDMETHODIMP CProgram::get_Name(BSTR* pVal) { return GetItemName(name_, pVal); }

STDMETHODIMP CProgram::put_Name(BSTR newVal) { return PutItemName(name_, newVal); }

STDMETHODIMP CProgram::get_Index(short* pVal) {
    if (!pVal) return E_POINTER;
    *pVal = index_;
    return S_OK;
}

HRESULT CProgram::RefreshName() {
    return session::Exchange(session_, [&] {
        session_.SetInt(L"PRGNAME?", index_);
        std::string reply;
        session_.ReadResponse(reply);
        name_ = session::FromAnsi(parsers::ProgramNameOfReply(reply));
    });
}

}  // namespace zew::objects
