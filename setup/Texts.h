// Texts the installer builds: formatted messages, the result of each copied or
// registered file, and the log line. Pure functions over standard strings.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace zew::setup {

// Registration results, in the order of their texts.
enum RegisterResult : int {
    kRegistered = 0,
    kRegisterCallFailed = 1,
    kRegisterExportMissing = 2,
    kLoadFailed = 3,
};

// Replaces each "%s" of `format`, in order, by the next argument, taken
// literally (an argument's own "%" is never a format). The result holds at most
// `capacity` - 1 characters: a longer one is cut, never overrun.
std::string FormatText(const std::string& format, std::initializer_list<std::string> args, std::size_t capacity);

// "successfully copied" for 0, else the name of the lowest failure bit of the
// version-aware installation ("SRCOLD" ... "BUFFTOOSMALL"); a result with only
// the temporary-file or mismatch bits names those.
std::string CopyResultText(std::uint32_t flags);

std::string RegisterResultText(int code);

// "<path> - <result>", at most 511 characters.
std::string LogLine(const std::string& path, const std::string& result);

}  // namespace zew::setup
