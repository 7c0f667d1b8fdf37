#include "CTrace.h"

#include <windows.h>

#include <mutex>
#include <optional>

#include "../com/UniqueAny.h"
#include "CodePage.h"
#include "MachineSetting.h"
#include "TraceFormat.h"

namespace zew::session {

std::atomic<bool> CTrace::on_{false};

namespace {

constexpr ULONGLONG kDefaultLimit = 16ull * 1024 * 1024;
constexpr DWORD kFileWaitMs = 5000;

struct TraceState {
    std::mutex mutex;   // one line at a time within the process
    // One line at a time among the processes tracing into the file: an
    // append is not one step everywhere (Wine finds the end, then writes),
    // and the rollover must see no line half written.
    com::UniqueHandle fileMutex;
    bool debug = false;
    std::wstring path;
    com::UniqueHandle file;
    ULONGLONG limit = kDefaultLimit;
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

// Shared for reading, writing and renaming, so that several processes trace
// into one file and any of them can roll it over.
com::UniqueHandle OpenForAppending(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    return com::UniqueHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

bool SameFile(HANDLE file, const std::wstring& path) {
    HANDLE other = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    if (other == INVALID_HANDLE_VALUE) return false;
    const com::UniqueHandle owned(other);
    BY_HANDLE_FILE_INFORMATION a{}, b{};
    return GetFileInformationByHandle(file, &a) && GetFileInformationByHandle(owned.get(), &b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

// Under the file mutex. A full file becomes <name>.1; whoever finds the file
// at the path already new (another process rolled it over) only opens that one.
void RollOverIfFull(TraceState& state) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(state.file.get(), &size) || static_cast<ULONGLONG>(size.QuadPart) < state.limit) return;
    if (SameFile(state.file.get(), state.path)) {
        MoveFileExW(state.path.c_str(), (state.path + L".1").c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    state.file = OpenForAppending(state.path);
}

}  // namespace

void CTrace::Configure() {
    static std::once_flag once;
    std::call_once(once, [] {
        auto setting = Environment(L"ZEW4400_TRACE");
        if (!setting || setting->empty()) setting = MachineSetting(L"TraceFile");
        if (!setting) return;
        TraceState& state = State();
        if (CompareStringOrdinal(setting->c_str(), -1, L"debug", -1, TRUE) == CSTR_EQUAL) {
            state.debug = true;
        } else {
            state.path = *setting;
            state.file = OpenForAppending(state.path);
            state.fileMutex.reset(CreateMutexW(nullptr, FALSE, L"Zew4400TraceFile"));
            if (!state.file || !state.fileMutex) {
                OutputDebugStringW((L"Zew4400: cannot open the trace file " + state.path + L" (error " +
                                    std::to_wstring(GetLastError()) + L"); tracing stays off\n")
                                       .c_str());
                return;
            }
            if (const auto limit = Environment(L"ZEW4400_TRACE_LIMIT")) {
                if (const ULONGLONG bytes = wcstoull(limit->c_str(), nullptr, 10); bytes > 0) state.limit = bytes;
            }
        }
        on_.store(true, std::memory_order_relaxed);
    });
}

void CTrace::Write(std::string_view resource, std::string_view event) noexcept {
    if (!On()) return;
    try {
        SYSTEMTIME now;
        GetLocalTime(&now);
        const TraceStamp stamp{now.wYear,   now.wMonth,  now.wDay,
                               now.wHour,   now.wMinute, now.wSecond,
                               now.wMilliseconds, static_cast<std::uint32_t>(GetCurrentProcessId()),
                               static_cast<std::uint32_t>(GetCurrentThreadId())};
        const std::string line = TraceLine(stamp, resource, event);
        TraceState& state = State();
        if (state.debug) {
            OutputDebugStringW(FromUtf8(line).c_str());
            return;
        }
        std::lock_guard lock(state.mutex);
        const DWORD waited = WaitForSingleObject(state.fileMutex.get(), kFileWaitMs);
        if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return;   // dropped rather than torn
        RollOverIfFull(state);
        if (state.file) {
            DWORD written = 0;
            WriteFile(state.file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        }
        ReleaseMutex(state.fileMutex.get());
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

std::string MethodAt(const std::source_location& where) { return MethodOfFunction(where.function_name()); }

}  // namespace zew::session
