// The driver object: one per instrument. It connects by device name, checks
// the instrument's identity, and carries commands and responses.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <source_location>

#include "Zew4400Lib.h"
#include "../com/Aggregatable.h"
#include "../com/Bstr.h"
#include "../com/ComPtr.h"
#include "../com/ConnectionPointContainer.h"
#include "../com/Control.h"
#include "../com/Dispatch.h"
#include "../com/ProvideClassInfo.h"
#include "../com/SupportErrorInfo.h"
#include "../parsers/Identity.h"
#include "../session/CVisaSession.h"
#include "../session/Exchange.h"
#include "CMemories.h"
#include "CPrograms.h"
#include "CRegister.h"
#include "ModelLimits.h"

namespace zew::objects {

class CZew4400 final : public com::Aggregatable,
                       public com::Dispatch<IZew4400>,
                       public com::SupportErrorInfo<IZew4400>,
                       public com::ProvideClassInfo,
                       public com::Control {
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
    STDMETHODIMP get_Register(IRegister** pVal) override;
    STDMETHODIMP get_Memories(IMemories** pVal) override;
    STDMETHODIMP get_Programs(IPrograms** pVal) override;
    STDMETHODIMP Connect(BSTR DevName) override;
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP Initialize() override;
    STDMETHODIMP SetString(BSTR strWrt) override;
    STDMETHODIMP GetString(BSTR* pVal) override;

    // Live settings and cached test conditions (CZew4400TestConditions.cpp).
    STDMETHODIMP get_FuncMode(ZEW_FUNCMODE* pVal) override;
    STDMETHODIMP put_FuncMode(ZEW_FUNCMODE newVal) override;
    STDMETHODIMP get_MeasMode(ZEW_MEASMODE* pVal) override;
    STDMETHODIMP put_MeasMode(ZEW_MEASMODE newVal) override;
    STDMETHODIMP get_DoubleActionOn(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_DoubleActionOn(VARIANT_BOOL newVal) override;
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
    STDMETHODIMP get_ContactCheckOn(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_ContactCheckOn(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_FailModeOn(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_FailModeOn(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_MomentaryOn(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_MomentaryOn(VARIANT_BOOL newVal) override;

    // The test run and its monitored values (CZew4400TestRun.cpp).
    STDMETHODIMP Start() override;
    STDMETHODIMP Stop() override;
    STDMETHODIMP get_MonResistance(double* pVal) override;
    STDMETHODIMP get_MonCurrent(double* pVal) override;
    STDMETHODIMP get_MonVoltage(double* pVal) override;
    STDMETHODIMP get_MonTimeElapsed(double* pVal) override;
    STDMETHODIMP get_MonTimeRemaining(double* pVal) override;

    // The instrument's system settings (CZew4400SystemSettings.cpp).
    STDMETHODIMP get_PassHoldTime(double* pVal) override;
    STDMETHODIMP put_PassHoldTime(double newVal) override;
    STDMETHODIMP get_BuzzerVolume(short* pVal) override;
    STDMETHODIMP put_BuzzerVolume(short newVal) override;
    STDMETHODIMP get_Comment(BSTR* pVal) override;
    STDMETHODIMP put_Comment(BSTR newVal) override;
    STDMETHODIMP get_Contrast(short* pVal) override;
    STDMETHODIMP put_Contrast(short newVal) override;
    STDMETHODIMP ClearRegs() override;
    STDMETHODIMP AlarmClear() override;

    // The automatic monitor (CZew4400AutoMonitor.cpp).
    STDMETHODIMP get_AutoMonitorEnabled(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_AutoMonitorEnabled(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_AutoMonitorInterval(short* pVal) override;
    STDMETHODIMP put_AutoMonitorInterval(short newVal) override;

    // The control's About box (CZew4400Control.cpp).
    STDMETHODIMP AboutBox() override;

    const ModelLimits& Limits() const { return limits_; }
    // A child started a test on the instrument: the automatic monitor follows it.
    void TestStarted() { testInProgress_ = 1; }

private:
    explicit CZew4400(IUnknown* outer);
    ~CZew4400() override;

    IUnknown* FindInterface(REFIID riid) override;

    // The control surface (CZew4400Control.cpp).
    void OnDraw(HDC dc, const RECT& bounds) override;
    IDispatch* ControlDispatch() override { return static_cast<IZew4400*>(this); }
    std::span<const com::PersistedProperty> PersistedProperties() const override;
    std::span<const CLSID* const> PropertyPages() const override;
    com::ConnectionPoint& EventPoint() override { return points_.Point<0>(); }
    com::ConnectionPoint& PropertyNotifyPoint() override { return points_.Point<1>(); }

    void ConfigureSerialLink();
    void ConfigureGpibLink();
    // On a session just opened: the link's settings, the termination
    // character, then the identity query and its reply (nothing when the
    // reply is not a known instrument's).
    std::optional<parsers::Identity> SetUpAndIdentify();
    // Closes the instrument session, if open; false when the close failed
    // (the handle is then kept).
    bool CloseSession() noexcept;
    // The three children, in the order they attach and detach.
    std::array<IDriverChild*, 3> Children() const;

    // A cached condition changed: the control needs saving and every
    // property-change sink hears of it.
    void PropertyChanged(DISPID id);
    // Stores a cached condition that passed its check, then reports the change.
    template <class T>
    HRESULT PutCached(T& field, T value, DISPID id) {
        field = value;
        PropertyChanged(id);
        return S_OK;
    }
    // Copies a cached condition to a client.
    template <class T>
    static HRESULT GetCached(const T& field, T* pVal, const std::source_location& where = std::source_location::current()) {
        if (!pVal) return session::Refused(E_POINTER, where);
        *pVal = field;
        return S_OK;
    }
    HRESULT QueryMonitoredValue(const wchar_t* command, double* pVal, const std::source_location& where = std::source_location::current());

    // The automatic monitor: a window-less timer of the client's thread whose
    // callback finds this object through the monitor timer registry.
    static void CALLBACK OnMonitorTimer(HWND, UINT, UINT_PTR timerId, DWORD);
    void StartMonitorTimer();
    void StopMonitorTimer();
    void PollMonitor();
    void FireTestingR(int16_t status, double voltage, double current, double resistanceMax, double resistance,
                      double elapsed);
    HRESULT PutSetting(const wchar_t* command, short value, const std::source_location& where = std::source_location::current());
    HRESULT GetSetting(const wchar_t* command, short* pVal, const std::source_location& where = std::source_location::current());

    session::CVisaSession session_;
    // The children, made with the object and held for its whole life.
    com::ComPtr<CRegister> register_;
    com::ComPtr<CPrograms> programs_;
    com::ComPtr<CMemories> memories_;
    com::Bstr modelName_;
    int16_t romVersion_ = -1;
    ModelLimits limits_ = ModelLimits::None();

    // Cached test conditions, sent by Start.
    double current_ = 3.0;
    int16_t frequency_ = 50;
    double limitUpper_ = 1.2;
    double limitLower_ = 0.0;   // 0: no lower limit
    double execTime_ = 0.0;     // 0: timer off
    VARIANT_BOOL offsetOn_ = VARIANT_FALSE;
    VARIANT_BOOL contactCheckOn_ = VARIANT_FALSE;
    VARIANT_BOOL failModeOn_ = VARIANT_FALSE;
    VARIANT_BOOL momentaryOn_ = VARIANT_FALSE;

    // 1 from a Start of this driver until Stop or the monitor sees the test end.
    int32_t testInProgress_ = 0;

    int16_t autoMonitorInterval_ = 1000;   // milliseconds
    UINT_PTR monitorTimerId_ = 0;          // 0: the monitor is off

    // Outgoing interfaces: the events, and property-change notification.
    com::ConnectionPoints<2> points_{OuterUnknown(), {&DIID_DIZewEventSink, &IID_IPropertyNotifySink}};
};

}  // namespace zew::objects
