// The driver object: one per instrument. It connects by device name, checks
// the instrument's identity, and carries commands and responses.
#pragma once

#include <windows.h>

#include <cstdint>

#include "Zew4400Lib.h"
#include "../com/Aggregatable.h"
#include "../com/Bstr.h"
#include "../com/Dispatch.h"
#include "../com/SupportErrorInfo.h"
#include "../session/CVisaSession.h"
#include "ModelLimits.h"

namespace zew::objects {

class CZew4400 final : public com::Aggregatable,
                       public com::Dispatch<IZew4400>,
                       public com::SupportErrorInfo<IZew4400> {
public:
    static HRESULT Create(IUnknown* outer, REFIID riid, void** ppv);

    ZEW_DELEGATE_IUNKNOWN

    // IZew4400
    STDMETHODIMP get_Vendor(BSTR* pVal) override;
    STDMETHODIMP get_LegalModelName(BSTR* pVal) override;
    STDMETHODIMP get_Version(short* pVal) override;
    STDMETHODIMP get_hGpib(LONG* pVal) override;
    STDMETHODIMP get_hVisa(LONG* pVal) override;
    STDMETHODIMP get_hVisaRM(LONG* pVal) override;
    STDMETHODIMP get_ErrVisa(LONG* pVal) override;
    STDMETHODIMP Connect(BSTR DevName) override;
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP Initialize() override;
    STDMETHODIMP SetString(BSTR strWrt) override;
    STDMETHODIMP GetString(BSTR* pVal) override;

    const ModelLimits& Limits() const { return limits_; }

private:
    explicit CZew4400(IUnknown* outer);
    ~CZew4400() override;

    IUnknown* FindInterface(REFIID riid) override;
    void ConfigureSerialLink();
    void ConfigureGpibLink();

    session::CVisaSession session_;
    com::Bstr modelName_;
    int16_t romVersion_ = -1;
    ModelLimits limits_ = ModelLimits::None();
    SIZEL extent_{};
};

}  // namespace zew::objects
