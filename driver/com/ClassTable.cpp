#include "ClassTable.h"

#include "Zew4400Lib.h"
#include "../objects/CZew4400.h"
#include "RegistryScripts.h"

namespace zew::com {
namespace {

ClassFactory g_zew4400Factory(&objects::CZew4400::Create);

const ClassEntry kClasses[] = {
    {&CLSID_Zew4400, &g_zew4400Factory, &kZew4400Script},
};

}  // namespace

std::span<const ClassEntry> ClassTable() { return kClasses; }

}  // namespace zew::com
