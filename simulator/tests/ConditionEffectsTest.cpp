// What the output's voltage ceiling, the test-condition switches and a test
// in progress do to a test, and the simulator's own SIM: lines.
#include "InstrumentTestSupport.h"

namespace zewsim::testing {
namespace {

using ConditionEffectsTest = InstrumentTest;

TEST_F(ConditionEffectsTest, OutputStopsAtSixVoltsAndFailsAnOpenCircuit) {
    const struct {
        const char* dut;
        const char* lead;
        const char* contactCheck;
        const char* monAfterOneSecond;
        int fail;
    } cases[] = {
        {"0.2", "0", "0", "8,6.0000,30.0000,0.2000,0.2000,1.000\n", 0},  // exactly 6 V is driven
        {"0.21", "0", "0", "2,6.0000,28.5714,0.2100,0.2100,0.200\n", 0x04},
        {"0.19", "0.02", "0", "2,6.0000,28.5714,0.2100,0.2100,0.200\n", 0x04},  // the leads count
        {"0.21", "0", "1", "2,0.0000,0.0000,0.2100,0.2100,0.000\n", 0x04},      // contact check: at START
        {"0.2", "0", "1", "8,6.0000,30.0000,0.2000,0.2000,1.000\n", 0},
    };
    Send("CURRENT  30.000");
    for (const auto& c : cases) {
        Send(std::string("SIM:DUT ") + c.dut);
        Send(std::string("SIM:LEAD ") + c.lead);
        Send(std::string("CONTACTCHECK ") + c.contactCheck);
        Send("START");
        Advance(1.0);
        EXPECT_EQ(Ask("MON?"), c.monAfterOneSecond) << c.dut << ',' << c.lead << ',' << c.contactCheck;
        EXPECT_EQ(Reg("FAIL?"), c.fail) << c.dut << ',' << c.lead << ',' << c.contactCheck;
        Send("STOP");
    }

    // A device that opens while a timed test measures fails at once.
    Send("TIMER 10.0,1");
    Send("START");
    Advance(2.0);
    Send("SIM:DUT 500");
    EXPECT_EQ(Ask("MON?"), "2,6.0000,0.0120,500.0000,500.0000,2.000\n");
    EXPECT_EQ(Reg("ERR?"), 0);
}

TEST_F(ConditionEffectsTest, OffsetTakesTheLeadsOutOfTheReadingButNotTheVoltage) {
    Send("SIM:LEAD 0.03");
    Send("UPPER  0.060");
    Send("TIMER 1.0,1");
    Send("START");
    Advance(1.2);
    EXPECT_EQ(Ask("MON?"), "2,0.2400,3.0000,0.0800,0.0800,1.000\n");
    Send("OFFSET 1");
    Send("START");
    Advance(1.2);
    EXPECT_EQ(Ask("MON?"), "1,0.2400,3.0000,0.0500,0.0500,1.000\n");
}

TEST_F(ConditionEffectsTest, LatchedFailAndMomentaryOperationRefuseStart) {
    instrument_.SetDutResistance(2.0);
    Send("FAILMODE 1");
    Send("START");
    Advance(0.3);
    Send("STOP");
    Send("START");
    EXPECT_EQ(Reg("DSR?"), 2) << "STOP leaves a latched FAIL";
    EXPECT_EQ(Reg("ERR?"), 0x02);
    EXPECT_EQ(Reg("INVALID?"), 0);
    Send("CLR");
    Send("MOMENTARY 1");
    Send("START");
    EXPECT_EQ(Reg("DSR?"), 0);
    EXPECT_EQ(Reg("INVALID?"), 0x20);
    Send("MOMENTARY 0");
    Send("START");
    EXPECT_EQ(Reg("DSR?"), 12);
}

TEST_F(ConditionEffectsTest, TestOnRefusesChangesButNotStopQueriesOrSettings) {
    Send("START");
    Advance(1.0);
    for (const char* line : {"CURRENT  10.000", "FREQUENCY 60", "UPPER  0.500", "LOWER 0.010,1", "TIMER 5.0,1",
                             "OFFSET 1", "CONTACTCHECK 1", "FAILMODE 1", "MOMENTARY 1",
                             "MEMORY 1,\"X\",10.0,0.500,0.010,2.0,60,1,0,1", "RECALL 1", "REC 1", "PRGNEW 1",
                             "START"}) {
        Send("*CLS");
        Send(line);
        EXPECT_EQ(Reg("ERR?"), 0x02) << line;
        EXPECT_EQ(Reg("INVALID?"), 0) << line;
    }
    Send("*CLS");
    Send("CURRENT 1,2");
    EXPECT_EQ(Reg("ERR?"), 0x01) << "a malformed line is still a command error";
    Send("*CLS");
    for (const char* line : {"PASSHOLD  1.000", "MEASMODE MAX", "PRGEDIT 1,0,2,0.0", "CLR"}) Send(line);
    EXPECT_EQ(Reg("ERR?"), 0);
    EXPECT_EQ(Ask("TIME?"), "1.000\n") << "the test runs on";
    EXPECT_EQ(Ask("CURRENT?") + Ask("PRGTOTAL? 1"), "3.000\n1\n");
    Send("STOP");
    Send("CURRENT  10.000");
    EXPECT_EQ(Ask("CURRENT?"), "10.000\n");
}

TEST_F(ConditionEffectsTest, SimulatorLinesSetAndReadTheDeviceAndLeads) {
    Send("sim:dut 1000");
    Send("SIM:LEAD 1");
    for (const char* bad : {"SIM:DUT 1000.001", "SIM:DUT -0.1", "SIM:DUT 1e2", "SIM:LEAD 1.001"}) Send(bad);
    EXPECT_EQ(Ask("SIM:DUT?") + Ask("SIM:LEAD?"), "1000.0000\n1.0000\n");
    EXPECT_EQ(Reg("INVALID?"), 0x20);
    Send("*CLS");
    for (const char* malformed : {"SIM:DUT", "SIM:DUT \"1\"", "SIM:VOLT 5", "SIM:DUT? 1"}) Send(malformed);
    EXPECT_EQ(Reg("ERR?"), 0x01);
}

}  // namespace
}  // namespace zewsim::testing
