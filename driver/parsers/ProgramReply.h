// The instrument's replies about its auto-test programs. Replies are
// untrusted text: any length and content gives a defined result.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zew::parsers {

// The most steps a program holds.
inline constexpr int kMaxProgramSteps = 100;
// The interval that stands for HOLD: the step waits for the next START.
inline constexpr double kHoldInterval = 10.0;
// The longest interval that is a time.
inline constexpr double kLongestInterval = 9.9;

// "PRGNAME?": the text up to the first carriage return (or line feed), with
// trailing blanks removed and cut to the longest name, 12 characters.
std::string ProgramNameOfReply(std::string_view reply);

// "PRGRETURN?": on when the reply holds the character 1 anywhere.
bool ProgramReturnOfReply(std::string_view reply);

// "PRGTOTAL?": the reply's leading decimal integer, kept within 0 to 100 so
// that no list is ever filled past its 100 steps. `recognised` is false when
// the reply has no number or one outside that range.
struct ProgramTotal {
    int steps = 0;
    bool recognised = false;
};
ProgramTotal ProgramTotalOfReply(std::string_view reply);

// "PRGEDIT? p,s": the step's memory number, a comma, then its interval in
// seconds or HOLD. A field is empty when the reply lacks it or it is not a
// value a step can hold: a memory 0 to 99, an interval 0 to 9.9 or HOLD
// (given as 10.0). Fields after the second are ignored.
struct ProgramStepReply {
    std::optional<int16_t> memory;
    std::optional<double> interval;

    bool Complete() const { return memory && interval; }
};
ProgramStepReply ParseProgramStep(std::string_view reply);

}  // namespace zew::parsers
