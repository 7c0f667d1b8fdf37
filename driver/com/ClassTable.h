// The library's classes: one row per class, each with its class object and
// its registry script.
#pragma once

#include <windows.h>

#include <span>

#include "ClassFactory.h"
#include "Registrar.h"

namespace zew::com {

struct ClassEntry {
    const CLSID* clsid;
    ClassFactory* factory;
    const RegistryScript* script;
};

std::span<const ClassEntry> ClassTable();

}  // namespace zew::com
