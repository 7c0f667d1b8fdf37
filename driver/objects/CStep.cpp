#include "CStep.h"

#include "../session/Exchange.h"
#include "../parsers/ProgramReply.h"
#include "../session/Messages.h"
#include "CZew4400.h"
#include "VariantIndex.h"

namespace zew::objects {
namespace {

constexpr int16_t kLastMemory = 99;

}  // namespace

IUnknown* CStep::FindInterface(REFIID riid) {
    if (riid == IID_IStep || riid == IID_IDispatch) return static_cast<IStep*>(this);
    if (riid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo*>(this);
    return nullptr;
}

void CStep::AttachToDriver(const session::CVisaSession&, CZew4400* driver) {
    memories_.reset();
    if (driver) driver->get_Memories(memories_.put());
}

void CStep::TakeRead(std::optional<int16_t> memory, std::optional<double> interval) {
    if (memory) {
        memory_ = *memory;
        memoryType_ = VT_I2;
    }
    if (interval) interval_ = *interval;
}

STDMETHODIMP CStep::get_Index(short* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    *pVal = index_;
    return S_OK;
}

// Always a number, VT_I2 or VT_I4 as it was last given.
STDMETHODIMP CStep::get_Memory(VARIANT* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    VariantInit(pVal);
    pVal->vt = memoryType_;
    if (memoryType_ == VT_I4) pVal->lVal = memory_;
    else pVal->iVal = memory_;
    return S_OK;
}

STDMETHODIMP CStep::put_Memory(VARIANT newVal) {
    const VariantIndex value = ReadVariantIndex(newVal);
    switch (value.kind) {
        case VariantIndex::Kind::Number:
            if (value.number < 0 || value.number > kLastMemory) return session::Refused(E_INVALIDARG);
            memory_ = value.number;
            memoryType_ = value.numberType;
            return S_OK;
        case VariantIndex::Kind::Name: return PutMemoryNamed(newVal);
        default: return session::Refused(E_INVALIDARG);
    }
}

// The lookup reads the memories' names from the instrument up to the match;
// its failure, with its error information, is the step's.
HRESULT CStep::PutMemoryNamed(const VARIANT& name) {
    if (!memories_) return session_.ReportError(MSG_NOT_INITIALIZED, L"");
    com::ComPtr<IMemory> memory;
    HRESULT hr = memories_->get_Item(name, memory.put());
    if (FAILED(hr)) return hr;
    short number = 0;
    hr = memory->get_Index(&number);
    if (FAILED(hr)) return hr;
    memory_ = number;
    memoryType_ = VT_I2;
    return S_OK;
}

STDMETHODIMP CStep::get_NextInterval(double* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    *pVal = interval_;
    return S_OK;
}

// 0 to 9.9 seconds, or exactly 10.0 for hold.
STDMETHODIMP CStep::put_NextInterval(double newVal) {
    if (newVal != parsers::kHoldInterval && !(newVal >= 0.0 && newVal <= parsers::kLongestInterval)) return session::Refused(E_INVALIDARG);
    interval_ = newVal;
    return S_OK;
}

}  // namespace zew::objects
