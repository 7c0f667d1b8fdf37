// A small registry writer for self-registration: it runs the registry scripts
// of RegistryScript.h with their placeholders substituted.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "RegistryScript.h"

namespace zew::com {

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
