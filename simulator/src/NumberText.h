// Numbers as they travel on the command line: decimal text in fixed notation,
// independent of the C locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zewsim {

// A real in fixed notation: optional sign, digits, optional fraction ("3",
// "+3.000", "-0.5", ".5"). No exponent, no blanks, no infinity or NaN.
std::optional<double> ParseReal(std::string_view text);

// A decimal integer with an optional sign, within the range of int.
std::optional<int> ParseInteger(std::string_view text);

// "0" or "1".
std::optional<bool> ParseSwitch(std::string_view text);

// The value with exactly `decimals` digits after the point ("%.*f").
std::string FormatFixed(double value, int decimals);

// The value rounded to `decimals` digits after the point.
double RoundTo(double value, int decimals);

}  // namespace zewsim
