// The integer conversion shared by the parsers: what the C library's "%d"
// accepts, without its undefined behaviour on overflow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zew::parsers {

// Reads "%d" at pos: white space, an optional sign, at least one decimal digit.
// On success pos moves past the number. Values beyond 32 bits saturate.
std::optional<int32_t> ScanInt(std::string_view text, std::size_t& pos);

bool IsSpace(char c);

}  // namespace zew::parsers
