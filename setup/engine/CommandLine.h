// The installer's command line: no argument for the wizard, "/S" for an
// unattended install, "/LOG=path" to write its lines to a file.
#pragma once

#include <string>
#include <vector>

namespace zew::setup {

struct SetupOptions {
    bool unattended = false;
    std::wstring logPath;     // empty: lines go to standard output
    std::wstring badArgument; // the first argument not understood, if any
};

// `args` excludes the program name. Switches are matched without regard to
// case and may start with "/" or "-".
SetupOptions ParseArguments(const std::vector<std::wstring>& args);

}  // namespace zew::setup
