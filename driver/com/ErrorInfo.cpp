#include "ErrorInfo.h"

#include <oaidl.h>
#include <oleauto.h>

#include "ComPtr.h"

namespace zew::com {

HRESULT SetErrorInfoDescription(HRESULT hr, const std::wstring& description, const std::wstring& helpFile) {
    ComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(create.put()))) return hr;
    create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
    create->SetHelpFile(const_cast<LPOLESTR>(helpFile.c_str()));
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, info.put_void()))) SetErrorInfo(0, info.get());
    return hr;
}

}  // namespace zew::com
