// The stand-in VISA32.DLL's control interface, for tests and demos. Exported
// beside the VISA functions; a driver never calls it.
//
// Resources are named in any spelling VISA accepts ("dev"-style names are the
// driver's business and are not accepted here): "GPIB0::5", "gpib0::5::instr"
// and "GPIB::5::INSTR" name the same resource. Logs and scripted replies are
// kept per resource across sessions, until ZvReset or ZvClearLogs.
#pragma once

#include <zewvisa/VisaTypes.h>

typedef enum ZvOperation {
    ZV_OP_OPEN_DEFAULT_RM = 1,
    ZV_OP_OPEN = 2,
    ZV_OP_CLOSE = 3,
    ZV_OP_SET_ATTRIBUTE = 4,
    ZV_OP_GET_ATTRIBUTE = 5,
    ZV_OP_WRITE = 6,
    ZV_OP_READ = 7,
    ZV_OP_READ_STB = 8,
    ZV_OP_CLEAR = 9
} ZvOperation;

#ifdef __cplusplus
extern "C" {
#endif

// Back to the start: configuration re-read from ZEW_VISA_CONFIG, fresh
// embedded instruments, no faults, delays, scripted replies or logs, real
// time. Open sessions stay open and keep their instruments.
ViStatus ZV_FUNC ZvReset(void);

// Replaces the configuration with the given text (the format of the file named
// by ZEW_VISA_CONFIG) and starts fresh embedded instruments. Returns
// VI_ERROR_INV_SETUP when a line was bad (the good lines still apply).
ViStatus ZV_FUNC ZvConfigure(const char* text);

// The call of op after the next `skip` calls fails with status and has no effect.
ViStatus ZV_FUNC ZvFailNext(ZvOperation op, ViUInt32 skip, ViStatus status);

// Replies of the resource's instrument become readable only ms milliseconds
// after the query was written (a read times out if that is past its time-out).
ViStatus ZV_FUNC ZvSetReplyDelay(const char* resource, ViUInt32 ms);

// Caps the real waiting of a read that times out (the status stays
// VI_ERROR_TMO), so tests of 10-second time-outs run fast.
ViStatus ZV_FUNC ZvSetMaxWait(ViUInt32 ms);

// The next time the line (without its line feed) is written to the resource,
// it is answered with reply (bytes as given, normally ending in a line feed)
// instead of reaching the instrument. Replies queue up per resource and line.
ViStatus ZV_FUNC ZvQueueReply(const char* resource, const char* line, const char* reply);

// Puts raw bytes on the session's input, as one message from the instrument.
ViStatus ZV_FUNC ZvFeed(ViSession vi, const char* bytes, ViUInt32 count);

// Every byte written to the resource, in order (the wire log). The call trace:
// one line per VISA call on the resource, such as "viSetAttribute 3FFF0021 19200",
// "viWrite *IDN?\n" (escaped) or "viRead => BFFF0015" for a failed call.
// A buffer too small gets the start and VI_SUCCESS_MAX_CNT; *length is the full length.
// Each log keeps its most recent 256 KiB at most: past that its oldest lines go.
ViStatus ZV_FUNC ZvGetWireLog(const char* resource, char* buffer, ViUInt32 size, ViPUInt32 length);
ViStatus ZV_FUNC ZvGetTrace(const char* resource, char* buffer, ViUInt32 size, ViPUInt32 length);
ViStatus ZV_FUNC ZvClearLogs(const char* resource);   // NULL clears every resource's logs

// The value VI_ATTR_RSRC_SPEC_VERSION reports (default 0x00500800, VISA 5.8).
ViStatus ZV_FUNC ZvSetSpecVersion(ViVersion version);

// Embedded instruments run on a virtual clock that only ZvAdvanceClock moves.
ViStatus ZV_FUNC ZvUseVirtualClock(ViBoolean on);
ViStatus ZV_FUNC ZvAdvanceClock(ViReal64 seconds);

// Talks to the resource's embedded instrument out of band: no session, no log.
// reply receives the answer (empty when the line has none).
ViStatus ZV_FUNC ZvInstrumentLine(const char* resource, const char* line, char* reply, ViUInt32 size);

// Number of open sessions, resource-manager sessions included.
ViStatus ZV_FUNC ZvOpenSessionCount(ViPUInt32 count);

#ifdef __cplusplus
}
#endif
