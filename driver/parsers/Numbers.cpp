#include "Numbers.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "ScanInt.h"

namespace zew::parsers {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return pos;
}

}  // namespace

std::optional<double> ScanReal(const std::string& input) {
    const std::string_view text = input;
    std::size_t pos = 0;
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    const std::size_t mantissa = pos;
    std::size_t end = SkipDigits(text, pos);
    bool anyDigit = end > pos;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fraction = SkipDigits(text, end + 1);
        anyDigit = anyDigit || fraction > end + 1;
        end = fraction;
    }
    if (!anyDigit) return std::nullopt;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        const std::size_t digitsEnd = SkipDigits(text, exponent);
        if (digitsEnd > exponent) end = digitsEnd;
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data() + mantissa, text.data() + end, value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone when it is out of range; atof gives
        // HUGE_VAL for too large and 0 for too small.
        std::size_t e = mantissa;
        while (e < end && text[e] != 'e' && text[e] != 'E') ++e;
        value = (e < end && e + 1 < end && text[e + 1] == '-') ? 0.0 : HUGE_VAL;
    }
    return negative ? -value : value;
}

double ParseReal(const std::string& input) { return ScanReal(input).value_or(0.0); }

int32_t ParseInt(const std::string& input) {
    const std::string_view text = std::string_view(input).substr(0, 19);
    std::size_t pos = 0;
    return ScanInt(text, pos).value_or(0);
}

}  // namespace zew::parsers
