// The registry script of each class of the library.
#pragma once

#include "Registrar.h"

namespace zew::com {

extern const RegistryScript kZew4400Script;

}  // namespace zew::com
