// The instrument's replies about its auto-test programs. Replies are
// untrusted text: any length and content gives a defined result.
#pragma once

#include <string>
#include <string_view>

namespace zew::parsers {

// "PRGNAME?": the text up to the first carriage return (or line feed), with
// trailing blanks removed and cut to the longest name, 12 characters.
std::string ProgramNameOfReply(std::string_view reply);

}  // namespace zew::parsers
