// One command line split into its command word and its arguments.
//
// Syntax: optional blanks, the command word (letters, digits, '*', ':', and
// a final '?' for a query), then after one or more blanks or tabs a list of
// comma-separated arguments. An argument is either plain text (blanks around
// it are dropped) or a double-quoted string taken verbatim up to the next
// double quote. Trailing blanks and carriage returns are ignored.
#pragma once

#include "zewsim/Instrument.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zewsim {

struct Argument {
    std::string text;
    bool quoted = false;
};

struct CommandLine {
    std::string word;  // upper case, without the '?'; empty for a blank line
    bool query = false;
    std::vector<Argument> args;

    // True when the arguments match `shape`, one letter an argument:
    // 'n' plain text, 'q' quoted string.
    bool HasShape(std::string_view shape) const;
};

// Longest line accepted, terminator excluded.
inline constexpr std::size_t kMaxCommandLineLength = Instrument::kMaxLineLength;

// Nothing when the line is malformed: too long, a control character, a bad
// command word, an unterminated quote, or text after a closing quote.
std::optional<CommandLine> ParseCommandLine(std::string_view line);

}  // namespace zewsim
