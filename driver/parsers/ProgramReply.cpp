#include "ProgramReply.h"

#include <cstddef>

namespace zew::parsers {
namespace {

constexpr std::size_t kMaxProgramName = 12;

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

std::string ProgramNameOfReply(std::string_view reply) {
    const std::string_view line = TrimBlanks(reply.substr(0, reply.find_first_of("\r\n")));
    return std::string(TrimBlanks(line.substr(0, kMaxProgramName)));
}

}  // namespace zew::parsers
