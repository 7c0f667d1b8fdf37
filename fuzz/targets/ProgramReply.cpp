// The replies about programs: "PRGNAME?", "PRGRETURN?", "PRGTOTAL?" and "PRGEDIT?".
#include "FuzzInput.h"
#include "parsers/ProgramReply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zew::parsers;
    const std::string reply = zew::fuzz::Text(data, size);
    const std::string name = ProgramNameOfReply(reply);
    zew::fuzz::Expect(name.size() <= 12, "a program name of at most 12 characters");
    (void)ProgramReturnOfReply(reply);
    const ProgramTotal total = ProgramTotalOfReply(reply);
    zew::fuzz::Expect(total.steps >= 0 && total.steps <= kMaxProgramSteps, "at most 100 steps");
    const ProgramStepReply step = ParseProgramStep(reply);
    if (step.memory) zew::fuzz::Expect(*step.memory >= 0 && *step.memory <= 99, "a memory 0 to 99");
    if (step.interval) {
        zew::fuzz::Expect(*step.interval == kHoldInterval || (*step.interval >= 0.0 && *step.interval <= kLongestInterval),
                          "an interval 0 to 9.9 or hold");
    }
    return 0;
}
