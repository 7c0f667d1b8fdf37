// Client text that goes out between the double quotes of a command line (a
// comment field, a memory or program name), judged as the bytes that are
// sent, after the conversion to the instrument's 8-bit characters.
#pragma once

#include <string_view>

namespace zew::parsers {

// No double quote, which would end the field and shift the fields after it,
// and no control character (DEL included), which could end the line and
// start a command of its own.
bool FitsInQuotes(std::string_view bytes);

// A memory or program name: what fits in quotes, and no comma either, since
// the comma separates the fields of the reply that brings the name back.
bool IsItemNameText(std::string_view bytes);

}  // namespace zew::parsers
