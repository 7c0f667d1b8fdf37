// Lines of the simulator itself, no part of a real tester's command set: the
// resistance of the simulated device under test and of the test leads. Their
// words hold a colon, which no instrument command word does.
#include "InstrumentState.h"

#include "NumberText.h"

namespace zewsim {

namespace {

constexpr int kOhmDecimals = 4;

}  // namespace

// "SIM:DUT ohms": 0 to kMaxDutResistance, taken by a running test at once.
Reply Instrument::State::SetSimDut(const CommandLine& line) {
    if (!Expect(line, "n")) return std::nullopt;
    if (const auto ohms = Real(line.args[0], {0.0, Instrument::kMaxDutResistance}, invalid::kOther)) SetDut(*ohms);
    return std::nullopt;
}

Reply Instrument::State::QuerySimDut(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplyLine(FormatFixed(config.dutResistance, kOhmDecimals));
}

// "SIM:LEAD ohms": 0 to kMaxLeadResistance.
Reply Instrument::State::SetSimLead(const CommandLine& line) {
    if (!Expect(line, "n")) return std::nullopt;
    if (const auto ohms = Real(line.args[0], {0.0, Instrument::kMaxLeadResistance}, invalid::kOther)) SetLead(*ohms);
    return std::nullopt;
}

Reply Instrument::State::QuerySimLead(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplyLine(FormatFixed(config.leadResistance, kOhmDecimals));
}

}  // namespace zewsim
