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

// Whether a result of the version-aware installation leaves the listed file
// in place: 0 (copied), or SRCOLD (0x4), the present copy being newer and
// kept, with no reason bit besides it; the two bits that come with it (0x2,
// the files differ, and 0x1, a temporary copy is left) change nothing. Every
// other result, the mismatch results included (0x2 alone or with DIFFLANG,
// DIFFCODEPG or DIFFTYPE), means the new file was not installed.
bool CopySucceeded(std::uint32_t flags);

std::string RegisterResultText(int code);

// "<path> - <result>", at most 511 characters.
std::string LogLine(const std::string& path, const std::string& result);

}  // namespace zew::setup
