// Where the running program (Setup.exe) lies: the install list and the files
// it names lie beside it, and its file name is its title.
#pragma once

#include <string>

namespace zew::setup {

// The program's full path, as Windows gives it (at most 511 characters).
std::string ProgramPath();

}  // namespace zew::setup
