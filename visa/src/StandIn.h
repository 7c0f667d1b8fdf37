// The state of the stand-in VISA library in one process: resource-manager and
// instrument sessions, the embedded instruments, the configuration, and what
// tests arm and read through the control interface. One mutex guards it all;
// nothing blocks while holding it.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>

#include <zewsim/Instrument.h>
#include <zewvisa/VisaControl.h>

#include "Attributes.h"
#include "FaultPlan.h"
#include "InputQueue.h"
#include "LineAssembler.h"
#include "Link.h"
#include "ResourceName.h"
#include "VisaConfig.h"

namespace zewvisa {

// Real time, or a virtual time that only tests move.
class SwitchableClock final : public zewsim::Clock {
public:
    double Now() const override;
    void UseVirtual(bool on);
    void Advance(double seconds);

private:
    mutable std::mutex mutex_;
    bool virtual_ = false;
    double virtualNow_ = 0.0;
};

class StandIn {
public:
    static StandIn& Instance();

    ViStatus OpenDefaultRM(ViSession* rm);
    ViStatus Open(ViSession rm, const char* name, ViAccessMode mode, ViUInt32 timeout, ViSession* vi);
    ViStatus Close(ViObject vi);
    ViStatus GetAttribute(ViObject vi, ViAttr attribute, void* value);
    ViStatus SetAttribute(ViObject vi, ViAttr attribute, ViAttrState value);
    ViStatus Read(ViSession vi, ViByte* buffer, ViUInt32 count, ViUInt32* returned);
    ViStatus Write(ViSession vi, const ViByte* buffer, ViUInt32 count, ViUInt32* returned);
    ViStatus ReadStb(ViSession vi, ViUInt16* stb);
    ViStatus Clear(ViSession vi);
    ViStatus AssertTrigger(ViSession vi, ViUInt16 protocol);
    ViStatus SetBuf(ViSession vi, ViUInt16 mask, ViUInt32 size);
    ViStatus Flush(ViSession vi, ViUInt16 mask);
    ViStatus GpibControlREN(ViSession vi, ViUInt16 mode);

    // Control interface.
    ViStatus Reset();
    ViStatus Configure(const std::string& text);
    ViStatus FailNext(ZvOperation op, ViUInt32 skip, ViStatus status);
    ViStatus SetReplyDelay(const char* resource, ViUInt32 ms);
    ViStatus SetMaxWait(ViUInt32 ms);
    ViStatus QueueReply(const char* resource, const char* line, const char* reply);
    ViStatus Feed(ViSession vi, const char* bytes, ViUInt32 count);
    ViStatus GetLog(const char* resource, bool wire, char* buffer, ViUInt32 size, ViUInt32* length);
    ViStatus ClearLogs(const char* resource);
    ViStatus SetSpecVersion(ViVersion version);
    ViStatus UseVirtualClock(bool on);
    ViStatus AdvanceClock(double seconds);
    ViStatus InstrumentLine(const char* resource, const char* line, char* reply, ViUInt32 size);
    ViStatus OpenSessionCount(ViUInt32* count);

private:
    struct Resource {
        std::shared_ptr<SharedInstrument> instrument;
        std::string wire;
        std::string trace;
        ViUInt32 replyDelayMs = 0;
        std::deque<std::pair<std::string, std::string>> scriptedReplies;   // line, reply
    };

    struct Session {
        ViSession rm = 0;
        ResourceName name;
        std::string key;   // canonical resource name
        Attributes attributes;
        InputQueue input;
        LineAssembler lines;
        std::unique_ptr<Link> link;
        Session(ViSession rmSession, ResourceName n, std::uint32_t specVersion)
            : rm(rmSession), name(std::move(n)), key(name.Canonical()), attributes(name, specVersion) {}
    };

    StandIn();
    void LoadConfigLocked();
    void ApplyConfigLocked(VisaConfig config, const std::string& source);
    Resource& ResourceLocked(const std::string& key);
    std::shared_ptr<SharedInstrument> InstrumentLocked(const std::string& key);
    std::shared_ptr<Session> SessionLocked(ViSession vi) const;
    void TraceLocked(const std::string& key, const std::string& call, ViStatus status);
    ViStatus DeliverLineLocked(Session& s, const std::string& line);
    ViStatus SimpleOperation(ViSession vi, ZvOperation op, const char* call, ViStatus (*body)(Session&, ViUInt32),
                             ViUInt32 argument);
    static std::optional<std::string> Canonical(const char* resource);

    std::mutex mutex_;
    bool configLoaded_ = false;
    VisaConfig config_;
    static constexpr std::uint32_t kDefaultSpecVersion = 0x00500800;   // VISA 5.8
    std::uint32_t specVersion_ = kDefaultSpecVersion;
    std::set<ViSession> resourceManagers_;
    std::map<ViSession, std::shared_ptr<Session>> sessions_;
    std::map<std::string, Resource> resources_;
    FaultPlan faults_;
    std::shared_ptr<SwitchableClock> clock_ = std::make_shared<SwitchableClock>();
    ViUInt32 maxWaitMs_ = 0xFFFFFFFFu;
    ViSession nextHandle_ = 0x1000;
};

}  // namespace zewvisa
