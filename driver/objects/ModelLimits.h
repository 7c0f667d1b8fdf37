// The ranges a tester model accepts for current and the reference values,
// against which property writes are checked.
#pragma once

#include <string>

namespace zew::objects {

struct ModelLimits {
    double currentMin, currentMax;
    double upperMin, upperMax;
    double lowerMin, lowerMax;

    // Before a model is known nothing is refused.
    static constexpr ModelLimits None() { return {0, 9.9e37, 0, 9.9e37, 0, 9.9e37}; }
    static constexpr ModelLimits Zew4400() { return {3.0, 30.0, 0.001, 1.2, 0.001, 1.2}; }
    static constexpr ModelLimits Zew4410() { return {6.0, 62.0, 0.001, 0.6, 0.001, 0.6}; }
    // What either model accepts: for objects that have never known a driver.
    static constexpr ModelLimits AnyModel() { return {3.0, 62.0, 0.001, 1.2, 0.001, 1.2}; }

    // The limits of the model named; an unknown model keeps the current ones.
    static ModelLimits ForModel(const std::string& model, const ModelLimits& current) {
        if (model.find("4410") != std::string::npos) return Zew4410();
        if (model.find("4400") != std::string::npos) return Zew4400();
        return current;
    }

    // Both ends included; a value that is not a number is outside every range.
    bool CurrentInRange(double v) const { return v >= currentMin && v <= currentMax; }
    bool UpperInRange(double v) const { return v >= upperMin && v <= upperMax; }
    bool LowerInRange(double v) const { return v >= lowerMin && v <= lowerMax; }

    bool operator==(const ModelLimits&) const = default;
};

}  // namespace zew::objects
