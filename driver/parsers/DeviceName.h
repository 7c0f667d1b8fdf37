// Device names as clients give them to Connect, and the VISA resource names
// they stand for.
#pragma once

#include <string>
#include <string_view>

namespace zew::parsers {

// "DEV<n>" gives "GPIB<board>::<n>", "COM<n>" gives "ASRL<n>", anything else is
// taken as a VISA resource string. Letters a to z are upper-cased first; text
// after the number is ignored.
std::string ResourceNameFromDevice(const std::string& deviceName, int board);

// The text with its letters a to z in upper case, every other byte as it is:
// how device names are compared.
std::string UpperCaseAscii(std::string_view text);

}  // namespace zew::parsers
