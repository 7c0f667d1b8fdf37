// The conditions of a test, as set from the panel or by command.
#pragma once

#include "ModelRanges.h"

namespace zewsim {

struct TestConditions {
    double current = 0.0;   // amperes
    int frequency = 50;     // hertz, 50 or 60
    double upper = 0.0;     // ohms
    double lower = 0.001;   // ohms; judged only while lowerOn
    bool lowerOn = false;
    double timer = 0.3;     // seconds; the test ends at this time only while timerOn
    bool timerOn = false;
    bool offset = false;
    bool contactCheck = false;
    bool failMode = false;
    bool momentary = false;

    static TestConditions Defaults(const ModelRanges& ranges);

    // START needs the upper limit strictly above an active lower limit.
    bool LimitsConsistent() const { return !lowerOn || upper > lower; }
};

}  // namespace zewsim
