#include "Programs.h"

namespace zewsim {

Programs::Programs() {
    for (int n = 0; n < kCount; ++n) Clear(n);
}

std::string Programs::DefaultName(int n) { return "NONAME-" + std::to_string(n); }

void Programs::Clear(int n) {
    Program& program = At(n);
    program.name = DefaultName(n);
    program.returnOn = false;
    program.steps.clear();
}

bool Programs::SetStep(int n, std::size_t step, const ProgramStep& value) {
    std::vector<ProgramStep>& steps = At(n).steps;
    if (step < steps.size()) {
        steps[step] = value;
        return true;
    }
    if (step == steps.size() && steps.size() < kMaxSteps) {
        steps.push_back(value);
        return true;
    }
    return false;
}

}  // namespace zewsim
