// Tests started from the panel conditions, on the virtual clock.
#include "InstrumentTestSupport.h"

namespace zewsim::testing {
namespace {

using TestRunTest = InstrumentTest;

TEST_F(TestRunTest, BeforeAnyTestEverythingReadsZero) {
    EXPECT_EQ(Ask("MON?"), "0,0.0000,0.0000,0.0000,0.0000,0.000\n");
    for (const char* q : {"RDATA?", "IDATA?", "VDATA?"}) EXPECT_EQ(Ask(q), "0.0000\n") << q;
    Send("TIMER 5.0,1");
    EXPECT_EQ(Ask("TIME?"), "0.000\n");
}

TEST_F(TestRunTest, TimedPassRampsMeasuresAndHoldsThePass) {
    Send("CURRENT  10.000");
    Send("TIMER 2.0,1");
    Send("START");
    EXPECT_EQ(Reg("DSR?"), 12);
    Advance(0.1);
    EXPECT_EQ(Ask("MON?"), "12,0.2500,5.0000,0.0500,0.0500,0.100\n");
    Advance(0.9);
    EXPECT_EQ(Ask("MON?"), "8,0.5000,10.0000,0.0500,0.0500,1.000\n");
    EXPECT_EQ(Ask("TIME?"), "1.000\n") << "time left while the timer is on";
    EXPECT_EQ(Ask("RDATA?"), "0.0500\n");
    EXPECT_EQ(Ask("IDATA?"), "10.0000\n");
    EXPECT_EQ(Ask("VDATA?"), "0.5000\n");
    Advance(1.1);
    EXPECT_EQ(Reg("DSR?"), 0x01 | 0x10) << "pass hold of 0.5 s running";
    EXPECT_EQ(Ask("MON?"), "1,0.5000,10.0000,0.0500,0.0500,2.000\n");
    EXPECT_EQ(Ask("TIME?"), "0.000\n");
    Advance(0.35);
    EXPECT_EQ(Reg("DSR?"), 0x11);
    Advance(0.1);
    EXPECT_EQ(Ask("MON?"), "0,0.5000,10.0000,0.0500,0.0500,2.000\n") << "ready once the hold is over";
    EXPECT_EQ(Reg("FAIL?"), 0);
}

TEST_F(TestRunTest, TimedTestsJudgeUpperAndLowerAtTheEnd) {
    Send("UPPER  0.040");
    Send("TIMER 1.0,1");
    Send("START");
    Advance(0.5);
    EXPECT_EQ(Reg("DSR?"), 8) << "a timed test is judged when its time is up";
    Advance(0.6);
    EXPECT_EQ(Reg("DSR?"), 2);
    EXPECT_EQ(Reg("FAIL?"), 0x01);
    EXPECT_EQ(Ask("MON?"), "2,0.1500,3.0000,0.0500,0.0500,1.000\n");

    Send("UPPER  0.500");
    Send("LOWER 0.100,1");
    Send("START");
    EXPECT_EQ(Reg("FAIL?"), 0) << "a new test clears the last judgement";
    Advance(1.5);
    EXPECT_EQ(Reg("DSR?"), 2);
    EXPECT_EQ(Reg("FAIL?"), 0x02);
}

TEST_F(TestRunTest, UntimedFailEndsAsMeasuringBegins) {
    instrument_.SetDutResistance(2.0);
    Send("START");
    Advance(0.15);
    EXPECT_EQ(Reg("DSR?"), 12);
    Advance(10.0);
    EXPECT_EQ(Reg("DSR?"), 2);
    EXPECT_EQ(Ask("MON?"), "2,6.0000,3.0000,2.0000,2.0000,0.200\n");
    EXPECT_EQ(Ask("TIME?"), "0.200\n") << "time elapsed while the timer is off";
}

TEST_F(TestRunTest, UntimedPassRunsUntilStopAndKeepsItsLastReading) {
    Send("START");
    Advance(100.0);
    EXPECT_EQ(Reg("DSR?"), 8);
    EXPECT_EQ(Ask("TIME?"), "100.000\n");
    Send("STOP");
    EXPECT_EQ(Reg("DSR?"), 0);
    Advance(5.0);
    EXPECT_EQ(Ask("MON?"), "0,0.1500,3.0000,0.0500,0.0500,100.000\n");

    // A device that goes bad during the test fails it at once.
    Send("START");
    Advance(5.0);
    instrument_.SetDutResistance(1.5);
    EXPECT_EQ(Reg("DSR?"), 2);
    EXPECT_EQ(Ask("MON?"), "2,4.5000,3.0000,1.5000,1.5000,5.000\n");
}

TEST_F(TestRunTest, StartIsRefusedWithCrossedLimitsOrDuringATest) {
    Send("UPPER  0.500");
    Send("LOWER 0.500,1");
    Send("START");
    EXPECT_EQ(Reg("DSR?"), 0);
    EXPECT_EQ(Reg("INVALID?"), 0x40);
    EXPECT_EQ(Reg("ERR?"), 0x02);

    Send("*CLS");
    Send("LOWER 0.010,1");
    Send("START");
    Advance(1.0);
    Send("START");
    EXPECT_EQ(Reg("ERR?"), 0x02);
    EXPECT_EQ(Reg("INVALID?"), 0);
    EXPECT_EQ(Ask("TIME?"), "1.000\n") << "the running test goes on";

    Send("*RST");
    EXPECT_EQ(Reg("DSR?"), 0) << "*RST ends the test";
}

TEST_F(TestRunTest, MaxHoldKeepsAndJudgesThePeak) {
    Send("MEASMODE MAX");
    Send("UPPER  0.500");
    Send("START");
    Advance(1.0);
    instrument_.SetDutResistance(0.3);
    instrument_.SetDutResistance(0.1);
    EXPECT_EQ(Ask("RDATA?"), "0.3000\n");
    EXPECT_EQ(Ask("MON?"), "8,0.3000,3.0000,0.3000,0.1000,1.000\n");
    Send("MEASMODE NORM");
    EXPECT_EQ(Ask("RDATA?"), "0.1000\n");
    instrument_.SetDutResistance(0.6);
    EXPECT_EQ(Reg("FAIL?"), 0x01);
}

TEST_F(TestRunTest, PassHoldUntilClearedStoppedOrStartedAgain) {
    Send("PASSHOLD HOLD");
    Send("TIMER 0.5,1");
    for (const char* clear : {"CLR", "STOP", "START"}) {
        Send("START");
        Advance(1000.0);
        EXPECT_EQ(Reg("DSR?"), 0x11) << clear;
        Send(clear);
        EXPECT_EQ(Reg("DSR?") & 0x03, 0) << clear;
        Send("STOP");
    }
    EXPECT_EQ(Ask("MON?"), "0,0.0000,0.0000,0.0500,0.0500,0.000\n") << "stopped as the last START began";
}

TEST_F(TestRunTest, ClockGoingBackDoesNotUndoTime) {
    Send("START");
    Advance(2.0);
    EXPECT_EQ(Ask("TIME?"), "2.000\n");
    Advance(-1.5);
    EXPECT_EQ(Ask("TIME?"), "2.000\n");
}

}  // namespace
}  // namespace zewsim::testing
