// One VISA instrument session: the only way to the instrument. Every failure
// is raised as CVisaException; ReportError turns it into an automation error.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include <zewvisa/VisaTypes.h>

#include "CInstrumentLock.h"

namespace zew::session {

class CVisaSession {
public:
    // The longest command line, terminator included, that a client may send.
    static constexpr std::size_t kMaxLine = 1023;
    static constexpr ViUInt32 kReadBufferSize = 65536;

    CVisaSession();

    ViStatus Open(const std::string& resourceName, ViAccessMode accessMode, ViUInt32 openTimeout);
    ViStatus Close();

    // Thin VISA wrappers; each raises when no session is open or on a
    // negative status.
    ViStatus SetAttribute(ViAttr attribute, ViAttrState value);
    ViStatus GetAttribute(ViAttr attribute, void* value);
    ViStatus Read(ViByte* buffer, ViUInt32 count, ViUInt32* read);
    ViStatus Write(const ViByte* buffer, ViUInt32 count, ViUInt32* written);
    ViStatus AssertTrigger(ViUInt16 protocol);
    ViStatus ReadStatusByte(ViUInt8* statusByte);
    ViStatus Clear();
    ViStatus SetBuf(ViUInt16 mask, ViUInt32 size);
    ViStatus Flush(ViUInt16 mask);
    ViStatus GpibControlREN(ViUInt16 mode);

    // Line transport: a command line out with the termination character, a
    // response back as the bytes received (termination character included).
    ViStatus WriteCommand(std::wstring_view text);
    ViStatus ReadResponse(std::string& response);
    bool FitsOnLine(std::wstring_view text) const;

    ViStatus SetReal(std::wstring_view command, double value, int decimals, std::wstring_view suffix);
    ViStatus SetInt(std::wstring_view command, int32_t value);
    ViStatus QueryReal(std::wstring_view command, double& value);
    ViStatus QueryInt(std::wstring_view command, int32_t& value);

    bool CreateLock();
    void CloseLock();
    bool Lock();
    bool Unlock();

    ViSession GetSession() const { return instrument_; }
    ViStatus GetLastStatus() const { return lastStatus_; }
    std::shared_ptr<const std::string> GetResourceName() const { return resourceName_; }
    int16_t GetTermChar() const { return termChar_; }
    ViUInt16 GetInterfaceType() const { return interfaceType_; }
    ViStatus SetTermChar(int16_t character);

    // Sets the last status to 0, closes the session when asked, and forgets it.
    ViStatus Detach(bool close);

    // Lets go of a session whose set-up failed: closes it if one is open and
    // forgets it whatever the close says. The last status stays the failure's,
    // for the client to read.
    void Abandon() noexcept;

    // Makes this session a copy of other's: the same instrument handle, lock,
    // last status, resource name, termination character and interface type.
    // Opens nothing; the copy is let go with Detach(false), never closed. The
    // lock is shared, so it outlives the session it was copied from.
    void CopyFrom(const CVisaSession& other);

    HRESULT ReportError(UINT messageId, const std::wstring& helpText) const;

private:
    [[noreturn]] void Raise(ViStatus status, UINT messageId) const;
    void RequireOpen() const;
    // Stores the status and raises messageId when it is negative.
    ViStatus Check(ViStatus status, UINT messageId);

    std::shared_ptr<CInstrumentLock> lock_;
    ViSession instrument_ = 0;
    ViStatus lastStatus_ = VI_SUCCESS;
    std::shared_ptr<const std::string> resourceName_;
    int16_t termChar_ = 0;
    ViUInt16 interfaceType_ = 0;
};

}  // namespace zew::session
