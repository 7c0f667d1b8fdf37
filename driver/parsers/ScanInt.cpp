#include "ScanInt.h"

#include <limits>

namespace zew::parsers {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::optional<int32_t> ScanInt(std::string_view text, std::size_t& pos) {
    std::size_t p = pos;
    while (p < text.size() && IsSpace(text[p])) ++p;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
    const std::size_t digits = p;
    int64_t value = 0;
    constexpr int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    while (p < text.size() && text[p] >= '0' && text[p] <= '9') {
        if (value < limit) value = value * 10 + (text[p] - '0');
        ++p;
    }
    if (p == digits) return std::nullopt;
    pos = p;
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

}  // namespace zew::parsers
