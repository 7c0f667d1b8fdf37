// A small registry writer for self-registration. A class's registry script is
// data: the keys it owns (replaced whole on registration and removed whole on
// unregistration) and the values it writes, all under HKEY_CLASSES_ROOT.
// Keys and values may hold the placeholders %MODULE% (the library's full path),
// %CLSID% (the class's CLSID) and %LIBID% (the type library's LIBID).
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <utility>
#include <vector>

namespace zew::com {

struct RegistryEntry {
    const wchar_t* key;
    const wchar_t* name;   // nullptr: the key's default value
    const wchar_t* value;  // nullptr: the key only
};

struct RegistryScript {
    std::span<const wchar_t* const> ownedKeys;
    std::span<const RegistryEntry> entries;
};

using Substitutions = std::vector<std::pair<std::wstring, std::wstring>>;

HRESULT RegisterScript(const RegistryScript& script, const Substitutions& substitutions);
HRESULT UnregisterScript(const RegistryScript& script, const Substitutions& substitutions);

// The type library of the module: registered with its file's directory as the
// help directory, and unregistered through oleaut32's UnRegisterTypeLib when
// the system has it.
HRESULT RegisterModuleTypeLib();
HRESULT UnregisterModuleTypeLib();

std::wstring GuidString(REFGUID guid);

}  // namespace zew::com
