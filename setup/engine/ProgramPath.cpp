#include "ProgramPath.h"

#include <windows.h>

namespace zew::setup {

std::string ProgramPath() {
    char path[512] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, length < sizeof path ? length : sizeof path - 1);
}

}  // namespace zew::setup
