// One step of an auto-test program: the panel memory it runs, by number, and
// the interval before the next step, 10.0 meaning hold. A memory given by
// name is looked up at once in the driver's Memories, so a step always
// stores a number.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "Zew4400Lib.h"
#include "../com/Aggregatable.h"
#include "../com/ComPtr.h"
#include "../com/Dispatch.h"
#include "../com/SupportErrorInfo.h"
#include "../session/CVisaSession.h"
#include "IDriverChild.h"

namespace zew::objects {

class CStep final : public com::Aggregatable,
                    public com::Dispatch<IStep>,
                    public com::SupportErrorInfo<IStep>,
                    public IDriverChild {
public:
    explicit CStep(IUnknown* outer) : com::Aggregatable(outer) {}

    ZEW_DELEGATE_IUNKNOWN

    STDMETHODIMP get_Index(short* pVal) override;
    STDMETHODIMP get_Memory(VARIANT* pVal) override;
    STDMETHODIMP put_Memory(VARIANT newVal) override;
    STDMETHODIMP get_NextInterval(double* pVal) override;
    STDMETHODIMP put_NextInterval(double newVal) override;

    // A step needs of its driver only the Memories collection, to look names
    // up. It holds a reference to it, so a step that outlives its program or
    // its driver never reaches a destroyed object. No session is copied.
    void AttachToDriver(const session::CVisaSession& session, CZew4400* driver) override;
    void DetachFromDriver() override { memories_.reset(); }
    void ForgetDriver() override { memories_.reset(); }

    void SetIndex(int16_t index) { index_ = index; }
    int16_t MemoryNumber() const { return memory_; }
    double Interval() const { return interval_; }
    // Values read from the instrument; what is missing keeps its value.
    void TakeRead(std::optional<int16_t> memory, std::optional<double> interval);

private:
    IUnknown* FindInterface(REFIID riid) override;
    HRESULT PutMemoryNamed(const VARIANT& name);

    int16_t index_ = -1;
    int16_t memory_ = 0;
    VARTYPE memoryType_ = VT_I2;   // the type Memory reads back as
    double interval_ = 1.0;
    // Never opened: it reports a name lookup without a driver under "???".
    session::CVisaSession session_;
    com::ComPtr<IMemories> memories_;
};

}  // namespace zew::objects
