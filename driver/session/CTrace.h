// The driver's I/O trace, for a test engineer diagnosing a sequence: every
// line to and from the instrument, session and library events, each failed
// call once, and long waits for the instrument lock (see TraceFormat.h for
// the lines). Off unless the environment variable ZEW4400_TRACE, or else the
// string value TraceFile under HKEY_CURRENT_USER, then HKEY_LOCAL_MACHINE,
// Software\Orvanta\Zew4400, names a file or says "debug" (lines to the
// debugger output). Off, an event costs one test of a flag.
//
// The trace writes only into files it made: a new file starts with the
// trace's header line, and an existing file is appended to only when it
// begins with that line. Anything else is left alone and the trace stays off
// (said once on the debugger output).
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

    // One line for the resource ("" for none), its bytes escaped so that it
    // stays one line. Never fails: a line that cannot be written is dropped.
    // Writers of one file take turns on a mutex named after the file, waiting
    // 100 ms at most; a line that finds the file busy is counted and the
    // count written before the next line that gets through. A file past its
    // limit (16 MiB, or the bytes in ZEW4400_TRACE_LIMIT) becomes <name>.1
    // (replacing only an older trace file there) and starts again.
    static void Write(std::string_view resource, std::string_view event) noexcept;
    static void Write(std::string_view resource, std::wstring_view event) noexcept;

    // While a thread holds the instrument lock its lines wait, in order, and
    // are written when it lets go (Hold and Release nest): no process ever
    // waits for the lock because of a trace file.
    static void Hold() noexcept;
    static void Release() noexcept;

    // For the file's first opening, which finds another program's file.
    static void TurnOff() noexcept;

private:
    static std::atomic<bool> on_;
};

// "Class.method" of the automation method at a call site.
std::string MethodAt(const std::source_location& where);

}  // namespace zew::session
