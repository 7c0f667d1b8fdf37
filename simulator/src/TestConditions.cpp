#include "TestConditions.h"

namespace zewsim {

TestConditions TestConditions::Defaults(const ModelRanges& ranges) {
    TestConditions c;
    c.current = ranges.defaultCurrent;
    c.upper = ranges.defaultUpper;
    return c;
}

}  // namespace zewsim
