// The library's classes: one row per class, each with its class object and
// its registry script.
#pragma once

#include <windows.h>

#include <span>

#include "../com/ClassFactory.h"
#include "../com/Registrar.h"

namespace zew::server {

struct ClassEntry {
    const CLSID* clsid;
    com::ClassFactory* factory;
    const com::RegistryScript* script;
};

std::span<const ClassEntry> ClassTable();

}  // namespace zew::server
