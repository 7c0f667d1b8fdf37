#include "InstrumentState.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>

namespace zewsim {

Instrument::State::State(InstrumentConfig cfg, std::shared_ptr<const Clock> clk)
    : config(std::move(cfg)),
      clock(clk ? std::move(clk) : std::make_shared<SteadyClock>()),
      ranges(ModelRanges::ForModel(config.model)),
      conditions(TestConditions::Defaults(ranges)),
      memories(ranges) {
    lastNow = clock->Now();
    const double dut = config.dutResistance;
    const double lead = config.leadResistance;
    config.dutResistance = 0.0;
    config.leadResistance = 0.0;
    SetDut(dut);
    SetLead(lead);
}

void Instrument::State::SetDut(double ohms) {
    if (!std::isfinite(ohms)) return;
    config.dutResistance = std::clamp(ohms, 0.0, Instrument::kMaxDutResistance);
    run.SetDevice(config.dutResistance, config.leadResistance, Sync());
    registers.AddFail(run.TakeFailBits());
}

void Instrument::State::SetLead(double ohms) {
    if (!std::isfinite(ohms)) return;
    config.leadResistance = std::clamp(ohms, 0.0, Instrument::kMaxLeadResistance);
    run.SetDevice(config.dutResistance, config.leadResistance, Sync());
    registers.AddFail(run.TakeFailBits());
}

double Instrument::State::Sync() {
    lastNow = std::max(lastNow, clock->Now());
    run.Advance(lastNow);
    registers.AddFail(run.TakeFailBits());
    return lastNow;
}

void Instrument::State::ResetSettings(double now) {
    run.Stop(now);
    run.ClearVerdict();
    function = 0;
    measureMax = false;
    doubleAction = false;
    conditions = TestConditions::Defaults(ranges);
    testProgram.reset();
    editProgram = 0;
}

std::uint16_t Instrument::State::DeviceStatus() {
    Sync();
    return run.DeviceStatus();
}

bool Instrument::State::RefusedDuringTest() {
    if (!run.Active()) return false;
    registers.ExecutionError(0);
    return true;
}

bool Instrument::State::Settable(const CommandLine& line, std::string_view shape) {
    return Expect(line, shape) && !RefusedDuringTest();
}

bool Instrument::State::Expect(const CommandLine& line, std::string_view shape) {
    if (line.HasShape(shape)) return true;
    registers.CommandError();
    return false;
}

std::optional<double> Instrument::State::Real(const Argument& arg, const Range& range,
                                              std::uint16_t invalidBit) {
    const std::optional<double> value = ParseReal(arg.text);
    if (!value || !range.Contains(*value)) {
        registers.ExecutionError(invalidBit);
        return std::nullopt;
    }
    return value;
}

std::optional<int> Instrument::State::Integer(const Argument& arg, int min, int max,
                                              std::uint16_t invalidBit) {
    const std::optional<int> value = ParseInteger(arg.text);
    if (!value || *value < min || *value > max) {
        registers.ExecutionError(invalidBit);
        return std::nullopt;
    }
    return value;
}

std::optional<bool> Instrument::State::Switch(const Argument& arg, std::uint16_t invalidBit) {
    const std::optional<bool> value = ParseSwitch(arg.text);
    if (!value) registers.ExecutionError(invalidBit);
    return value;
}

Reply Instrument::State::SetFlag(const CommandLine& line, bool& flag) {
    if (!Expect(line, "n")) return std::nullopt;
    if (const auto value = Switch(line.args[0], invalid::kOther)) flag = *value;
    return std::nullopt;
}

Reply Instrument::State::SetConditionFlag(const CommandLine& line, bool& flag) {
    if (!Settable(line, "n")) return std::nullopt;
    if (const auto value = Switch(line.args[0], invalid::kOther)) flag = *value;
    return std::nullopt;
}

Reply Instrument::State::SetConditionReal(const CommandLine& line, double& value, const Range& range,
                                          int decimals, std::uint16_t invalidBit) {
    if (!Settable(line, "n")) return std::nullopt;
    if (const auto parsed = Real(line.args[0], range, invalidBit)) value = RoundTo(*parsed, decimals);
    return std::nullopt;
}

std::optional<int> Instrument::State::ProgramNumber(const Argument& arg) {
    return Integer(arg, 0, Programs::kCount - 1, invalid::kNumber);
}

std::string ReplyLine(std::string text) {
    text += '\n';
    return text;
}

std::string ReplyNameLine(std::string text) {
    text += "\r\n";
    return text;
}

std::string ReplySwitch(bool value) { return value ? "1\n" : "0\n"; }

}  // namespace zewsim
