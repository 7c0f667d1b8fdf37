// Helpers for tests that drive Zew4400.ocx as a client does: loaded from the
// test program's directory, objects made through its class object.
#pragma once

#include <windows.h>

#include <string>

#include "Zew4400Lib.h"
#include "com/Bstr.h"
#include "com/ComPtr.h"

namespace zewtest {

using zew::com::Bstr;
using zew::com::ComPtr;

// The error codes a client sees (0x800A0000 plus the message number), written
// out here so that the tests pin them whatever the driver's message table says.
inline constexpr HRESULT kGpibUnknownError = static_cast<HRESULT>(0x800A04B0);   // 1200: a VISA set-up call failed
inline constexpr HRESULT kVisaNotFound = static_cast<HRESULT>(0x800A04B1);       // 1201: no VISA library
inline constexpr HRESULT kOpenFailed = static_cast<HRESULT>(0x800A04C4);         // 1220
inline constexpr HRESULT kDifferentModel = static_cast<HRESULT>(0x800A04C7);     // 1223: not a tester of the family
inline constexpr HRESULT kWriteFailed = static_cast<HRESULT>(0x800A04CE);        // 1230
inline constexpr HRESULT kReadFailed = static_cast<HRESULT>(0x800A04CF);         // 1231
inline constexpr HRESULT kNotInitialized = static_cast<HRESULT>(0x800A04D0);     // 1232: no open session

// The library, loaded once from beside the test program.
HMODULE DriverModule();
std::wstring DriverPath();

template <class Export>
Export DriverExport(const char* name) {
    return reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(DriverModule(), name)));
}

// The library's class object of clsid, through DllGetClassObject; null when
// it has none.
ComPtr<IClassFactory> ClassFactory(REFCLSID clsid);
ComPtr<IZew4400> CreateDriver();

HRESULT Connect(IZew4400* driver, const wchar_t* device);

// VARIANT arguments as a client passes them: a number of type vt (VT_R8 takes
// it as a real, any other type as its integer bits) and a name, whose text
// the caller's Bstr owns.
VARIANT Number(VARTYPE vt, long n);
VARIANT Name(const Bstr& name);

// The driver's children; memory n is looked up by a VT_I2 number.
ComPtr<IRegister> RegisterOf(IZew4400* driver);
ComPtr<IMemories> MemoriesOf(IZew4400* driver);
ComPtr<IMemory> MemoryOf(IZew4400* driver, short n);
// Program n, by a VT_I2 number; a program's step n and its number of steps.
ComPtr<IProgram> ProgramOf(IZew4400* driver, short n);
ComPtr<IStep> StepOf(IProgram* program, long n);
long StepCount(IProgram* program);

// The description of the calling thread's error information ("" when none);
// the information is consumed.
std::wstring ErrorDescription();

// A driver message with the device filled in, as clients see it.
std::wstring Message(const wchar_t* text, const wchar_t* device);

// Whether another thread can take the machine-wide instrument lock within
// patienceMs: test programs sharing the Wine prefix hold it for a moment at a
// time, while a lock the calling thread leaked stays held.
bool InstrumentLockIsFree(DWORD patienceMs = 250);

}  // namespace zewtest
