#include "ProgramReply.h"

#include <algorithm>
#include <cstddef>

#include "Numbers.h"
#include "ScanInt.h"

namespace zew::parsers {
namespace {

constexpr std::size_t kMaxProgramName = 12;
constexpr int kLastMemory = 99;

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::optional<int16_t> MemoryField(std::string_view field) {
    std::size_t pos = 0;
    const auto number = ScanInt(field, pos);
    if (!number || *number < 0 || *number > kLastMemory) return std::nullopt;
    return static_cast<int16_t>(*number);
}

std::optional<double> IntervalField(std::string_view field) {
    if (field.find("HOLD") != std::string_view::npos) return kHoldInterval;
    const auto seconds = ScanReal(std::string(field));
    if (!seconds || !(*seconds >= 0.0 && *seconds <= kLongestInterval)) return std::nullopt;
    return *seconds;
}

}  // namespace

std::string ProgramNameOfReply(std::string_view reply) {
    const std::string_view line = TrimBlanks(reply.substr(0, reply.find_first_of("\r\n")));
    return std::string(TrimBlanks(line.substr(0, kMaxProgramName)));
}

bool ProgramReturnOfReply(std::string_view reply) { return reply.find('1') != std::string_view::npos; }

ProgramTotal ProgramTotalOfReply(std::string_view reply) {
    std::size_t pos = 0;
    const auto number = ScanInt(reply, pos);
    if (!number) return {};
    const int steps = std::clamp(*number, 0, kMaxProgramSteps);
    return {steps, steps == *number};
}

ProgramStepReply ParseProgramStep(std::string_view reply) {
    const std::size_t comma = reply.find(',');
    ProgramStepReply step;
    step.memory = MemoryField(reply.substr(0, comma));
    if (comma != std::string_view::npos) {
        const std::string_view rest = reply.substr(comma + 1);
        step.interval = IntervalField(rest.substr(0, rest.find(',')));
    }
    return step;
}

}  // namespace zew::parsers
