// One file of the install list: copied from the source folder into its
// destination folder under the same name, and registered when marked.
#pragma once

#include <string>

namespace zew::setup {

struct CSetupFile {
    std::string name;
    std::string sourceFolder;
    std::string destinationFolder;
    bool registerIt = false;

    std::string DestinationPath() const { return destinationFolder + name; }
};

}  // namespace zew::setup
