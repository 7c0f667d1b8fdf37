#include "CIniFile.h"

#include <windows.h>

#include <vector>

namespace zew::setup {

void CIniFile::Read(const std::string& key, std::string& out, const std::string& fallback, unsigned size) const {
    std::vector<char> buffer(size + 1, '\0');
    DWORD length = GetPrivateProfileStringA(section_.c_str(), key.c_str(), fallback.c_str(), buffer.data(), size,
                                            path_.c_str());
    out.assign(buffer.data(), length);
}

}  // namespace zew::setup
