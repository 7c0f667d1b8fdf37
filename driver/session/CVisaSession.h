// One instrument session, through VISA or to a tester simulated in the driver:
// the only way to the instrument. Every failure is raised as CVisaException
// (the one error channel); ReportError turns it into an automation error.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include <zewvisa/VisaTypes.h>

#include "CInstrumentLock.h"
#include "VisaLibrary.h"

namespace zew::session {

class CVisaSession {
public:
    // The longest command line, terminator included, that a client may send.
    static constexpr std::size_t kMaxLine = 1023;
    static constexpr ViUInt32 kReadBufferSize = 65536;

    CVisaSession();

    // Every operation below raises CVisaException on a failure (a session
    // that is not open, a negative VISA status) and returns its result.
    void Open(const std::string& resourceName, ViAccessMode accessMode, ViUInt32 openTimeout);
    void SetAttribute(ViAttr attribute, ViAttrState value);
    // The termination character, on the session and for the lines written.
    void SetTermChar(int16_t character);

    // Line transport: a command line out with the termination character; a
    // response back as the bytes received (termination character included).
    void WriteCommand(std::wstring_view text);
    [[nodiscard]] std::string ReadResponse();
    // A line out and its reply back, as one call.
    [[nodiscard]] std::string Query(std::wstring_view line);
    [[nodiscard]] bool FitsOnLine(std::wstring_view text) const;

    // "<command> <value>" with the value in fixed notation, then the suffix.
    void SetReal(std::wstring_view command, double value, int decimals, std::wstring_view suffix);
    void SetInt(std::wstring_view command, int32_t value);
    // "<command>?" and its reply read as a number (0 when it holds none).
    [[nodiscard]] double QueryReal(std::wstring_view command);
    [[nodiscard]] int32_t QueryInt(std::wstring_view command);

    // The machine-wide instrument lock. False when it cannot be had (no lock,
    // no open session, a failed wait or release).
    [[nodiscard]] bool CreateLock();
    // The lock, made now if it could not be made with the object; when it
    // still cannot be had, raises MSG_OPEN_FAILED for the resource.
    void RequireLock(const std::string& resourceName);
    void CloseLock();
    [[nodiscard]] bool Lock();
    bool Unlock();

    ViSession GetSession() const { return instrument_; }
    ViStatus GetLastStatus() const { return lastStatus_; }
    std::shared_ptr<const std::string> GetResourceName() const { return resourceName_; }
    int16_t GetTermChar() const { return termChar_; }
    ViUInt16 GetInterfaceType() const { return interfaceType_; }

    // Sets the last status to 0, closes the session when asked (raising when
    // the close fails, the handle then kept), and forgets it.
    void Detach(bool close);

    // Lets go of a session whose set-up failed: closes it if one is open and
    // forgets it whatever the close says. The last status stays the failure's,
    // for the client to read.
    void Abandon() noexcept;

    // Makes this session a copy of other's: the same instrument handle, lock,
    // last status, resource name, termination character and interface type.
    // Opens nothing; the copy is let go with Detach(false), never closed. The
    // lock is shared, so it outlives the session it was copied from.
    void CopyFrom(const CVisaSession& other);

    // The message's text with the resource name in place of its "%s".
    std::wstring Describe(UINT messageId) const;
    HRESULT ReportError(UINT messageId, const std::wstring& helpText) const;

private:
    [[noreturn]] void Raise(ViStatus status, UINT messageId) const;
    void RequireOpen() const;
    // Stores the status and raises messageId when it is negative.
    void Check(ViStatus status, UINT messageId);
    void Close();
    // One trace line for this session's resource; only while the trace is on.
    void Trace(std::string_view event) const;

    std::shared_ptr<CInstrumentLock> lock_;
    // The library serving the open session: VISA, or the simulated testers.
    const VisaFunctions* visa_ = nullptr;
    ViSession instrument_ = 0;
    ViStatus lastStatus_ = VI_SUCCESS;
    std::shared_ptr<const std::string> resourceName_;
    int16_t termChar_ = 0;
    ViUInt16 interfaceType_ = 0;
};

}  // namespace zew::session
