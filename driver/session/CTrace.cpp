#include "CTrace.h"

#include <windows.h>

#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include <zewhandles/WindowsHandles.h>
#include "CodePage.h"
#include "MachineSetting.h"
#include "SharedMutex.h"
#include "TraceFormat.h"

namespace zew::session {

std::atomic<bool> CTrace::on_{false};

namespace {

constexpr ULONGLONG kDefaultLimit = 16ull * 1024 * 1024;
// Writers of one file wait for each other this long at most; a line that
// cannot get the file in time is counted and the count written later.
constexpr DWORD kFileWaitMs = 100;

// Each thread's lines while it holds the instrument lock, written once it
// lets go: no other process waits on the lock for a trace file. Plain
// pointers, so that no thread-exit destructor of this library is left behind
// when a host frees it.
thread_local int holding = 0;
thread_local std::vector<std::string>* held = nullptr;

// Says something about the trace itself where a test engineer looks when a
// trace stays empty, once until the condition clears.
void Say(bool& said, const std::wstring& text) {
    if (said) return;
    said = true;
    OutputDebugStringW((L"Zew4400: " + text + L"\n").c_str());
}

enum class Opened { File, NotATrace, Failed };

struct TraceState {
    std::mutex mutex;   // one writer at a time within the process
    // One writer at a time among the processes tracing into this file: an
    // append is not one step everywhere (Wine finds the end, then writes),
    // and a rollover must see no line half written. Named after the file.
    handles::UniqueHandle fileMutex;
    bool debug = false;
    std::wstring path;
    handles::UniqueHandle file;
    ULONGLONG limit = kDefaultLimit;
    unsigned long long dropped = 0;   // lines that found the file busy
    bool opened = false;              // once: the file at the path was ours
    bool saidReopen = false, saidForeignOld = false;
};

TraceState& State() {
    static TraceState state;
    return state;
}

std::optional<std::wstring> Environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    return std::wstring(value, length);
}

std::wstring ErrorText(DWORD error) { return L"error " + std::to_wstring(error); }

// Shared for reading, writing and renaming, so that several processes trace
// into one file and any of them can roll it over.
HANDLE OpenShared(const std::wstring& path, DWORD access, DWORD disposition) {
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool BeginsWithHeader(HANDLE file) {
    const std::string_view header = TraceFileHeader();
    std::string start(header.size(), '\0');
    OVERLAPPED at{};   // from the first byte, wherever the file pointer is
    DWORD read = 0;
    return ReadFile(file, start.data(), static_cast<DWORD>(start.size()), &read, &at) && read == start.size() &&
           start == header;
}

bool IsTraceFile(const std::wstring& path) {
    const handles::UniqueHandle file(OpenShared(path, FILE_READ_DATA, OPEN_EXISTING));
    return file.get() != INVALID_HANDLE_VALUE && BeginsWithHeader(file.get());
}

// Under the file mutex. A new file starts with the header; an existing one is
// appended to only when it begins with it, so the trace never writes into a
// file that some other program (or an earlier driver) made.
Opened OpenTraceFile(const std::wstring& path, handles::UniqueHandle& opened) {
    constexpr DWORD kAccess = FILE_APPEND_DATA | FILE_READ_DATA | FILE_READ_ATTRIBUTES;
    HANDLE file = OpenShared(path, kAccess, CREATE_NEW);
    if (file != INVALID_HANDLE_VALUE) {
        const std::string_view header = TraceFileHeader();
        DWORD written = 0;
        WriteFile(file, header.data(), static_cast<DWORD>(header.size()), &written, nullptr);
        opened.reset(file);
        return Opened::File;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return Opened::Failed;
    file = OpenShared(path, kAccess, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) return Opened::Failed;
    handles::UniqueHandle existing(file);
    if (!BeginsWithHeader(existing.get())) return Opened::NotATrace;
    opened = std::move(existing);
    return Opened::File;
}

bool SameFile(HANDLE file, const std::wstring& path) {
    const handles::UniqueHandle other(OpenShared(path, FILE_READ_ATTRIBUTES, OPEN_EXISTING));
    if (other.get() == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION a{}, b{};
    return GetFileInformationByHandle(file, &a) && GetFileInformationByHandle(other.get(), &b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

// Under the file mutex: the file to write into. A full file of ours becomes
// <name>.1, replacing only an older trace there; whoever finds the file at
// the path already new (another process rolled it over) opens that one. A
// file that cannot be opened is said once and tried again at the next line.
bool ReadyFile(TraceState& state) {
    if (state.file) {
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(state.file.get(), &size) || static_cast<ULONGLONG>(size.QuadPart) < state.limit)
            return true;
        if (SameFile(state.file.get(), state.path)) {
            const std::wstring old = state.path + L".1";
            if (GetFileAttributesW(old.c_str()) != INVALID_FILE_ATTRIBUTES && !IsTraceFile(old)) {
                Say(state.saidForeignOld, old + L" is not a trace file: the trace grows past its limit instead");
                return true;
            }
            state.saidForeignOld = false;
            MoveFileExW(state.path.c_str(), old.c_str(), MOVEFILE_REPLACE_EXISTING);
        }
        state.file.reset();
    }
    switch (OpenTraceFile(state.path, state.file)) {
        case Opened::File:
            state.opened = true;
            state.saidReopen = false;
            return true;
        case Opened::NotATrace:
            if (!state.opened) {
                // Named by the setting, never ours: the trace stays off.
                CTrace::TurnOff();
                Say(state.saidReopen, state.path + L" is not a trace file of this driver (its first line is not "
                                                   L"the trace's header): it is left alone and tracing stays off");
            } else {
                Say(state.saidReopen, L"the trace file " + state.path + L" is now another program's file: "
                                                                        L"not written");
            }
            return false;
        case Opened::Failed:
            Say(state.saidReopen, L"cannot open the trace file " + state.path + L" (" + ErrorText(GetLastError()) +
                                      L"); trying again at the next line");
            return false;
    }
    return false;
}

TraceStamp Now() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return TraceStamp{now.wYear,   now.wMonth,  now.wDay,
                      now.wHour,   now.wMinute, now.wSecond,
                      now.wMilliseconds, static_cast<std::uint32_t>(GetCurrentProcessId()),
                      static_cast<std::uint32_t>(GetCurrentThreadId())};
}

// Writes whole lines in one go, with the count of lines dropped before them.
void WriteLines(const std::vector<std::string>& lines) {
    TraceState& state = State();
    if (state.debug) {
        for (const std::string& line : lines) OutputDebugStringW(FromUtf8(line).c_str());
        return;
    }
    std::lock_guard lock(state.mutex);
    const DWORD waited = WaitForSingleObject(state.fileMutex.get(), kFileWaitMs);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        state.dropped += lines.size();   // never torn, never waited for long
        return;
    }
    if (ReadyFile(state)) {
        std::string text;
        if (state.dropped) {
            text = TraceLine(Now(), "", "trace dropped=" + std::to_string(state.dropped) + " (the file was busy)");
        }
        for (const std::string& line : lines) text += line;
        DWORD written = 0;
        if (WriteFile(state.file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
            state.dropped = 0;
    } else {
        state.dropped += lines.size();
    }
    ReleaseMutex(state.fileMutex.get());
}

}  // namespace

void CTrace::Configure() {
    static std::once_flag once;
    std::call_once(once, [] {
        auto setting = Environment(L"ZEW4400_TRACE");
        if (!setting || setting->empty()) setting = UserOrMachineSetting(L"TraceFile");
        if (!setting) return;
        TraceState& state = State();
        if (CompareStringOrdinal(setting->c_str(), -1, L"debug", -1, TRUE) == CSTR_EQUAL) {
            state.debug = true;
            on_.store(true, std::memory_order_relaxed);
            return;
        }
        bool said = false;
        wchar_t full[MAX_PATH] = {};
        const DWORD length = GetFullPathNameW(setting->c_str(), MAX_PATH, full, nullptr);
        if (length == 0 || length >= MAX_PATH) {
            Say(said, L"the trace file " + *setting + L" is no usable path; tracing stays off");
            return;
        }
        state.path = full;
        // One mutex for every spelling of the path: Windows paths ignore case.
        std::wstring key = state.path;
        CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
        state.fileMutex = OpenOrCreateSharedMutex(FromUtf8(TraceFileMutexName(ToUtf8(key))).c_str());
        if (!state.fileMutex) {
            Say(said, L"no lock for the trace file " + state.path + L" (" + ErrorText(GetLastError()) +
                          L"); tracing stays off");
            return;
        }
        // The file is opened by the first line, under the mutex.
        if (const auto limit = Environment(L"ZEW4400_TRACE_LIMIT")) {
            if (const ULONGLONG bytes = wcstoull(limit->c_str(), nullptr, 10); bytes > 0) state.limit = bytes;
        }
        on_.store(true, std::memory_order_relaxed);
    });
}

void CTrace::Write(std::string_view resource, std::string_view event) noexcept {
    if (!On()) return;
    try {
        std::string line = TraceLine(Now(), resource, event);
        if (holding > 0) {
            if (!held) held = new std::vector<std::string>;
            held->push_back(std::move(line));
            return;
        }
        WriteLines({std::move(line)});
    } catch (...) {
        // The trace never changes what the client sees.
    }
}

void CTrace::Write(std::string_view resource, std::wstring_view event) noexcept {
    if (!On()) return;
    try {
        Write(resource, std::string_view(ToUtf8(event)));
    } catch (...) {
    }
}

void CTrace::TurnOff() noexcept { on_.store(false, std::memory_order_relaxed); }

void CTrace::Hold() noexcept { ++holding; }

void CTrace::Release() noexcept {
    if (holding == 0 || --holding > 0 || !held) return;
    const std::unique_ptr<std::vector<std::string>> lines(std::exchange(held, nullptr));
    try {
        WriteLines(*lines);
    } catch (...) {
    }
}

std::string MethodAt(const std::source_location& where) { return MethodOfFunction(where.function_name()); }

}  // namespace zew::session
