// The VISA functions exported by VISA32.DLL. Each hands over to the stand-in's
// state; no exception ever crosses into the caller.
#include <zewvisa/VisaControl.h>
#include <zewvisa/VisaTypes.h>

#include "StandIn.h"

using zewvisa::StandIn;

namespace {

template <typename F>
ViStatus Guarded(F&& body) noexcept {
    try {
        return body(StandIn::Instance());
    } catch (...) {
        return VI_ERROR_SYSTEM_ERROR;
    }
}

}  // namespace

extern "C" {

ViStatus ZV_FUNC viOpenDefaultRM(ViPSession vi) {
    return Guarded([&](StandIn& s) { return s.OpenDefaultRM(vi); });
}
ViStatus ZV_FUNC viOpen(ViSession sesn, ViConstRsrc name, ViAccessMode mode, ViUInt32 timeout, ViPSession vi) {
    return Guarded([&](StandIn& s) { return s.Open(sesn, name, mode, timeout, vi); });
}
ViStatus ZV_FUNC viClose(ViObject vi) {
    return Guarded([&](StandIn& s) { return s.Close(vi); });
}
ViStatus ZV_FUNC viGetAttribute(ViObject vi, ViAttr attribute, void* value) {
    return Guarded([&](StandIn& s) { return s.GetAttribute(vi, attribute, value); });
}
ViStatus ZV_FUNC viSetAttribute(ViObject vi, ViAttr attribute, ViAttrState value) {
    return Guarded([&](StandIn& s) { return s.SetAttribute(vi, attribute, value); });
}
ViStatus ZV_FUNC viRead(ViSession vi, ViPBuf buf, ViUInt32 count, ViPUInt32 retCount) {
    return Guarded([&](StandIn& s) { return s.Read(vi, buf, count, retCount); });
}
ViStatus ZV_FUNC viWrite(ViSession vi, ViConstBuf buf, ViUInt32 count, ViPUInt32 retCount) {
    return Guarded([&](StandIn& s) { return s.Write(vi, buf, count, retCount); });
}
// Asynchronous transfers complete at once; the job id is then meaningless.
ViStatus ZV_FUNC viReadAsync(ViSession vi, ViPBuf buf, ViUInt32 count, ViPJobId jobId) {
    if (jobId) *jobId = 1;
    return Guarded([&](StandIn& s) {
        const ViStatus status = s.Read(vi, buf, count, nullptr);
        return status < 0 ? status : VI_SUCCESS_SYNC;
    });
}
ViStatus ZV_FUNC viWriteAsync(ViSession vi, ViConstBuf buf, ViUInt32 count, ViPJobId jobId) {
    if (jobId) *jobId = 1;
    return Guarded([&](StandIn& s) {
        const ViStatus status = s.Write(vi, buf, count, nullptr);
        return status < 0 ? status : VI_SUCCESS_SYNC;
    });
}
ViStatus ZV_FUNC viAssertTrigger(ViSession vi, ViUInt16 protocol) {
    return Guarded([&](StandIn& s) { return s.AssertTrigger(vi, protocol); });
}
ViStatus ZV_FUNC viReadSTB(ViSession vi, ViPUInt16 status) {
    return Guarded([&](StandIn& s) { return s.ReadStb(vi, status); });
}
ViStatus ZV_FUNC viClear(ViSession vi) {
    return Guarded([&](StandIn& s) { return s.Clear(vi); });
}
ViStatus ZV_FUNC viSetBuf(ViSession vi, ViUInt16 mask, ViUInt32 size) {
    return Guarded([&](StandIn& s) { return s.SetBuf(vi, mask, size); });
}
ViStatus ZV_FUNC viFlush(ViSession vi, ViUInt16 mask) {
    return Guarded([&](StandIn& s) { return s.Flush(vi, mask); });
}
ViStatus ZV_FUNC viGpibControlREN(ViSession vi, ViUInt16 mode) {
    return Guarded([&](StandIn& s) { return s.GpibControlREN(vi, mode); });
}

// ---- control interface ---------------------------------------------------------

ViStatus ZV_FUNC ZvReset(void) {
    return Guarded([&](StandIn& s) { return s.Reset(); });
}
ViStatus ZV_FUNC ZvConfigure(const char* text) {
    return Guarded([&](StandIn& s) { return s.Configure(text ? text : ""); });
}
ViStatus ZV_FUNC ZvFailNext(ZvOperation op, ViUInt32 skip, ViStatus status) {
    return Guarded([&](StandIn& s) { return s.FailNext(op, skip, status); });
}
ViStatus ZV_FUNC ZvSetReplyDelay(const char* resource, ViUInt32 ms) {
    return Guarded([&](StandIn& s) { return s.SetReplyDelay(resource, ms); });
}
ViStatus ZV_FUNC ZvSetMaxWait(ViUInt32 ms) {
    return Guarded([&](StandIn& s) { return s.SetMaxWait(ms); });
}
ViStatus ZV_FUNC ZvQueueReply(const char* resource, const char* line, const char* reply) {
    return Guarded([&](StandIn& s) { return s.QueueReply(resource, line, reply); });
}
ViStatus ZV_FUNC ZvFeed(ViSession vi, const char* bytes, ViUInt32 count) {
    return Guarded([&](StandIn& s) { return s.Feed(vi, bytes, count); });
}
ViStatus ZV_FUNC ZvGetWireLog(const char* resource, char* buffer, ViUInt32 size, ViPUInt32 length) {
    return Guarded([&](StandIn& s) { return s.GetLog(resource, true, buffer, size, length); });
}
ViStatus ZV_FUNC ZvGetTrace(const char* resource, char* buffer, ViUInt32 size, ViPUInt32 length) {
    return Guarded([&](StandIn& s) { return s.GetLog(resource, false, buffer, size, length); });
}
ViStatus ZV_FUNC ZvClearLogs(const char* resource) {
    return Guarded([&](StandIn& s) { return s.ClearLogs(resource); });
}
ViStatus ZV_FUNC ZvSetSpecVersion(ViVersion version) {
    return Guarded([&](StandIn& s) { return s.SetSpecVersion(version); });
}
ViStatus ZV_FUNC ZvUseVirtualClock(ViBoolean on) {
    return Guarded([&](StandIn& s) { return s.UseVirtualClock(on != VI_FALSE); });
}
ViStatus ZV_FUNC ZvAdvanceClock(ViReal64 seconds) {
    return Guarded([&](StandIn& s) { return s.AdvanceClock(seconds); });
}
ViStatus ZV_FUNC ZvInstrumentLine(const char* resource, const char* line, char* reply, ViUInt32 size) {
    return Guarded([&](StandIn& s) { return s.InstrumentLine(resource, line, reply, size); });
}
ViStatus ZV_FUNC ZvOpenSessionCount(ViPUInt32 count) {
    return Guarded([&](StandIn& s) { return s.OpenSessionCount(count); });
}

}  // extern "C"
