#include "CMemory.h"

#include <string>

#include "../com/Bstr.h"
#include "../parsers/MemoryReply.h"
#include "../session/CodePage.h"
#include "../session/Exchange.h"
#include "../session/NumberText.h"
#include "CZew4400.h"
#include "ItemName.h"

namespace zew::objects {
namespace {

using session::Exchange;
using session::Fixed;

constexpr double kShortestTime = 0.3;
constexpr double kLongestTime = 999.0;
constexpr double kLowerWhenOff = 0.001;

const wchar_t* Flag(bool on) { return on ? L"1" : L"0"; }

template <class T>
HRESULT Get(const T& field, T* pVal, const std::source_location& where = std::source_location::current()) {
    if (!pVal) return session::Refused(E_POINTER, where);
    *pVal = field;
    return S_OK;
}

}  // namespace

IUnknown* CMemory::FindInterface(REFIID riid) {
    if (riid == IID_IMemory || riid == IID_IDispatch) return static_cast<IMemory*>(this);
    if (riid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo*>(this);
    return nullptr;
}

ModelLimits CMemory::Limits() const { return driver_ ? driver_->Limits() : lastLimits_; }

void CMemory::ForgetDriver() {
    if (driver_) lastLimits_ = driver_->Limits();
    DriverChild::ForgetDriver();
}

STDMETHODIMP CMemory::get_Name(BSTR* pVal) { return GetItemName(name_, pVal); }

STDMETHODIMP CMemory::put_Name(BSTR newVal) { return PutItemName(name_, newVal); }

STDMETHODIMP CMemory::get_Index(short* pVal) { return Get(index_, pVal); }

STDMETHODIMP CMemory::get_Current(double* pVal) { return Get(current_, pVal); }

STDMETHODIMP CMemory::put_Current(double newVal) {
    if (!Limits().CurrentInRange(newVal)) return session::Refused(E_INVALIDARG);
    current_ = newVal;
    return S_OK;
}

STDMETHODIMP CMemory::get_Frequency(short* pVal) { return Get(frequency_, pVal); }

STDMETHODIMP CMemory::put_Frequency(short newVal) {
    if (newVal != 50 && newVal != 60) return session::Refused(E_INVALIDARG);
    frequency_ = newVal;
    return S_OK;
}

STDMETHODIMP CMemory::get_LimitUpper(double* pVal) { return Get(upper_, pVal); }

STDMETHODIMP CMemory::put_LimitUpper(double newVal) {
    if (!Limits().UpperInRange(newVal)) return session::Refused(E_INVALIDARG);
    upper_ = newVal;
    return S_OK;
}

STDMETHODIMP CMemory::get_LimitLower(double* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    *pVal = lowerOn_ ? lower_ : 0.0;
    return S_OK;
}

// 0 switches the lower limit off.
STDMETHODIMP CMemory::put_LimitLower(double newVal) {
    if (newVal == 0.0) {
        lowerOn_ = false;
        lower_ = kLowerWhenOff;
        return S_OK;
    }
    if (!Limits().LowerInRange(newVal)) return session::Refused(E_INVALIDARG);
    lower_ = newVal;
    lowerOn_ = true;
    return S_OK;
}

STDMETHODIMP CMemory::get_ExecTime(double* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    *pVal = timerOn_ ? execTime_ : 0.0;
    return S_OK;
}

// 0 switches the timer off.
STDMETHODIMP CMemory::put_ExecTime(double newVal) {
    if (newVal == 0.0) {
        timerOn_ = false;
        execTime_ = kShortestTime;
        return S_OK;
    }
    if (!(newVal >= kShortestTime && newVal <= kLongestTime)) return session::Refused(E_INVALIDARG);
    execTime_ = newVal;
    timerOn_ = true;
    return S_OK;
}

STDMETHODIMP CMemory::get_OffsetON(VARIANT_BOOL* pVal) { return Get(offsetOn_, pVal); }

STDMETHODIMP CMemory::put_OffsetON(VARIANT_BOOL newVal) {
    offsetOn_ = newVal;
    return S_OK;
}

// The whole memory in one line; the lower value goes out even while the lower
// limit is off, and the upper limit must lie above it.
STDMETHODIMP CMemory::Save() {
    if (!(upper_ > lower_)) return session::Refused(E_INVALIDARG);
    // Only a name read from the instrument can hold a character that would
    // break the quoted name and shift every field after it.
    if (!FitsInQuotes(name_)) return session::Refused(E_INVALIDARG);
    return Exchange(session_, [&] {
        const std::wstring line = L"MEMORY " + std::to_wstring(index_) + L",\"" + name_ + L"\"," + Fixed(current_, 1) +
                                  L"," + Fixed(upper_, 3) + L"," + Fixed(lower_, 3) + L"," + Fixed(execTime_, 1) +
                                  L"," + std::to_wstring(frequency_) + L"," + Flag(lowerOn_) + L"," +
                                  Flag(offsetOn_ != 0) + L"," + Flag(timerOn_);
        session_.WriteCommand(line);
    });
}

// Reads the memory, then recalls it on the instrument's panel. A reply short
// of fields, or with fields that are not numbers, changes only the fields it
// does have, and Load returns S_FALSE.
STDMETHODIMP CMemory::Load() {
    return Exchange(session_, [&]() -> HRESULT {
        const parsers::MemoryReply memory = parsers::ParseMemoryReply(session_.Query(L"MEMORY? " + std::to_wstring(index_)));
        name_ = session::FromAnsi(memory.name);
        if (memory.current) current_ = *memory.current;
        if (memory.upper) upper_ = *memory.upper;
        if (memory.lower) lower_ = *memory.lower;
        if (memory.time) execTime_ = *memory.time;
        if (memory.frequency) frequency_ = static_cast<int16_t>(*memory.frequency);
        if (memory.lowerOn) lowerOn_ = *memory.lowerOn;
        if (memory.offsetOn) offsetOn_ = *memory.offsetOn ? 1 : 0;
        if (memory.timerOn) timerOn_ = *memory.timerOn;
        session_.SetInt(L"REC", index_);
        return memory.Complete() ? S_OK : S_FALSE;
    });
}

// Runs what the instrument has stored (not the cached fields), and lets the
// driver's automatic monitor follow the test.
STDMETHODIMP CMemory::Start() {
    return Exchange(session_, [&] {
        session_.SetInt(L"RECALL", index_);
        session_.WriteCommand(L"START");
        if (driver_) driver_->TestStarted();
    });
}

HRESULT CMemory::RefreshName() {
    return Exchange(session_, [&] {
        name_ = session::FromAnsi(parsers::MemoryNameOfReply(session_.Query(L"MEMORY? " + std::to_wstring(index_))));
    });
}

}  // namespace zew::objects
