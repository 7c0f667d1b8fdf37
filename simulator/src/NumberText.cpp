#include "NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace zewsim {

namespace {

constexpr std::size_t kMaxNumberText = 32;

std::string_view StripPlus(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        // "+-1" is not a number.
        if (!text.empty() && text.front() == '-') return {};
    }
    return text;
}

}  // namespace

std::optional<double> ParseReal(std::string_view text) {
    if (text.size() > kMaxNumberText) return std::nullopt;
    text = StripPlus(text);
    if (text.empty()) return std::nullopt;
    double value = 0.0;
    const char* first = text.data();
    const char* last = first + text.size();
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (ec != std::errc{} || ptr != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int> ParseInteger(std::string_view text) {
    if (text.size() > kMaxNumberText) return std::nullopt;
    text = StripPlus(text);
    if (text.empty()) return std::nullopt;
    int value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    auto [ptr, ec] = std::from_chars(first, last, value, 10);
    if (ec != std::errc{} || ptr != last) return std::nullopt;
    return value;
}

std::optional<bool> ParseSwitch(std::string_view text) {
    if (text == "0") return false;
    if (text == "1") return true;
    return std::nullopt;
}

std::string FormatFixed(double value, int decimals) {
    // Callers keep their values within a display range; the buffer still
    // holds any finite double in fixed notation.
    std::array<char, 400> buffer{};
    if (!std::isfinite(value)) value = 0.0;
    auto [ptr, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::fixed, decimals);
    if (ec != std::errc{}) return "0";
    std::string text(buffer.data(), ptr);
    // A value that rounds to zero is shown without a sign.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

double RoundTo(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

}  // namespace zewsim
