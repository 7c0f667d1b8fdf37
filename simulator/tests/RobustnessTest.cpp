// Garbage, over-long and hostile input: defined outcomes, state untouched.
#include "InstrumentTestSupport.h"

#include <limits>

namespace zewsim::testing {
namespace {

using RobustnessTest = InstrumentTest;

TEST_F(RobustnessTest, OverLongAndOddLinesAreCommandErrors) {
    Send(std::string(100000, 'A'));
    Send("COMMENT \"" + std::string(5000, 'x') + "\",\"\",\"\"");
    Send(std::string("CURRENT\0 5.000", 14));
    EXPECT_EQ(Reg("ERR?"), 0x01);
    Send("CURRENT 5.000;UPPER 0.5");  // one line, one command: a bad current
    EXPECT_EQ(Reg("ERR?"), 0x03);
    EXPECT_EQ(Ask("COMMENT?"), ",,\r\n");
    EXPECT_EQ(Ask("CURRENT?"), "3.000\n");

    Send("*CLS");
    Send("");
    Send("   \r");
    EXPECT_EQ(Reg("ERR?"), 0) << "blank lines are ignored";
}

TEST_F(RobustnessTest, HugeAndExtremeNumbersAreRefused) {
    for (const char* line : {"CURRENT  99999999999999999999999999999999", "CURRENT  1.0000000000000000000000000000000001",
                             "FUNCTION 99999999999", "MEMORY? -2147483649", "TIMER inf,1", "PASSHOLD  -0.5"}) {
        Send(line);
    }
    EXPECT_EQ(Ask("CURRENT?"), "3.000\n");
    EXPECT_EQ(Ask("FUNCTION?"), "0\n");
    EXPECT_EQ(Reg("ERR?"), 0x02);
}

TEST_F(RobustnessTest, ExtremeDeviceAndClockKeepRepliesShort) {
    Send("CURRENT  30.000");
    instrument_.SetDutResistance(1e300);
    instrument_.SetDutResistance(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(instrument_.Config().dutResistance, Instrument::kMaxDutResistance);
    Send("START");
    Advance(1.0);
    EXPECT_EQ(Ask("MON?"), "2,6.0000,0.0060,1000.0000,1000.0000,0.200\n") << "an open circuit";

    instrument_.SetDutResistance(1.2);  // on the upper limit, and 6 V at 5 A: passes
    Send("CURRENT  5.000");
    Send("START");
    Advance(1e300);
    const std::string mon = Ask("MON?");
    EXPECT_EQ(mon, "8,6.0000,5.0000,1.2000,1.2000,9999999.999\n");
    EXPECT_LT(mon.size(), 63u);
}

}  // namespace
}  // namespace zewsim::testing
