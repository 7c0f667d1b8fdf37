// The library's classes in registration order, one row each: the class's name
// in the type library (its CLSID is CLSID_<name>), the function its class
// object creates objects with, and its registry script. The class table
// (ClassTable.cpp) and the installer's registry rows, made on the build
// machine, both expand this one list; the installer's build ignores the
// creation functions.
#pragma once

#define ZEW_CLASS_LIST(CLASS)                                                                \
    CLASS(Zew4400, &objects::CZew4400::Create, kZew4400Script)                               \
    /* Made on their own, the children stay unattached. */                                   \
    CLASS(Register, &CreateObject<objects::CRegister>, kRegisterScript)                      \
    CLASS(Memories, &CreateObject<objects::CMemories>, kMemoriesScript)                      \
    CLASS(Memory, &CreateObject<objects::CMemory>, kMemoryScript)                            \
    CLASS(Programs, &CreateObject<objects::CPrograms>, kProgramsScript)                      \
    CLASS(Program, &CreateObject<objects::CProgram>, kProgramScript)                         \
    CLASS(Steps, &CreateObject<objects::CSteps>, kStepsScript)                               \
    CLASS(Step, &CreateObject<objects::CStep>, kStepScript)                                  \
    CLASS(PropPageGeneral, &CreateObject<ui::CPropPageGeneral>, kPropPageGeneralScript)      \
    CLASS(PropPageAuto, &CreateObject<ui::CPropPageAuto>, kPropPageAutoScript)
