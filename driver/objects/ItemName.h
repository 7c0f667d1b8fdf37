// The names of panel memories and programs, as the instrument keeps them.
#pragma once

#include <cstddef>
#include <string_view>

namespace zew::objects {

inline constexpr std::size_t kMaxItemName = 12;

// At most 12 characters, and none that would break the command line that
// carries the name or the comma-separated reply that returns it: a double
// quote, a comma or a control character.
inline bool IsValidItemName(std::wstring_view name) {
    if (name.size() > kMaxItemName) return false;
    for (const wchar_t c : name) {
        if (c == L'"' || c == L',' || c < L' ' || c == 0x7F) return false;
    }
    return true;
}

}  // namespace zew::objects
