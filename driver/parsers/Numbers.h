// Numbers in instrument replies, read as the C library's atof and atol read
// them, but independent of the locale and safe from overflow.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zew::parsers {

// White space, then a decimal number with optional sign, fraction and
// exponent; the parse stops at the first other character. 0.0 when no number
// starts the text.
double ParseReal(const std::string& text);

// The same number, or nothing when no number starts the text (as "%lf" fails).
std::optional<double> ScanReal(const std::string& text);

// White space, optional sign, decimal digits, over at most the first 19
// characters; 0 when there are none. Values beyond 32 bits saturate.
int32_t ParseInt(const std::string& text);

}  // namespace zew::parsers
