// Reads values of an INI file section by section.
#pragma once

#include <string>

namespace zew::setup {

class CIniFile {
public:
    explicit CIniFile(std::string path) : path_(std::move(path)) {}

    void SetSection(std::string section) { section_ = std::move(section); }

    // The value of `key` in the current section with surrounding blanks
    // removed, `fallback` when absent. At most `size` - 1 characters are read.
    void Read(const std::string& key, std::string& out, const std::string& fallback, unsigned size = 255) const;

    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string section_;
};

}  // namespace zew::setup
