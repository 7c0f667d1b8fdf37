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
#include "LinkState.h"
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
    // A failed write or read (a time-out included) leaves the link out of
    // step: a line that expects a reply (one holding "?") is then preceded by
    // a resync (see BringInStep). Reading never writes.
    void WriteCommand(std::wstring_view text);
    [[nodiscard]] std::string ReadResponse();
    // Reads past replies that wanted() refuses until one it accepts, within
    // one time-out of the session from the call; a refused reply costs the
    // reads after it a setting of the time-out each.
    [[nodiscard]] std::string ReadResponseWhere(bool (*wanted)(std::string_view));

    // Before the first line of a call that expects replies: on a link out of
    // step, discards whatever the instrument sends until it has answered a
    // fresh "*IDN?" (the answers it still owes to earlier ones discarded
    // first); on a serial link "SILENT 1" goes first. From then until the end
    // of the call every read waits only for what is left of one time-out of
    // the session. Raises 1230 or 1231 as the line it precedes would; the
    // link then stays out of step. On a link in step it does nothing.
    void BringInStep();
    // The end of an automation call or a monitor poll (the lock guard's):
    // gives the session back the time-out a bounded read changed.
    void EndCall() noexcept;
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
    // link state (shared), last status, resource name, termination character
    // and interface type.
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
    // The line out, with no resync before it.
    void WriteLine(std::wstring_view text);
    // Reads from now on end by a deadline one time-out of the session from
    // started (GetTickCount64), unless one is set already.
    void StartDeadline(ULONGLONG started);
    // One trace line for this session's resource; only while the trace is on.
    void Trace(std::string_view event) const;

    std::shared_ptr<CInstrumentLock> lock_;
    std::shared_ptr<LinkState> link_;
    // The deadline of the reads of this call (0: none) and the session
    // time-out to give back at its end when a read changed it.
    ULONGLONG deadline_ = 0;
    ViUInt32 sessionTimeout_ = 0;
    bool timeoutChanged_ = false;
    // The library serving the open session: VISA, or the simulated testers.
    const VisaFunctions* visa_ = nullptr;
    ViSession instrument_ = 0;
    ViStatus lastStatus_ = VI_SUCCESS;
    std::shared_ptr<const std::string> resourceName_;
    int16_t termChar_ = 0;
    ViUInt16 interfaceType_ = 0;
};

}  // namespace zew::session
