// The library's own type library, embedded as resource TYPELIB 1.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace zew::com {

// Loads the type library from the module file or, failing that, from the file
// of the same name with the extension ".tlb". path receives the file used.
HRESULT LoadModuleTypeLib(ITypeLib** typeLib, std::wstring* path = nullptr);

// The type information of an interface of the library, loaded once per process.
HRESULT GetModuleTypeInfo(REFGUID guid, ITypeInfo** typeInfo);

// Releases what GetModuleTypeInfo keeps.
void ReleaseModuleTypeLib();

}  // namespace zew::com
