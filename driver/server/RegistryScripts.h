// The registry script of each class of the library (portable data).
#pragma once

#include "../com/RegistryScript.h"

namespace zew::server {

extern const com::RegistryScript kZew4400Script;
extern const com::RegistryScript kRegisterScript;
extern const com::RegistryScript kMemoriesScript;
extern const com::RegistryScript kMemoryScript;
extern const com::RegistryScript kProgramsScript;
extern const com::RegistryScript kProgramScript;
extern const com::RegistryScript kStepsScript;
extern const com::RegistryScript kStepScript;
extern const com::RegistryScript kPropPageGeneralScript;
extern const com::RegistryScript kPropPageAutoScript;

}  // namespace zew::server
