// The text of the driver's I/O trace, without Windows types: escaped bytes,
// VISA statuses in words, the method a failure is reported for, and whole
// lines. One line per event, fields separated by blanks, in a fixed order:
//   <date> <time.ms> <process id> <thread id> <resource or -> <event> <details>
// for example
//   2026-12-07 08:50:12.345 412 413 GPIB0::1 -> *IDN?\n
//   2026-12-07 08:50:12.347 412 413 GPIB0::1 <- ORVANTA ELECTRONICS CORP.,ZEW4400,0,1.00.00\n status=VI_SUCCESS_TERM_CHAR ms=2
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zew::session {

// Bytes as text: printable ASCII as it is (a backslash doubled), \n, \r and
// \t, every other byte as \xNN.
std::string EscapeBytes(std::string_view bytes);

// A VISA status by its name where it is one the driver meets (VI_SUCCESS,
// VI_SUCCESS_TERM_CHAR, VI_ERROR_TMO, ...), else 0x followed by 8 hex digits.
std::string StatusName(std::int32_t status);

// "Class.method" of a compiler's function signature, with a C-prefixed class
// named by its interface: "virtual long zew::objects::CZew4400::Connect(wchar_t*)"
// gives "IZew4400.Connect"; template arguments are left out. The signature
// itself when it has no class.
std::string MethodOfFunction(std::string_view signature);

struct TraceStamp {
    int year, month, day, hour, minute, second, millisecond;
    std::uint32_t process, thread;
};

// One whole line, ending in a line feed, and never more than one: the
// resource (client text) is escaped as EscapeBytes does, its blanks as \x20;
// any control byte left in the event (its parts are escaped by who builds
// them) as \xNN.
std::string TraceLine(const TraceStamp& stamp, std::string_view resource, std::string_view event);

// The first line of every trace file; the trace appends only to a file that
// begins with it.
std::string_view TraceFileHeader();

// The name of the mutex that writers of one trace file share: a prefix and
// 16 hex digits of a hash of the file's full path (as the caller spells it,
// case folded).
std::string TraceFileMutexName(std::string_view fullPath);

}  // namespace zew::session
