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

// The library, loaded once from beside the test program.
HMODULE DriverModule();
std::wstring DriverPath();

template <class Export>
Export DriverExport(const char* name) {
    return reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(DriverModule(), name)));
}

ComPtr<IZew4400> CreateDriver();

HRESULT Connect(IZew4400* driver, const wchar_t* device);

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

// Whether another thread can take the machine-wide instrument lock at once.
bool InstrumentLockIsFree();

}  // namespace zewtest
