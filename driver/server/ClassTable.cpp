#include "ClassTable.h"

#include "Zew4400Lib.h"
#include "../objects/CMemories.h"
#include "../objects/CMemory.h"
#include "../objects/CProgram.h"
#include "../objects/CPrograms.h"
#include "../objects/CRegister.h"
#include "../objects/CStep.h"
#include "../objects/CSteps.h"
#include "../objects/CZew4400.h"
#include "../ui/CPropPageAuto.h"
#include "../ui/CPropPageGeneral.h"
#include "../com/ObjectCreation.h"
#include "ClassList.h"
#include "RegistryScripts.h"

namespace zew::server {

using com::ClassFactory;
using com::CreateObject;

namespace {

#define ZEW_CLASS_FACTORY(name, create, script) ClassFactory g_##name##Factory(create);
ZEW_CLASS_LIST(ZEW_CLASS_FACTORY)
#undef ZEW_CLASS_FACTORY

#define ZEW_CLASS_ENTRY(name, create, script) {&CLSID_##name, &g_##name##Factory, &script},
const ClassEntry kClasses[] = {ZEW_CLASS_LIST(ZEW_CLASS_ENTRY)};
#undef ZEW_CLASS_ENTRY

}  // namespace

std::span<const ClassEntry> ClassTable() { return kClasses; }

}  // namespace zew::server
