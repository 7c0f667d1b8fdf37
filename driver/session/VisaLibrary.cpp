#include "VisaLibrary.h"

#include <windows.h>

#include <mutex>

namespace zew::session {
namespace {

template <class Function>
bool Bind(HMODULE library, WORD ordinal, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(ordinal))));
    return function != nullptr;
}

const VisaFunctions* Load() {
    HMODULE library = LoadLibraryW(L"VISA32.DLL");
    if (!library) return nullptr;
    static VisaFunctions f{};
    const bool bound = Bind(library, 141, f.OpenDefaultRM) && Bind(library, 131, f.Open) &&
                       Bind(library, 132, f.Close) && Bind(library, 133, f.GetAttribute) &&
                       Bind(library, 134, f.SetAttribute) && Bind(library, 256, f.Read) &&
                       Bind(library, 257, f.Write) && Bind(library, 259, f.ReadSTB) &&
                       Bind(library, 260, f.Clear) && Bind(library, 258, f.AssertTrigger) &&
                       Bind(library, 267, f.SetBuf) && Bind(library, 268, f.Flush) &&
                       Bind(library, 208, f.GpibControlREN);
    if (!bound) {
        FreeLibrary(library);
        return nullptr;
    }
    // The library stays loaded for the life of the process.
    return &f;
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
