// Starting and stopping tests, and the monitored values.
#include "InstrumentState.h"

#include "NumberText.h"

#include <algorithm>
#include <vector>

namespace zewsim {

namespace {

// Test time of a program step whose memory has its timer off.
constexpr double kUntimedStepSeconds = 1.0;

// Longest time shown; keeps every reply short whatever the clock does.
constexpr double kMaxShownSeconds = 9999999.999;

constexpr int kValueDecimals = 4;
constexpr int kTimeDecimals = 3;

std::string Value(double v) { return FormatFixed(v, kValueDecimals); }
std::string Seconds(double t) { return FormatFixed(std::clamp(t, 0.0, kMaxShownSeconds), kTimeDecimals); }

}  // namespace

// START begins a test of the panel conditions, or runs the program chosen by
// PRGTEST. While a program holds, START continues with its next step. While
// any other test is on, or while a FAIL is latched by fail mode, START is
// refused. A command line cannot hold START down, so momentary operation
// refuses it too.
Reply Instrument::State::StartTest(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    const double now = Sync();
    if (run.Holding()) {
        run.Continue(now);
        return std::nullopt;
    }
    if (RefusedDuringTest()) return std::nullopt;
    if (run.FailLatched()) {
        registers.ExecutionError(0);
        return std::nullopt;
    }
    if (conditions.momentary) {
        registers.ExecutionError(invalid::kOther);
        return std::nullopt;
    }

    std::vector<TestSegment> segments;
    if (testProgram) {
        const Program& program = programs.At(*testProgram);
        if (!program.returnOn) testProgram.reset();
        if (program.steps.empty()) {
            registers.ExecutionError(invalid::kNumber);
            return std::nullopt;
        }
        for (const ProgramStep& step : program.steps) {
            const PanelMemory& memory = memories.At(step.memory);
            TestSegment segment;
            segment.conditions = memory.ApplyTo(conditions);
            segment.timed = true;
            segment.duration = memory.timerOn ? memory.time : kUntimedStepSeconds;
            segment.timerShown = memory.timerOn;
            segment.interval = step.interval;
            segments.push_back(segment);
        }
    } else {
        if (!conditions.LimitsConsistent()) {
            registers.ExecutionError(invalid::kLimitOrder);
            return std::nullopt;
        }
        TestSegment segment;
        segment.conditions = conditions;
        segment.timed = conditions.timerOn;
        segment.duration = conditions.timer;
        segment.timerShown = conditions.timerOn;
        segments.push_back(segment);
    }
    registers.ClearFail();
    run.Start(std::move(segments), measureMax, system.passHold, now);
    registers.AddFail(run.TakeFailBits());  // a contact check fails at once
    return std::nullopt;
}

Reply Instrument::State::StopTest(const CommandLine& line) {
    if (Expect(line, "")) run.Stop(Sync());
    return std::nullopt;
}

Reply Instrument::State::QueryMonitor(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    const double now = Sync();
    const Reading r = run.ReadingAt(now);
    const unsigned status = run.DeviceStatus() & 0x0Fu;
    return ReplyLine(std::to_string(status) + ',' + Value(r.voltage) + ',' + Value(r.current) + ',' +
                     Value(r.resistanceMax) + ',' + Value(r.resistance) + ',' + Seconds(r.elapsed));
}

Reply Instrument::State::QueryResistance(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    const Reading r = run.ReadingAt(Sync());
    return ReplyLine(Value(measureMax ? r.resistanceMax : r.resistance));
}

Reply Instrument::State::QueryCurrentReading(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplyLine(Value(run.ReadingAt(Sync()).current));
}

Reply Instrument::State::QueryVoltage(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplyLine(Value(run.ReadingAt(Sync()).voltage));
}

Reply Instrument::State::QueryTime(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplyLine(Seconds(run.TimeValue(Sync())));
}

}  // namespace zewsim
