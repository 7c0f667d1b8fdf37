#include "CProgram.h"

#include <string>

#include "../parsers/ProgramReply.h"
#include "../session/CodePage.h"
#include "../session/Exchange.h"
#include "../session/NumberText.h"
#include "CZew4400.h"
#include "ItemName.h"

namespace zew::objects {
namespace {

using session::Exchange;
using session::Fixed;

// Before START the instrument gets time to take the uploaded program in.
constexpr DWORD kPauseBeforeStartMs = 100;

std::wstring IntervalText(double interval) {
    return interval == parsers::kHoldInterval ? std::wstring(L"HOLD") : Fixed(interval, 1);
}

}  // namespace

bool CProgram::Initialize() {
    steps_ = com::MakeObject<CSteps>();
    return static_cast<bool>(steps_);
}

IUnknown* CProgram::FindInterface(REFIID riid) {
    if (riid == IID_IProgram || riid == IID_IDispatch) return static_cast<IProgram*>(this);
    if (riid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo*>(this);
    return nullptr;
}

void CProgram::ForgetDriver() {
    DriverChild::ForgetDriver();
    steps_->ForgetDriver();
}

STDMETHODIMP CProgram::get_Name(BSTR* pVal) { return GetItemName(name_, pVal); }

STDMETHODIMP CProgram::put_Name(BSTR newVal) { return PutItemName(name_, newVal); }

STDMETHODIMP CProgram::get_Steps(ISteps** pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    return steps_->QueryInterface(IID_ISteps, reinterpret_cast<void**>(pVal));
}

STDMETHODIMP CProgram::get_Index(short* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    *pVal = index_;
    return S_OK;
}

STDMETHODIMP CProgram::get_ReturnOn(VARIANT_BOOL* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    *pVal = returnOn_;
    return S_OK;
}

STDMETHODIMP CProgram::put_ReturnOn(VARIANT_BOOL newVal) {
    returnOn_ = newVal;
    return S_OK;
}

// 0 reads the program from the instrument; 1 to 100 builds that many blank
// steps offline. Either way the old steps leave the program first.
STDMETHODIMP CProgram::Allocate(short NumSteps) {
    if (NumSteps < 0 || NumSteps > parsers::kMaxProgramSteps) return session::Refused(E_INVALIDARG);
    return NumSteps == 0 ? ReadFromInstrument() : BuildBlankSteps(NumSteps);
}

HRESULT CProgram::BuildBlankSteps(int count) {
    steps_->RemoveAll();
    for (int i = 0; i < count; ++i) {
        if (!steps_->Add(steps_->MakeStep(session_, driver_))) return E_OUTOFMEMORY;
    }
    return S_OK;
}

// The head in one locked exchange, then one locked exchange per step. What
// was read before a failure stays: the head's fields, and the steps read so
// far (a step whose reply never came is not kept). A reply that is not
// understood leaves its values at their defaults and makes the result S_FALSE.
HRESULT CProgram::ReadFromInstrument() {
    parsers::ProgramTotal total;
    HRESULT hr = Exchange(session_, [&] {
        ReadName();
        const std::wstring n = std::to_wstring(index_);
        returnOn_ = parsers::ProgramReturnOfReply(session_.Query(L"PRGRETURN? " + n)) ? 1 : 0;
        total = parsers::ProgramTotalOfReply(session_.Query(L"PRGTOTAL? " + n));
        session_.SetInt(L"PTES ", index_);
    });
    if (FAILED(hr)) return hr;

    bool understood = total.recognised;
    steps_->RemoveAll();
    for (int i = 0; i < total.steps; ++i) {
        com::ComPtr<CStep> step = steps_->MakeStep(session_, driver_);
        if (!step) return E_OUTOFMEMORY;
        hr = Exchange(session_, [&] {
            const parsers::ProgramStepReply read =
                parsers::ParseProgramStep(session_.Query(L"PRGEDIT? " + std::to_wstring(index_) + L"," + std::to_wstring(i)));
            step->TakeRead(read.memory, read.interval);
            understood = understood && read.Complete();
        });
        if (FAILED(hr)) return hr;
        if (!steps_->Add(std::move(step))) return E_OUTOFMEMORY;
    }
    return understood ? S_OK : S_FALSE;
}

// The local steps go first, whatever the instrument then does.
STDMETHODIMP CProgram::Free() {
    steps_->RemoveAll();
    return Exchange(session_, [&] {
        const std::wstring n = std::to_wstring(index_);
        session_.SetInt(L"PRGNEW ", index_);
        session_.WriteCommand(L"PRGNAME " + n + L",\"NONAME-" + n + L"\"");
    });
}

void CProgram::SendAndAwaitStatus(const std::wstring& line) {
    session_.WriteCommand(line);
    (void)session_.QueryInt(L"*STB");
}

// Uploads the cached program over what the instrument holds (steps past the
// last one uploaded stay there; Free clears them) and runs it. The lock is
// held from the first line to START. A transport failure leaves the lines
// already sent and no test in progress.
STDMETHODIMP CProgram::Start() {
    // Only a name read from the instrument can hold a character that would
    // break the quoted name on the upload line.
    if (!FitsInQuotes(name_)) return session::Refused(E_INVALIDARG);
    return Exchange(session_, [&] {
        // The handshakes below must each read their own reply.
        session_.BringInStep();
        const std::wstring n = std::to_wstring(index_);
        SendAndAwaitStatus(L"PRGNAME " + n + L",\"" + name_ + L"\"");
        SendAndAwaitStatus(L"PRGRETURN " + n + (returnOn_ ? L",1" : L",0"));
        for (int i = 0; i < steps_->Size(); ++i) {
            const CStep& step = *steps_->At(i);
            SendAndAwaitStatus(L"PRGEDIT " + n + L"," + std::to_wstring(i) + L"," +
                               std::to_wstring(step.MemoryNumber()) + L"," + IntervalText(step.Interval()));
        }
        SendAndAwaitStatus(L"PRGTEST " + n);
        Sleep(kPauseBeforeStartMs);
        session_.WriteCommand(L"START");
        if (driver_) driver_->TestStarted();
    });
}

void CProgram::ReadName() {
    name_ = session::FromAnsi(parsers::ProgramNameOfReply(session_.Query(L"PRGNAME? " + std::to_wstring(index_))));
}

HRESULT CProgram::RefreshName() {
    return Exchange(session_, [&] { ReadName(); });
}

}  // namespace zew::objects
