#include "VisaLibrary.h"

#include <windows.h>

#include <mutex>
#include <optional>
#include <string>
#include <cstring>

#include <zewhandles/WindowsHandles.h>
#include "CTrace.h"
#include "MachineSetting.h"

namespace zew::session {
namespace {

// Where a machine names the library to use, per bitness, under
// HKEY_LOCAL_MACHINE in the 64-bit view, which 32- and 64-bit processes share.
#ifdef _WIN64
constexpr wchar_t kLibraryValue[] = L"VisaLibrary64";
constexpr const wchar_t* kLibraryNames[] = {L"visa64.dll", L"VISA32.DLL"};
#else
constexpr wchar_t kLibraryValue[] = L"VisaLibrary32";
constexpr const wchar_t* kLibraryNames[] = {L"VISA32.DLL"};
#endif

// Which library was loaded, or why one could not be used (the client sees
// only message 1201): to the trace when it is on, else to the debugger output.
void Note(const std::wstring& text) {
    if (CTrace::On()) {
        CTrace::Write("", std::wstring_view(text));
    } else {
        OutputDebugStringW((L"Zew4400: " + text + L"\n").c_str());
    }
}

// A drive letter and a backslash, or a UNC path: nothing that the current
// folder could complete.
bool IsFullPath(const std::wstring& path) {
    const bool drive = path.size() > 2 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
    return drive || path.rfind(L"\\\\", 0) == 0;
}

template <class Function>
bool Bind(HMODULE library, const char* name, [[maybe_unused]] WORD ordinal, Function& function) {
#ifdef _WIN64
    const char* symbol = name;
#else
    const char* symbol = MAKEINTRESOURCEA(ordinal);
#endif
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, symbol)));
    if (function) return true;
    Note(std::wstring(L"library lacks ") + std::wstring(name, name + strlen(name)));
    return false;
}

bool BindAll(HMODULE library, VisaFunctions& f) {
    return Bind(library, "viOpenDefaultRM", 141, f.OpenDefaultRM) && Bind(library, "viOpen", 131, f.Open) &&
           Bind(library, "viClose", 132, f.Close) && Bind(library, "viGetAttribute", 133, f.GetAttribute) &&
           Bind(library, "viSetAttribute", 134, f.SetAttribute) && Bind(library, "viRead", 256, f.Read) &&
           Bind(library, "viWrite", 257, f.Write);
}

// Loads one candidate and binds it; the library stays loaded for the life of
// the process once it is bound, and is freed again when it is not.
bool TryLibrary(const std::wstring& name, DWORD searchFlags, VisaFunctions& f) {
    handles::UniqueModule library(LoadLibraryExW(name.c_str(), nullptr, searchFlags));
    if (!library) {
        const DWORD error = GetLastError();
        Note(L"library " + name + (error == ERROR_BAD_EXE_FORMAT ? L" not loaded: built for another architecture"
                                                                 : L" not loaded: error " + std::to_wstring(error)));
        return false;
    }
    if (!BindAll(library.get(), f)) return false;
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(library.get(), path, MAX_PATH);
    Note(std::wstring(L"library ") + path);
    (void)library.release();
    return true;
}

const VisaFunctions* Load() {
    static VisaFunctions f{};
    if (UserHasSetting(kLibraryValue)) {
        Note(std::wstring(kLibraryValue) +
             L" under HKEY_CURRENT_USER ignored: only the machine's value (HKEY_LOCAL_MACHINE) chooses the library");
    }
    if (const auto chosen = MachineSetting(kLibraryValue)) {
        // The file the machine names, and nothing else.
        if (!IsFullPath(*chosen)) {
            Note(L"library " + *chosen + L" not loaded: " + kLibraryValue + L" is not a full path");
            return nullptr;
        }
        return TryLibrary(*chosen, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS, f) ? &f
                                                                                                           : nullptr;
    }
    for (const wchar_t* name : kLibraryNames) {
        if (TryLibrary(name, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS, f)) return &f;
    }
    return nullptr;
}

}  // namespace

const VisaFunctions* Visa() {
    static std::once_flag once;
    static const VisaFunctions* functions = nullptr;
    std::call_once(once, [] { functions = Load(); });
    return functions;
}

bool IsVisaAvailable() { return Visa() != nullptr; }

}  // namespace zew::session
