// The 100 panel memories: named, stored sets of test conditions.
#pragma once

#include "ModelRanges.h"
#include "TestConditions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace zewsim {

struct PanelMemory {
    std::string name;      // up to 12 characters, no comma
    double current = 0.0;  // amperes, 0.1 resolution
    double upper = 0.100;  // ohms, 0.001 resolution
    double lower = 0.001;  // ohms, 0.001 resolution
    double time = 1.0;     // seconds, 0.1 resolution
    int frequency = 50;
    bool lowerOn = false;
    bool offsetOn = false;
    bool timerOn = false;

    // The conditions `base` with this memory's fields put in; contact check,
    // fail mode and momentary are not part of a memory and stay as they are.
    TestConditions ApplyTo(TestConditions base) const;

    // The "MEMORY?" reply without its terminator: the name padded with blanks
    // to 12 characters, then the eight values.
    std::string Describe() const;

    // INVALID bits of every field out of range for the model (0 when valid).
    // A memory with an active lower limit must have its upper limit above it.
    std::uint16_t Check(const ModelRanges& ranges) const;

    // Rounds the values to the resolution in which they are kept.
    void Normalise();
};

class PanelMemories {
public:
    static constexpr int kCount = 100;
    static constexpr std::size_t kMaxNameLength = 12;

    explicit PanelMemories(const ModelRanges& ranges);

    static bool IsValidNumber(int n) { return n >= 0 && n < kCount; }
    static bool IsValidName(const std::string& name);

    const PanelMemory& At(int n) const { return memories_.at(static_cast<std::size_t>(n)); }
    void Store(int n, const PanelMemory& memory) { memories_.at(static_cast<std::size_t>(n)) = memory; }

private:
    std::array<PanelMemory, kCount> memories_;
};

}  // namespace zewsim
