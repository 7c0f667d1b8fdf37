// The 100 auto-test programs, each a named list of up to 100 steps.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zewsim {

struct ProgramStep {
    int memory = 0;                       // panel memory run by the step
    std::optional<double> interval = 1.0; // seconds before the next step; nothing = HOLD
};

struct Program {
    std::string name;
    bool returnOn = false;  // stay selected for the next START after a run
    std::vector<ProgramStep> steps;
};

class Programs {
public:
    static constexpr int kCount = 100;
    static constexpr std::size_t kMaxSteps = 100;
    static constexpr std::size_t kMaxNameLength = 12;

    Programs();

    static bool IsValidNumber(int n) { return n >= 0 && n < kCount; }
    static std::string DefaultName(int n);

    const Program& At(int n) const { return programs_.at(static_cast<std::size_t>(n)); }
    Program& At(int n) { return programs_.at(static_cast<std::size_t>(n)); }

    // Empties program n and gives it its default name and return off.
    void Clear(int n);

    // Replaces step `step`, or appends when `step` equals the step count.
    // False (nothing changed) past the end or beyond the step limit.
    bool SetStep(int n, std::size_t step, const ProgramStep& value);

private:
    std::array<Program, kCount> programs_;
};

}  // namespace zewsim
