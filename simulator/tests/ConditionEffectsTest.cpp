// What the output's voltage ceiling, the test-condition switches and a test
// in progress do to a test, and the simulator's own SIM: lines.
#include "InstrumentTestSupport.h"

namespace zewsim::testing {
namespace {

using ConditionEffectsTest = InstrumentTest;

TEST_F(ConditionEffectsTest, OutputStopsAtSixVoltsAndFailsAnOpenCircuit) {
    const struct {
        const char* name;
        const char* dut;
        const char* lead;
        const char* contactCheck;
        const char* monAfterOneSecond;
        int fail;
    } cases[] = {
        {"exactly 6 V is driven", "0.2", "0", "0", "8,6.0000,30.0000,0.2000,0.2000,1.000\n", 0},
        {"over 6 V: open at the ramp's end", "0.21", "0", "0", "2,6.0000,28.5714,0.2100,0.2100,0.200\n", 0x04},
        {"the leads count", "0.19", "0.02", "0", "2,6.0000,28.5714,0.2100,0.2100,0.200\n", 0x04},
        {"contact check: at START", "0.21", "0", "1", "2,0.0000,0.0000,0.2100,0.2100,0.000\n", 0x04},
        {"contact check passes a drivable device", "0.2", "0", "1", "8,6.0000,30.0000,0.2000,0.2000,1.000\n", 0},
    };
    for (const auto& c : cases) {
        Send("STOP");
        Send("CLR");
        Send("CURRENT  30.000");
        Send(std::string("CONTACTCHECK ") + c.contactCheck);
        Send(std::string("SIM:DUT ") + c.dut);
        Send(std::string("SIM:LEAD ") + c.lead);
        Send("START");
        if (*c.contactCheck == '1') {
            EXPECT_EQ(Reg("DSR?"), c.fail ? 2 : 12) << c.name;
        }
        Advance(0.1);
        if (c.fail == 0) {
            EXPECT_EQ(Ask("VDATA?"), "3.0000\n") << c.name << ": half way up the ramp";
        }
        Advance(0.9);
        EXPECT_EQ(Ask("MON?"), c.monAfterOneSecond) << c.name;
        EXPECT_EQ(Reg("FAIL?"), c.fail) << c.name;
    }
    EXPECT_EQ(Reg("ERR?"), 0);

    // The ceiling holds during the ramp, and a device that opens while a
    // timed test measures fails at once.
    Send("STOP");
    Send("CONTACTCHECK 0");
    Send("SIM:DUT 1000");
    Send("START");
    Advance(0.1);
    EXPECT_EQ(Ask("MON?"), "12,6.0000,0.0060,1000.0000,1000.0000,0.100\n");
    Send("STOP");
    Send("SIM:DUT 0.05");
    Send("TIMER 10.0,1");
    Send("START");
    Advance(2.0);
    Send("SIM:DUT 500");
    EXPECT_EQ(Reg("DSR?"), 2);
    EXPECT_EQ(Reg("FAIL?"), 0x04);
    EXPECT_EQ(Ask("VDATA?"), "6.0000\n");
}

TEST_F(ConditionEffectsTest, OffsetTakesTheLeadsOutOfTheReading) {
    Send("SIM:LEAD 0.03");
    Send("UPPER  0.060");
    Send("TIMER 1.0,1");
    Send("START");
    Advance(0.5);
    EXPECT_EQ(Ask("MON?"), "8,0.2400,3.0000,0.0800,0.0800,0.500\n");
    Advance(1.0);
    EXPECT_EQ(Reg("FAIL?"), 0x01) << "0.08 ohm with the leads is above 0.06";

    Send("OFFSET 1");
    Send("START");
    Advance(0.5);
    EXPECT_EQ(Ask("MON?"), "8,0.2400,3.0000,0.0500,0.0500,0.500\n") << "the output still drives the leads";
    Advance(0.7);
    EXPECT_EQ(Reg("DSR?"), 0x11);
}

TEST_F(ConditionEffectsTest, FailModeLatchesAFailUntilClr) {
    instrument_.SetDutResistance(2.0);
    Send("START");
    Advance(0.3);
    Send("STOP");
    EXPECT_EQ(Reg("DSR?"), 0) << "without fail mode STOP ends the FAIL";

    Send("FAILMODE 1");
    Send("START");
    Advance(0.3);
    Send("STOP");
    Send("START");
    EXPECT_EQ(Reg("DSR?"), 2);
    EXPECT_EQ(Reg("ERR?"), 0x02);
    EXPECT_EQ(Reg("INVALID?"), 0);
    Send("CLR");
    EXPECT_EQ(Reg("DSR?"), 0);
    Send("START");
    EXPECT_EQ(Reg("DSR?"), 12);
}

TEST_F(ConditionEffectsTest, MomentaryRefusesAStartThatCannotBeHeld) {
    Send("MOMENTARY 1");
    Send("START");
    EXPECT_EQ(Reg("DSR?"), 0);
    EXPECT_EQ(Reg("ERR?"), 0x02);
    EXPECT_EQ(Reg("INVALID?"), 0x20);
    Send("MOMENTARY 0");
    Send("START");
    EXPECT_EQ(Reg("DSR?"), 12);
}

TEST_F(ConditionEffectsTest, TestOnRefusesChangesButNotStopQueriesOrSettings) {
    Send("PRGEDIT 1,0,1,0.0");
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
    Send("PASSHOLD  1.000");
    Send("MEASMODE MAX");
    Send("PRGEDIT 1,1,2,0.0");
    Send("CLR");
    EXPECT_EQ(Reg("ERR?"), 0);
    EXPECT_EQ(Ask("TIME?"), "1.000\n") << "the test runs on";
    EXPECT_EQ(Ask("CURRENT?"), "3.000\n");
    EXPECT_EQ(Ask("MEMORY? 1"), "            ,3.0,0.100,0.001,1.0,50,0,0,0\n");
    EXPECT_EQ(Ask("PRGTOTAL? 1"), "2\n");

    Send("STOP");
    Send("CURRENT  10.000");
    EXPECT_EQ(Ask("CURRENT?"), "10.000\n");
    EXPECT_EQ(Reg("ERR?"), 0);
}

TEST_F(ConditionEffectsTest, SimulatorLinesSetAndReadTheDeviceAndLeads) {
    EXPECT_EQ(Ask("sim:dut?"), "0.0500\n");
    EXPECT_EQ(Ask("SIM:LEAD?"), "0.0000\n");
    Send("SIM:DUT 1000");
    Send("SIM:LEAD 1");
    EXPECT_EQ(Ask("SIM:DUT?"), "1000.0000\n");
    EXPECT_EQ(Ask("SIM:LEAD?"), "1.0000\n");
    EXPECT_EQ(instrument_.Config().dutResistance, 1000.0);

    for (const char* bad : {"SIM:DUT 1000.001", "SIM:DUT -0.1", "SIM:DUT 1e2", "SIM:DUT nan", "SIM:LEAD 1.001"}) {
        Send(bad);
    }
    EXPECT_EQ(Reg("ERR?"), 0x02);
    EXPECT_EQ(Reg("INVALID?"), 0x20);
    EXPECT_EQ(Ask("SIM:DUT?"), "1000.0000\n");
    EXPECT_EQ(Ask("SIM:LEAD?"), "1.0000\n");

    Send("*CLS");
    for (const char* malformed : {"SIM:DUT", "SIM:DUT 1,2", "SIM:DUT \"1\"", "SIM:VOLT 5", "SIM:DUT? 1"}) {
        Send(malformed);
    }
    EXPECT_EQ(Reg("ERR?"), 0x01);
}

}  // namespace
}  // namespace zewsim::testing
