#include "VisaLibrary.h"

#include <windows.h>

#include <mutex>

#include "../com/UniqueAny.h"

namespace zew::session {
namespace {

template <class Function>
bool Bind(HMODULE library, WORD ordinal, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(ordinal))));
    return function != nullptr;
}

const VisaFunctions* Load() {
    com::UniqueModule library(LoadLibraryW(L"VISA32.DLL"));
    if (!library) return nullptr;
    static VisaFunctions f{};
    const bool bound = Bind(library.get(), 141, f.OpenDefaultRM) && Bind(library.get(), 131, f.Open) &&
                       Bind(library.get(), 132, f.Close) && Bind(library.get(), 133, f.GetAttribute) &&
                       Bind(library.get(), 134, f.SetAttribute) && Bind(library.get(), 256, f.Read) &&
                       Bind(library.get(), 257, f.Write) && Bind(library.get(), 259, f.ReadSTB) &&
                       Bind(library.get(), 260, f.Clear) && Bind(library.get(), 258, f.AssertTrigger) &&
                       Bind(library.get(), 267, f.SetBuf) && Bind(library.get(), 268, f.Flush) &&
                       Bind(library.get(), 208, f.GpibControlREN);
    if (!bound) return nullptr;
    // The library stays loaded for the life of the process.
    (void)library.release();
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
