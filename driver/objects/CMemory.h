// One of the instrument's 100 panel memories, kept offline: its properties
// are cached and checked, Save writes the whole memory, Load reads it back and
// Start runs it.
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
#include "ModelLimits.h"

namespace zew::objects {

class CMemory final : public com::Aggregatable,
                      public com::Dispatch<IMemory>,
                      public com::SupportErrorInfo<IMemory>,
                      public DriverChild {
public:
    explicit CMemory(IUnknown* outer) : com::Aggregatable(outer) {}

    ZEW_DELEGATE_IUNKNOWN

    STDMETHODIMP get_Name(BSTR* pVal) override;
    STDMETHODIMP put_Name(BSTR newVal) override;
    STDMETHODIMP get_Index(short* pVal) override;
    STDMETHODIMP get_Current(double* pVal) override;
    STDMETHODIMP put_Current(double newVal) override;
    STDMETHODIMP get_Frequency(short* pVal) override;
    STDMETHODIMP put_Frequency(short newVal) override;
    STDMETHODIMP get_LimitUpper(double* pVal) override;
    STDMETHODIMP put_LimitUpper(double newVal) override;
    STDMETHODIMP get_LimitLower(double* pVal) override;
    STDMETHODIMP put_LimitLower(double newVal) override;
    STDMETHODIMP get_ExecTime(double* pVal) override;
    STDMETHODIMP put_ExecTime(double newVal) override;
    STDMETHODIMP get_OffsetON(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_OffsetON(VARIANT_BOOL newVal) override;
    STDMETHODIMP Save() override;
    STDMETHODIMP Load() override;
    STDMETHODIMP Start() override;

    // Reads the memory's name from the instrument; the other fields stay.
    HRESULT RefreshName();
    bool NameIs(std::wstring_view name) const { return name_ == name; }
    void SetIndex(int16_t index) { index_ = index; }

    // Keeps the limits of the driver's model for the checks after it is gone.
    void ForgetDriver() override;

private:
    IUnknown* FindInterface(REFIID riid) override;
    // The limits the range checks use: the driver's model while there is a
    // driver, else the last model known, else what either model accepts.
    ModelLimits Limits() const;

    int16_t index_ = -1;
    std::wstring name_;
    double current_ = 3.0;
    int16_t frequency_ = 50;
    double upper_ = 0.1;
    double lower_ = 0.001;      // kept while the lower limit is off
    bool lowerOn_ = false;
    double execTime_ = 1.0;     // kept while the timer is off
    bool timerOn_ = false;
    VARIANT_BOOL offsetOn_ = VARIANT_FALSE;   // as the client gave it
    ModelLimits lastLimits_ = ModelLimits::AnyModel();
};

}  // namespace zew::objects
