// Panel memories: store, read back, recall.
#include "InstrumentState.h"

#include "NumberText.h"

namespace zewsim {

namespace {

int MemoryNumberMax() { return PanelMemories::kCount - 1; }

}  // namespace

// MEMORY n,"name",current,upper,lower,time,frequency,lowerOn,offsetOn,timerOn
// Every field is checked first; one bad field refuses the whole line.
Reply Instrument::State::SetMemory(const CommandLine& line) {
    if (!Settable(line, "nqnnnnnnnn")) return std::nullopt;
    const auto n = Integer(line.args[0], 0, MemoryNumberMax(), invalid::kNumber);
    if (!n) return std::nullopt;

    std::uint16_t bad = 0;
    auto real = [&](std::size_t i, std::uint16_t bit) {
        const auto v = ParseReal(line.args[i].text);
        if (!v) bad |= bit;
        return v.value_or(0.0);
    };
    auto flag = [&](std::size_t i, std::uint16_t bit) {
        const auto v = ParseSwitch(line.args[i].text);
        if (!v) bad |= bit;
        return v.value_or(false);
    };

    PanelMemory memory;
    memory.name = line.args[1].text;
    memory.current = real(2, invalid::kCurrent);
    memory.upper = real(3, invalid::kUpper);
    memory.lower = real(4, invalid::kLower);
    memory.time = real(5, invalid::kTimer);
    const auto frequency = ParseInteger(line.args[6].text);
    memory.frequency = frequency.value_or(0);
    memory.lowerOn = flag(7, invalid::kLower);
    memory.offsetOn = flag(8, invalid::kOther);
    memory.timerOn = flag(9, invalid::kTimer);
    memory.Normalise();
    bad |= memory.Check(ranges);
    if (bad != 0) {
        registers.ExecutionError(bad);
        return std::nullopt;
    }
    memories.Store(*n, memory);
    return std::nullopt;
}

Reply Instrument::State::QueryMemory(const CommandLine& line) {
    if (!Expect(line, "n")) return std::nullopt;
    const auto n = Integer(line.args[0], 0, MemoryNumberMax(), invalid::kNumber);
    if (!n) return std::nullopt;
    return ReplyLine(memories.At(*n).Describe());
}

// RECALL n and REC n both load memory n into the test conditions.
Reply Instrument::State::Recall(const CommandLine& line) {
    if (!Settable(line, "n")) return std::nullopt;
    if (const auto n = Integer(line.args[0], 0, MemoryNumberMax(), invalid::kNumber)) {
        conditions = memories.At(*n).ApplyTo(conditions);
    }
    return std::nullopt;
}

}  // namespace zewsim
