// The driver's I/O trace, for a test engineer diagnosing a sequence: every
// line to and from the instrument, session and library events, each failed
// call once, and long waits for the instrument lock (see TraceFormat.h for
// the lines). Off unless the environment variable ZEW4400_TRACE, or else the
// string value TraceFile under HKEY_CURRENT_USER, then HKEY_LOCAL_MACHINE,
// Software\Orvanta\Zew4400, names a file (lines appended) or says "debug"
// (lines to the debugger output). Off, an event costs one test of a flag.
#pragma once

#include <atomic>
#include <source_location>
#include <string>
#include <string_view>

namespace zew::session {

class CTrace {
public:
    // Reads the setting and opens the file; once per process, when the first
    // driver object is made. A file that cannot be opened is reported once to
    // the debugger output, and the trace stays off.
    static void Configure();

    static bool On() noexcept { return on_.load(std::memory_order_relaxed); }

    // One line for the resource ("" for none). Never fails: a line that cannot
    // be written is dropped. A file past its limit (16 MiB, or the bytes in
    // ZEW4400_TRACE_LIMIT) is renamed to <name>.1 and started again; processes
    // tracing into one file agree on it under a named mutex.
    static void Write(std::string_view resource, std::string_view event) noexcept;
    static void Write(std::string_view resource, std::wstring_view event) noexcept;

private:
    static std::atomic<bool> on_;
};

// "Class.method" of the automation method at a call site.
std::string MethodAt(const std::source_location& where);

}  // namespace zew::session
