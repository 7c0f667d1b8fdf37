// The library module: its instance handle, its path and its lock count.
#pragma once

#include <windows.h>

#include <string>

namespace zew::com {

void SetModuleInstance(HINSTANCE instance);
HINSTANCE ModuleInstance();
std::wstring ModulePath();

// The lock count rises for every live object of the library and every
// LockServer(TRUE); the library may unload when it is 0.
void LockModule();
void UnlockModule();
LONG ModuleLockCount();

}  // namespace zew::com
