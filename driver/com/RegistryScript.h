// A class's registry script as data: the keys it owns (replaced whole on
// registration and removed whole on unregistration) and the values it writes,
// all under HKEY_CLASSES_ROOT. Keys and values may hold the placeholders
// %MODULE% (the library's full path), %CLSID% (the class's CLSID) and %LIBID%
// (the type library's LIBID). Portable: the installer's build reads the same
// scripts on the build machine.
#pragma once

#include <span>

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

}  // namespace zew::com
