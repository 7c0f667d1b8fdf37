#include "PanelMemories.h"

#include "NumberText.h"
#include "StatusRegisters.h"

namespace zewsim {

TestConditions PanelMemory::ApplyTo(TestConditions base) const {
    base.current = current;
    base.upper = upper;
    base.lower = lower;
    base.lowerOn = lowerOn;
    base.timer = time;
    base.timerOn = timerOn;
    base.frequency = frequency;
    base.offset = offsetOn;
    return base;
}

std::string PanelMemory::Describe() const {
    std::string text = name;
    text.resize(PanelMemories::kMaxNameLength, ' ');
    text += ',' + FormatFixed(current, 1);
    text += ',' + FormatFixed(upper, 3);
    text += ',' + FormatFixed(lower, 3);
    text += ',' + FormatFixed(time, 1);
    text += ',' + std::to_string(frequency);
    text += lowerOn ? ",1" : ",0";
    text += offsetOn ? ",1" : ",0";
    text += timerOn ? ",1" : ",0";
    return text;
}

std::uint16_t PanelMemory::Check(const ModelRanges& ranges) const {
    std::uint16_t bits = 0;
    if (!PanelMemories::IsValidName(name)) bits |= invalid::kOther;
    if (!ranges.current.Contains(current)) bits |= invalid::kCurrent;
    if (!ranges.upper.Contains(upper)) bits |= invalid::kUpper;
    if (!ranges.lower.Contains(lower)) bits |= invalid::kLower;
    if (!kTimerRange.Contains(time)) bits |= invalid::kTimer;
    if (frequency != 50 && frequency != 60) bits |= invalid::kFrequency;
    if (bits == 0 && lowerOn && upper <= lower) bits |= invalid::kLimitOrder;
    return bits;
}

void PanelMemory::Normalise() {
    current = RoundTo(current, 1);
    upper = RoundTo(upper, 3);
    lower = RoundTo(lower, 3);
    time = RoundTo(time, 1);
}

PanelMemories::PanelMemories(const ModelRanges& ranges) {
    PanelMemory blank;
    blank.current = ranges.defaultCurrent;
    memories_.fill(blank);
}

bool PanelMemories::IsValidName(const std::string& name) {
    // A comma would split the name in the "MEMORY?" reply.
    return name.size() <= kMaxNameLength && name.find(',') == std::string::npos;
}

}  // namespace zewsim
