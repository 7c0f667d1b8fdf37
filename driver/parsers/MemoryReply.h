// The instrument's reply to "MEMORY? n": the memory's name, then its eight
// values in the order of the MEMORY command. Replies are untrusted text: any
// length and content gives a defined result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zew::parsers {

// The longest memory name the instrument keeps.
inline constexpr std::size_t kMaxMemoryName = 12;

// The name field: the text before the first comma (all of it when there is
// none), with the line end and trailing blanks removed and cut to the
// longest name. Quotes are kept as they come.
std::string MemoryNameOfReply(std::string_view reply);

// A field is empty when the reply does not have it or it does not start with
// a number.
struct MemoryReply {
    std::string name;
    std::optional<double> current;
    std::optional<double> upper;
    std::optional<double> lower;
    std::optional<double> time;
    std::optional<int32_t> frequency;
    std::optional<bool> lowerOn;    // a non-zero number is on
    std::optional<bool> offsetOn;
    std::optional<bool> timerOn;

    // Every one of the eight values was there and numeric.
    bool Complete() const;
};

// Splits the reply at every comma (an empty field is still a field); fields
// after the ninth are ignored.
MemoryReply ParseMemoryReply(std::string_view reply);

}  // namespace zew::parsers
