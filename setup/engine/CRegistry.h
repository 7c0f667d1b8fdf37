// A registry key opened (and created when missing) for all access, closed when
// the wrapper goes.
#pragma once

#include <string>

#include "UniqueAny.h"

namespace zew::setup {

class CRegistry {
public:
    // Opens root\prefix\subkey.
    CRegistry(HKEY root, const std::string& prefix, const std::string& subkey);

    // Reads a value's bytes (up to 255) as text into `out`; on any failure
    // `out` is `fallback`. Returns the registry status.
    LONG Read(const std::string& name, std::string& out, const std::string& fallback);

    LONG status() const { return status_; }
    const std::string& path() const { return path_; }

private:
    UniqueHkey key_;
    LONG status_ = ERROR_SUCCESS;
    std::string path_;
};

}  // namespace zew::setup
