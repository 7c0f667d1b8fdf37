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
#include "RegistryScripts.h"

namespace zew::server {

using com::ClassFactory;
using com::CreateObject;
using ui::CPropPageAuto;
using ui::CPropPageGeneral;

namespace {

ClassFactory g_zew4400Factory(&objects::CZew4400::Create);
// Made on their own, the children stay unattached.
ClassFactory g_registerFactory(&CreateObject<objects::CRegister>);
ClassFactory g_memoriesFactory(&CreateObject<objects::CMemories>);
ClassFactory g_memoryFactory(&CreateObject<objects::CMemory>);
ClassFactory g_programsFactory(&CreateObject<objects::CPrograms>);
ClassFactory g_programFactory(&CreateObject<objects::CProgram>);
ClassFactory g_stepsFactory(&CreateObject<objects::CSteps>);
ClassFactory g_stepFactory(&CreateObject<objects::CStep>);
ClassFactory g_propPageGeneralFactory(&CreateObject<CPropPageGeneral>);
ClassFactory g_propPageAutoFactory(&CreateObject<CPropPageAuto>);

const ClassEntry kClasses[] = {
    {&CLSID_Zew4400, &g_zew4400Factory, &kZew4400Script},
    {&CLSID_Register, &g_registerFactory, &kRegisterScript},
    {&CLSID_Memories, &g_memoriesFactory, &kMemoriesScript},
    {&CLSID_Memory, &g_memoryFactory, &kMemoryScript},
    {&CLSID_Programs, &g_programsFactory, &kProgramsScript},
    {&CLSID_Program, &g_programFactory, &kProgramScript},
    {&CLSID_Steps, &g_stepsFactory, &kStepsScript},
    {&CLSID_Step, &g_stepFactory, &kStepScript},
    {&CLSID_PropPageGeneral, &g_propPageGeneralFactory, &kPropPageGeneralScript},
    {&CLSID_PropPageAuto, &g_propPageAutoFactory, &kPropPageAutoScript},
};

}  // namespace

std::span<const ClassEntry> ClassTable() { return kClasses; }

}  // namespace zew::server
