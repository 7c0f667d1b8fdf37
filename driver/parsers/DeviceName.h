// Device names as clients give them to Connect, and the VISA resource names
// they stand for.
#pragma once

#include <string>

namespace zew::parsers {

// "DEV<n>" gives "GPIB<board>::<n>", "COM<n>" gives "ASRL<n>", anything else is
// taken as a VISA resource string. Letters a to z are upper-cased first; text
// after the number is ignored.
std::string ResourceNameFromDevice(const std::string& deviceName, int board);

}  // namespace zew::parsers
