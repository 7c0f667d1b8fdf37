// One of the instrument's 100 auto-test programs, kept offline: its name, its
// return switch and its steps. Allocate reads the program or builds blank
// steps, Free resets it on the instrument, Start uploads and runs it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "Zew4400Lib.h"
#include "../com/Aggregatable.h"
#include "../com/ComPtr.h"
#include "../com/Dispatch.h"
#include "../com/SupportErrorInfo.h"
#include "CSteps.h"
#include "IDriverChild.h"

namespace zew::objects {

class CProgram final : public com::Aggregatable,
                       public com::Dispatch<IProgram>,
                       public com::SupportErrorInfo<IProgram>,
                       public DriverChild {
public:
    explicit CProgram(IUnknown* outer) : com::Aggregatable(outer) {}
    // Makes the program's Steps collection; false when memory runs out.
    bool Initialize();

    ZEW_DELEGATE_IUNKNOWN

    STDMETHODIMP get_Name(BSTR* pVal) override;
    STDMETHODIMP put_Name(BSTR newVal) override;
    STDMETHODIMP get_Steps(ISteps** pVal) override;
    STDMETHODIMP get_Index(short* pVal) override;
    STDMETHODIMP get_ReturnOn(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_ReturnOn(VARIANT_BOOL newVal) override;
    STDMETHODIMP Allocate(short NumSteps) override;
    STDMETHODIMP Free() override;
    STDMETHODIMP Start() override;

    // Reads the program's name from the instrument.
    HRESULT RefreshName();
    bool NameIs(std::wstring_view name) const { return name_ == name; }
    void SetIndex(int16_t index) { index_ = index; }

    // A program lets go of its driver when the driver disconnects; its steps
    // keep theirs. When the driver goes, the steps let go too.
    void DetachFromDriver() override { DriverChild::ForgetDriver(); }
    void ForgetDriver() override;

private:
    IUnknown* FindInterface(REFIID riid) override;
    HRESULT ReadFromInstrument();
    HRESULT BuildBlankSteps(int count);
    // Sends the line and waits for the reply to "*STB?", the upload's handshake.
    void SendAndAwaitStatus(const std::wstring& line);
    // Inside an exchange: "PRGNAME?" and its reply, kept as the name.
    void ReadName();

    int16_t index_ = -1;
    std::wstring name_;
    VARIANT_BOOL returnOn_ = VARIANT_FALSE;   // as the client gave it; 1 when read as on
    com::ComPtr<CSteps> steps_;
};

}  // namespace zew::objects
