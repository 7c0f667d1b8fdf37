// Auto-test programs and their steps.
#include "InstrumentState.h"

#include "NumberText.h"
#include "TextArguments.h"

namespace zewsim {

namespace {

constexpr int kIntervalDecimals = 1;
constexpr int kMaxStepIndex = static_cast<int>(Programs::kMaxSteps) - 1;
constexpr int kMaxMemoryNumber = PanelMemories::kCount - 1;

}  // namespace

Reply Instrument::State::SetProgramName(const CommandLine& line) {
    if (!Expect(line, "nq")) return std::nullopt;
    const auto n = ProgramNumber(line.args[0]);
    if (!n) return std::nullopt;
    if (line.args[1].text.size() > Programs::kMaxNameLength) {
        registers.ExecutionError(invalid::kOther);
        return std::nullopt;
    }
    programs.At(*n).name = line.args[1].text;
    return std::nullopt;
}

Reply Instrument::State::QueryProgramName(const CommandLine& line) {
    if (!Expect(line, "n")) return std::nullopt;
    const auto n = ProgramNumber(line.args[0]);
    if (!n) return std::nullopt;
    return ReplyNameLine(programs.At(*n).name);
}

Reply Instrument::State::SetProgramReturn(const CommandLine& line) {
    if (!Expect(line, "nn")) return std::nullopt;
    const auto n = ProgramNumber(line.args[0]);
    if (!n) return std::nullopt;
    if (const auto on = Switch(line.args[1], invalid::kOther)) programs.At(*n).returnOn = *on;
    return std::nullopt;
}

Reply Instrument::State::QueryProgramReturn(const CommandLine& line) {
    if (!Expect(line, "n")) return std::nullopt;
    const auto n = ProgramNumber(line.args[0]);
    if (!n) return std::nullopt;
    return ReplySwitch(programs.At(*n).returnOn);
}

Reply Instrument::State::QueryProgramTotal(const CommandLine& line) {
    if (!Expect(line, "n")) return std::nullopt;
    const auto n = ProgramNumber(line.args[0]);
    if (!n) return std::nullopt;
    return ReplyLine(std::to_string(programs.At(*n).steps.size()));
}

// PTES n selects the program shown for editing; it changes nothing else.
Reply Instrument::State::SelectEditProgram(const CommandLine& line) {
    if (!Expect(line, "n")) return std::nullopt;
    if (const auto n = ProgramNumber(line.args[0])) editProgram = *n;
    return std::nullopt;
}

Reply Instrument::State::QueryEditProgram(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplyLine(std::to_string(editProgram));
}

// PRGEDIT p,s,m,interval sets step s of program p, appending it when s is the
// step count. The interval is 0.0 to 9.9 s, or HOLD.
Reply Instrument::State::SetProgramStep(const CommandLine& line) {
    if (!Expect(line, "nnnn")) return std::nullopt;
    const auto n = ProgramNumber(line.args[0]);
    if (!n) return std::nullopt;
    const auto step = Integer(line.args[1], 0, kMaxStepIndex, invalid::kNumber);
    if (!step) return std::nullopt;
    const auto memory = Integer(line.args[2], 0, kMaxMemoryNumber, invalid::kNumber);
    if (!memory) return std::nullopt;

    ProgramStep value;
    value.memory = *memory;
    if (IsKeyword(line.args[3].text, "HOLD")) {
        value.interval.reset();
    } else if (const auto interval = Real(line.args[3], kStepIntervalRange, invalid::kOther)) {
        value.interval = RoundTo(*interval, kIntervalDecimals);
    } else {
        return std::nullopt;
    }
    if (!programs.SetStep(*n, static_cast<std::size_t>(*step), value)) {
        registers.ExecutionError(invalid::kNumber);
    }
    return std::nullopt;
}

Reply Instrument::State::QueryProgramStep(const CommandLine& line) {
    if (!Expect(line, "nn")) return std::nullopt;
    const auto n = ProgramNumber(line.args[0]);
    if (!n) return std::nullopt;
    const auto step = Integer(line.args[1], 0, kMaxStepIndex, invalid::kNumber);
    if (!step) return std::nullopt;
    const auto& steps = programs.At(*n).steps;
    if (static_cast<std::size_t>(*step) >= steps.size()) {
        registers.ExecutionError(invalid::kNumber);
        return std::nullopt;
    }
    const ProgramStep& s = steps[static_cast<std::size_t>(*step)];
    return ReplyLine(std::to_string(s.memory) + ',' +
                     (s.interval ? FormatFixed(*s.interval, kIntervalDecimals) : std::string("HOLD")));
}

Reply Instrument::State::ClearProgram(const CommandLine& line) {
    if (!Settable(line, "n")) return std::nullopt;
    if (const auto n = ProgramNumber(line.args[0])) programs.Clear(*n);
    return std::nullopt;
}

// PRGTEST n makes the next START run program n instead of the panel
// conditions.
Reply Instrument::State::SelectTestProgram(const CommandLine& line) {
    if (!Expect(line, "n")) return std::nullopt;
    if (const auto n = ProgramNumber(line.args[0])) testProgram = *n;
    return std::nullopt;
}

}  // namespace zewsim
