#include "CRegistry.h"

#include <cstring>

namespace zew::setup {

CRegistry::CRegistry(HKEY root, const std::string& prefix, const std::string& subkey)
    : path_(prefix + "\\" + subkey) {
    DWORD disposition = 0;
    status_ = RegCreateKeyExA(root, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key_.put(), &disposition);
}

LONG CRegistry::Read(const std::string& name, std::string& out, const std::string& fallback) {
    out = fallback;
    if (!key_) return status_;
    char buffer[260] = {};
    DWORD size = 255;
    status_ = RegQueryValueExA(key_.get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    if (status_ == ERROR_SUCCESS) {
        // The value's type is not examined: the text ends at its length or at
        // its first null, whichever comes first.
        size = size > 255 ? 255 : size;
        out.assign(buffer, strnlen(buffer, size));
    }
    return status_;
}

}  // namespace zew::setup
