#include "CVisaSession.h"

#include <cstdio>
#include <vector>

#include "../com/ErrorInfo.h"
#include "../com/Module.h"
#include "../parsers/Identity.h"
#include "../parsers/Numbers.h"
#include "../parsers/SimulatedName.h"
#include "CResourceManager.h"
#include "CTrace.h"
#include "CVisaException.h"
#include "CodePage.h"
#include "NumberText.h"
#include "Messages.h"
#include "SimulatedVisa.h"
#include "TraceFormat.h"
#include "VisaLibrary.h"

namespace zew::session {
namespace {

constexpr std::size_t kMaxMessage = 1023;
// Waits for the instrument lock longer than this are traced.
constexpr ULONGLONG kLongLockWaitMs = 100;

HRESULT HresultOfMessage(UINT messageId) {
    switch (messageId) {
        case MSG_INVALID_ARGUMENT: return E_INVALIDARG;
        case MSG_SUBSCRIPT_OUT_OF_RANGE: return TYPE_E_OUTOFBOUNDS;
        case MSG_TYPE_MISMATCH: return TYPE_E_TYPEMISMATCH;
        default: return static_cast<HRESULT>(0x800A0000u | messageId);
    }
}

std::wstring LoadMessage(UINT messageId) {
    wchar_t text[kMaxMessage + 1] = {};
    const int length = LoadStringW(com::ModuleInstance(), messageId, text, static_cast<int>(kMaxMessage + 1));
    return std::wstring(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace

CVisaSession::CVisaSession()
    : link_(std::make_shared<LinkState>()), resourceName_(std::make_shared<const std::string>("???")) {}

[[noreturn]] void CVisaSession::Raise(ViStatus status, UINT messageId) const {
    throw CVisaException{status, messageId, this};
}

void CVisaSession::RequireOpen() const {
    if (instrument_ == 0) Raise(VI_ERROR_INV_OBJECT, MSG_NOT_INITIALIZED);
}

void CVisaSession::Check(ViStatus status, UINT messageId) {
    lastStatus_ = status;
    if (status < VI_SUCCESS) Raise(status, messageId);
}

void CVisaSession::Open(const std::string& resourceName, ViAccessMode accessMode, ViUInt32 openTimeout) {
    // Simulated testers are served inside the driver, with or without VISA.
    const VisaFunctions* visa = parsers::IsSimulatedName(resourceName) ? &SimulatedVisa() : Visa();
    if (!visa) Raise(lastStatus_, MSG_VISA_NOT_FOUND);
    visa_ = visa;
    resourceName_ = std::make_shared<const std::string>(resourceName);
    ViSession opened = 0;
    const ViStatus openStatus =
        visa->Open(CResourceManager::Handle(), resourceName.c_str(), accessMode, openTimeout, &opened);
    instrument_ = openStatus < VI_SUCCESS ? 0 : opened;
    if (CTrace::On() && openStatus < VI_SUCCESS) Trace("open status=" + StatusName(openStatus));
    Check(openStatus, MSG_OPEN_FAILED);
    // A new session: nothing read on it can belong to an earlier query.
    *link_ = LinkState{};
    ViUInt16 type = 0;
    visa->GetAttribute(instrument_, VI_ATTR_INTF_TYPE, &type);
    interfaceType_ = type;
    if (CTrace::On()) Trace("open status=" + StatusName(openStatus) + " type=" + std::to_string(type));
}

void CVisaSession::Trace(std::string_view event) const { CTrace::Write(*resourceName_, event); }

void CVisaSession::Close() {
    if (instrument_ == 0) return;
    const ViStatus status = visa_->Close(instrument_);
    if (CTrace::On()) Trace("close status=" + StatusName(status));
    Check(status, MSG_CLOSE_FAILED);
}

void CVisaSession::SetAttribute(ViAttr attribute, ViAttrState value) {
    RequireOpen();
    const ViStatus status = visa_->SetAttribute(instrument_, attribute, value);
    if (CTrace::On()) {
        char text[64];
        std::snprintf(text, sizeof text, "attribute %08lX=%llu status=", static_cast<unsigned long>(attribute),
                      static_cast<unsigned long long>(value));
        Trace(text + StatusName(status));
    }
    Check(status, MSG_GPIB_UNKNOWN_ERROR);
}

void CVisaSession::SetTermChar(int16_t character) {
    SetAttribute(VI_ATTR_TERMCHAR, static_cast<ViAttrState>(character));
    SetAttribute(VI_ATTR_TERMCHAR_EN, character != 0 ? VI_TRUE : VI_FALSE);
    termChar_ = character;
}

bool CVisaSession::FitsOnLine(std::wstring_view text) const {
    return ToAnsi(text).size() + (termChar_ != 0 ? 1 : 0) <= kMaxLine;
}

void CVisaSession::WriteCommand(std::wstring_view text) {
    RequireOpen();
    if (link_->outOfStep && text.find(L'?') != std::wstring_view::npos) BringInStep();
    WriteLine(text);
}

void CVisaSession::WriteLine(std::wstring_view text) {
    RequireOpen();
    std::string line = ToAnsi(text);
    if (termChar_ != 0) line += static_cast<char>(termChar_);
    ViUInt32 written = 0;
    const ViStatus status = visa_->Write(instrument_, reinterpret_cast<const ViByte*>(line.data()),
                                          static_cast<ViUInt32>(line.size()), &written);
    if (CTrace::On()) Trace("-> " + EscapeBytes(line) + (status == VI_SUCCESS ? "" : " status=" + StatusName(status)));
    if (status < VI_SUCCESS) link_->outOfStep = true;
    Check(status, MSG_WRITE_FAILED);
    if (parsers::IsIdentityQuery(line)) ++link_->identitiesOwed;
}

std::string CVisaSession::ReadResponse() {
    RequireOpen();
    if (deadline_ != 0) {
        // What is left of the call's one time-out, and no more.
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline_) {
            if (CTrace::On()) Trace("<-  status=" + StatusName(VI_ERROR_TMO) + " ms=0");
            link_->outOfStep = true;
            Check(VI_ERROR_TMO, MSG_READ_FAILED);
        }
        if (visa_->SetAttribute(instrument_, VI_ATTR_TMO_VALUE, static_cast<ViAttrState>(deadline_ - now)) >= VI_SUCCESS) {
            timeoutChanged_ = true;
        }
    }
    std::vector<ViByte> buffer(kReadBufferSize);
    ViUInt32 count = 0;
    const ULONGLONG started = CTrace::On() ? GetTickCount64() : 0;
    const ViStatus status = visa_->Read(instrument_, buffer.data(), kReadBufferSize, &count);
    if (count > kReadBufferSize) count = kReadBufferSize;
    if (CTrace::On()) {
        Trace("<- " + EscapeBytes(std::string_view(reinterpret_cast<const char*>(buffer.data()), count)) +
              " status=" + StatusName(status) + " ms=" + std::to_string(GetTickCount64() - started));
    }
    if (status < VI_SUCCESS) link_->outOfStep = true;
    Check(status, MSG_READ_FAILED);
    std::string response(reinterpret_cast<const char*>(buffer.data()), count);
    if (const auto zero = response.find('\0'); zero != std::string::npos) response.resize(zero);
    if (link_->identitiesOwed > 0 && parsers::IsMakersIdentity(response)) --link_->identitiesOwed;
    return response;
}

std::string CVisaSession::ReadResponseWhere(bool (*wanted)(std::string_view)) {
    const ULONGLONG started = GetTickCount64();
    for (;;) {
        std::string response = ReadResponse();
        if (wanted(response)) return response;
        StartDeadline(started);
    }
}

void CVisaSession::StartDeadline(ULONGLONG started) {
    if (deadline_ != 0) return;
    ViUInt32 timeout = 0;
    // Without a finite time-out of its own the session needs no bound.
    if (visa_->GetAttribute(instrument_, VI_ATTR_TMO_VALUE, &timeout) < VI_SUCCESS) return;
    if (timeout == 0 || timeout == VI_TMO_INFINITE) return;
    sessionTimeout_ = timeout;
    deadline_ = started + timeout;
}

void CVisaSession::BringInStep() {
    if (instrument_ == 0 || !link_->outOfStep) return;
    StartDeadline(GetTickCount64());
    if (CTrace::On()) Trace("resync owed=" + std::to_string(link_->identitiesOwed));
    // A tester that was switched off and on again has forgotten this.
    if (interfaceType_ == VI_INTF_ASRL) WriteLine(L"SILENT 1");
    WriteLine(L"*IDN?");
    // Every other line is a late reply: the last identity owed is ours.
    while (link_->identitiesOwed > 0) (void)ReadResponse();
    link_->outOfStep = false;
}

void CVisaSession::EndCall() noexcept {
    if (timeoutChanged_ && instrument_ != 0) visa_->SetAttribute(instrument_, VI_ATTR_TMO_VALUE, sessionTimeout_);
    timeoutChanged_ = false;
    deadline_ = 0;
}

std::string CVisaSession::Query(std::wstring_view line) {
    WriteCommand(line);
    return ReadResponse();
}

void CVisaSession::SetReal(std::wstring_view command, double value, int decimals, std::wstring_view suffix) {
    std::wstring line(command);
    line += L' ';
    line += Fixed(value, decimals);
    line += suffix;
    WriteCommand(line);
}

void CVisaSession::SetInt(std::wstring_view command, int32_t value) {
    std::wstring line(command);
    line += L' ';
    line += std::to_wstring(value);
    WriteCommand(line);
}

double CVisaSession::QueryReal(std::wstring_view command) {
    return parsers::ParseReal(Query(std::wstring(command) + L"?"));
}

int32_t CVisaSession::QueryInt(std::wstring_view command) {
    return parsers::ParseInt(Query(std::wstring(command) + L"?"));
}

bool CVisaSession::CreateLock() {
    lock_ = CInstrumentLock::OpenOrCreate();
    return lock_ != nullptr;
}

void CVisaSession::RequireLock(const std::string& resourceName) {
    if (lock_ || CreateLock()) return;
    const DWORD error = GetLastError();
    resourceName_ = std::make_shared<const std::string>(resourceName);
    if (CTrace::On()) Trace("lock unavailable error=" + std::to_string(error));
    Raise(VI_ERROR_SYSTEM_ERROR, MSG_OPEN_FAILED);
}

void CVisaSession::CloseLock() { lock_.reset(); }

bool CVisaSession::Lock() {
    if (instrument_ == 0 || !lock_) return false;
    if (!CTrace::On()) return lock_->Acquire();
    const ULONGLONG started = GetTickCount64();
    const bool taken = lock_->Acquire();
    if (const ULONGLONG waited = GetTickCount64() - started; waited > kLongLockWaitMs) {
        Trace("lock waited ms=" + std::to_string(waited));
    }
    return taken;
}

bool CVisaSession::Unlock() { return lock_ && lock_->Release(); }

void CVisaSession::Detach(bool close) {
    lastStatus_ = VI_SUCCESS;
    if (close) Close();
    instrument_ = 0;
}

void CVisaSession::Abandon() noexcept {
    if (instrument_ != 0) {
        visa_->Close(instrument_);
    }
    instrument_ = 0;
}

void CVisaSession::CopyFrom(const CVisaSession& other) {
    lock_ = other.lock_;
    link_ = other.link_;
    visa_ = other.visa_;
    instrument_ = other.instrument_;
    lastStatus_ = other.lastStatus_;
    resourceName_ = other.resourceName_;
    termChar_ = other.termChar_;
    interfaceType_ = other.interfaceType_;
}

std::wstring CVisaSession::Describe(UINT messageId) const {
    std::wstring description = LoadMessage(messageId);
    if (const auto pos = description.find(L"%s"); pos != std::wstring::npos) {
        description.replace(pos, 2, FromAnsi(*resourceName_));
    }
    if (description.size() > kMaxMessage) description.resize(kMaxMessage);
    return description;
}

HRESULT CVisaSession::ReportError(UINT messageId, const std::wstring& helpText) const {
    if (messageId == 0) return S_OK;
    return com::SetErrorInfoDescription(HresultOfMessage(messageId), Describe(messageId), helpText);
}

}  // namespace zew::session
