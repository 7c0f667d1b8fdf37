// Setting ranges that depend on the instrument model.
#pragma once

#include <string_view>

namespace zewsim {

// A closed interval [min, max].
struct Range {
    double min = 0.0;
    double max = 0.0;
    bool Contains(double value) const { return value >= min && value <= max; }
};

struct ModelRanges {
    Range current;   // amperes
    Range upper;     // ohms
    Range lower;     // ohms
    double defaultCurrent = 0.0;
    double defaultUpper = 0.0;

    // ZEW4410 has its own ranges; every other model uses those of ZEW4400.
    static ModelRanges ForModel(std::string_view model);
};

// Ranges shared by all models.
inline constexpr Range kTimerRange{0.3, 999.0};         // seconds
inline constexpr Range kPassHoldRange{0.2, 10.0};       // seconds
inline constexpr Range kStepIntervalRange{0.0, 9.9};    // seconds
inline constexpr int kMaxPanelLevel = 10;               // buzzer volume, contrast
inline constexpr int kMaxFunction = 4;

}  // namespace zewsim
