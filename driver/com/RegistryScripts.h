// The registry script of each class of the library.
#pragma once

#include "Registrar.h"

namespace zew::com {

extern const RegistryScript kZew4400Script;
extern const RegistryScript kRegisterScript;
extern const RegistryScript kMemoriesScript;
extern const RegistryScript kMemoryScript;
extern const RegistryScript kProgramsScript;
extern const RegistryScript kProgramScript;
extern const RegistryScript kStepsScript;
extern const RegistryScript kStepScript;
extern const RegistryScript kPropPageGeneralScript;
extern const RegistryScript kPropPageAutoScript;

}  // namespace zew::com
