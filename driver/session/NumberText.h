// Numbers on the instrument's command lines.
#pragma once

#include <charconv>
#include <string>
#include <string_view>

#include "CodePage.h"

namespace zew::session {

// A number in fixed notation with the given decimals, as "%.*f" writes it.
inline std::wstring Fixed(double value, int decimals) {
    char digits[400];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
    return FromAnsi(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

}  // namespace zew::objects
