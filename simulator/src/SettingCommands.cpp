// Live settings and test conditions.
#include "InstrumentState.h"

#include "NumberText.h"

namespace zewsim {

namespace {

constexpr int kConditionDecimals = 3;  // current and limits
constexpr int kTimerDecimals = 1;

std::string Fixed(double value, int decimals) { return ReplyLine(FormatFixed(value, decimals)); }

}  // namespace

Reply Instrument::State::SetFunction(const CommandLine& line) {
    if (!Expect(line, "n")) return std::nullopt;
    if (const auto value = Integer(line.args[0], 0, kMaxFunction, invalid::kOther)) function = *value;
    return std::nullopt;
}

Reply Instrument::State::QueryFunction(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplyLine(std::to_string(function));
}

Reply Instrument::State::SetMeasMode(const CommandLine& line) {
    if (!Expect(line, "n")) return std::nullopt;
    std::string mode = line.args[0].text;
    for (char& c : mode) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    if (mode == "NORM") {
        measureMax = false;
    } else if (mode == "MAX") {
        measureMax = true;
    } else {
        registers.ExecutionError(invalid::kOther);
    }
    return std::nullopt;
}

Reply Instrument::State::QueryMeasMode(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplyLine(measureMax ? "MAX" : "NORM");
}

Reply Instrument::State::SetDoubleAction(const CommandLine& line) { return SetFlag(line, doubleAction); }

Reply Instrument::State::QueryDoubleAction(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplySwitch(doubleAction);
}

Reply Instrument::State::SetCurrent(const CommandLine& line) {
    return SetConditionReal(line, conditions.current, ranges.current, kConditionDecimals, invalid::kCurrent);
}

Reply Instrument::State::QueryCurrent(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return Fixed(conditions.current, kConditionDecimals);
}

Reply Instrument::State::SetFrequency(const CommandLine& line) {
    if (!Settable(line, "n")) return std::nullopt;
    const std::optional<int> value = ParseInteger(line.args[0].text);
    if (value && (*value == 50 || *value == 60)) {
        conditions.frequency = *value;
    } else {
        registers.ExecutionError(invalid::kFrequency);
    }
    return std::nullopt;
}

Reply Instrument::State::QueryFrequency(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplyLine(std::to_string(conditions.frequency));
}

Reply Instrument::State::SetUpper(const CommandLine& line) {
    return SetConditionReal(line, conditions.upper, ranges.upper, kConditionDecimals, invalid::kUpper);
}

Reply Instrument::State::QueryUpper(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return Fixed(conditions.upper, kConditionDecimals);
}

// "LOWER value,on" and "TIMER value,on": both fields are checked before
// either is stored.
Reply Instrument::State::SetLower(const CommandLine& line) {
    if (!Settable(line, "nn")) return std::nullopt;
    const auto value = Real(line.args[0], ranges.lower, invalid::kLower);
    if (!value) return std::nullopt;
    const auto on = Switch(line.args[1], invalid::kLower);
    if (!on) return std::nullopt;
    conditions.lower = RoundTo(*value, kConditionDecimals);
    conditions.lowerOn = *on;
    return std::nullopt;
}

Reply Instrument::State::QueryLower(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplyLine(FormatFixed(conditions.lower, kConditionDecimals) + (conditions.lowerOn ? ",1" : ",0"));
}

Reply Instrument::State::SetTimer(const CommandLine& line) {
    if (!Settable(line, "nn")) return std::nullopt;
    const auto value = Real(line.args[0], kTimerRange, invalid::kTimer);
    if (!value) return std::nullopt;
    const auto on = Switch(line.args[1], invalid::kTimer);
    if (!on) return std::nullopt;
    conditions.timer = RoundTo(*value, kTimerDecimals);
    conditions.timerOn = *on;
    return std::nullopt;
}

Reply Instrument::State::QueryTimer(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplyLine(FormatFixed(conditions.timer, kTimerDecimals) + (conditions.timerOn ? ",1" : ",0"));
}

Reply Instrument::State::SetOffset(const CommandLine& line) { return SetConditionFlag(line, conditions.offset); }

Reply Instrument::State::QueryOffset(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplySwitch(conditions.offset);
}

Reply Instrument::State::SetContactCheck(const CommandLine& line) {
    return SetConditionFlag(line, conditions.contactCheck);
}

Reply Instrument::State::QueryContactCheck(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplySwitch(conditions.contactCheck);
}

Reply Instrument::State::SetFailMode(const CommandLine& line) { return SetConditionFlag(line, conditions.failMode); }

Reply Instrument::State::QueryFailMode(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplySwitch(conditions.failMode);
}

Reply Instrument::State::SetMomentary(const CommandLine& line) { return SetConditionFlag(line, conditions.momentary); }

Reply Instrument::State::QueryMomentary(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplySwitch(conditions.momentary);
}

}  // namespace zewsim
