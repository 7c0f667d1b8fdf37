// The library's entry point and its four exports.
#include <windows.h>
#include <objbase.h>

#include "Zew4400Lib.h"
#include "ClassTable.h"
#include "../com/Control.h"
#include "../com/Module.h"
#include "../com/Registrar.h"
#include "../com/TypeLibrary.h"

using namespace zew::com;
using namespace zew::server;

namespace {

Substitutions RegistrySubstitutions(const ClassEntry& entry) {
    return {{L"%MODULE%", ModulePath()}, {L"%CLSID%", GuidString(*entry.clsid)}, {L"%LIBID%", GuidString(LIBID_ZEW4400Lib)}};
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        ReleaseModuleTypeLib();
        UnregisterControlWindowClass();
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    for (const ClassEntry& entry : ClassTable()) {
        if (*entry.clsid == clsid) return entry.factory->QueryInterface(riid, ppv);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return ModuleLockCount() == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT WINAPI DllRegisterServer() {
    for (const ClassEntry& entry : ClassTable()) {
        const HRESULT hr = RegisterScript(*entry.script, RegistrySubstitutions(entry));
        if (FAILED(hr)) return hr;
    }
    return RegisterModuleTypeLib();
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
    for (const ClassEntry& entry : ClassTable()) UnregisterScript(*entry.script, RegistrySubstitutions(entry));
    UnregisterModuleTypeLib();
    return S_OK;
}
