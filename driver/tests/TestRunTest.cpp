// Starting and stopping a test and reading its monitored values, on the wire
// and against the simulated instrument's clock.
#include <gtest/gtest.h>

#include "DriverFixture.h"

namespace zewtest {
namespace {

using TestRun = ConnectedDriverTest;

TEST_F(TestRun, StartSendsEveryConditionInOrder) {
    ASSERT_EQ(driver->Start(), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"),
              "CURRENT  3.000\nFREQUENCY 50\nUPPER  1.200\nLOWER 0.001,0\nTIMER 0.3,0\n"
              "OFFSET 0\nCONTACTCHECK 0\nFAILMODE 0\nMOMENTARY 0\nSTART\n");

    ASSERT_EQ(driver->Stop(), S_OK);   // the tester takes no conditions while a test runs
    ZvClearLogs(nullptr);
    driver->put_Current(12.5);
    driver->put_Frequency(60);
    driver->put_LimitUpper(0.5);
    driver->put_LimitLower(0.05);
    driver->put_ExecTime(60);
    driver->put_OffsetON(1);
    driver->put_ContactCheckOn(VARIANT_TRUE);
    driver->put_FailModeOn(1);
    driver->put_MomentaryOn(VARIANT_TRUE);
    ASSERT_EQ(driver->Start(), S_OK);
    ASSERT_EQ(driver->Stop(), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"),
              "CURRENT  12.500\nFREQUENCY 60\nUPPER  0.500\nLOWER 0.050,1\nTIMER 60.0,1\n"
              "OFFSET 1\nCONTACTCHECK 1\nFAILMODE 1\nMOMENTARY 1\nSTART\nSTOP\n");
    // The instrument took every condition.
    EXPECT_EQ(Instrument("CURRENT?"), "12.500\n");
    EXPECT_EQ(Instrument("LOWER?"), "0.050,1\n");
    EXPECT_EQ(Instrument("TIMER?"), "60.0,1\n");
}

TEST_F(TestRun, StartRefusesAnUpperLimitNotAboveTheLowerBeforeAnyIo) {
    driver->put_LimitLower(0.5);
    driver->put_LimitUpper(0.5);
    EXPECT_EQ(driver->Start(), E_INVALIDARG);
    driver->put_LimitLower(0.0);
    driver->put_Current(3.0);
    ComPtr<IZew4400> fresh = CreateDriver();   // no model known: upper 0 is allowed
    fresh->put_LimitUpper(0.0);
    EXPECT_EQ(fresh->Start(), E_INVALIDARG);
    EXPECT_EQ(WireLog("GPIB0::1"), "");
}

TEST_F(TestRun, ATransportFailureMidStartSendsNoMoreAndFreesTheLock) {
    ZvFailNext(ZV_OP_WRITE, 2, VI_ERROR_IO);   // the UPPER line
    EXPECT_EQ(driver->Start(), kWriteFailed);
    EXPECT_EQ(ErrorDescription(), L"Error writing to instrument in device GPIB0::1.");
    EXPECT_EQ(WireLog("GPIB0::1"), "CURRENT  3.000\nFREQUENCY 50\n");
    EXPECT_EQ(Instrument("DSR?"), "0\n");   // no test runs

    EXPECT_TRUE(InstrumentLockIsFree());
}

TEST_F(TestRun, MonitoredValuesFollowTheSimulatedTest) {
    ZvUseVirtualClock(VI_TRUE);
    driver->put_Current(10.0);
    driver->put_LimitUpper(0.1);
    driver->put_ExecTime(2.0);
    ASSERT_EQ(driver->Start(), S_OK);
    ZvAdvanceClock(1.0);
    ZvClearLogs(nullptr);
    double r = 0, i = 0, v = 0, elapsed = 0, remaining = 0;
    EXPECT_EQ(driver->get_MonResistance(&r), S_OK);
    EXPECT_EQ(driver->get_MonCurrent(&i), S_OK);
    EXPECT_EQ(driver->get_MonVoltage(&v), S_OK);
    EXPECT_EQ(driver->get_MonTimeElapsed(&elapsed), S_OK);
    EXPECT_EQ(driver->get_MonTimeRemaining(&remaining), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"), "RDATA?\nIDATA?\nVDATA?\nTIME?\nTIME?\n");
    EXPECT_DOUBLE_EQ(r, 0.05);
    EXPECT_DOUBLE_EQ(i, 10.0);
    EXPECT_DOUBLE_EQ(v, 0.5);
    EXPECT_DOUBLE_EQ(elapsed, 1.0);
    EXPECT_DOUBLE_EQ(remaining, 1.0);
    ZvAdvanceClock(1.2);
    EXPECT_EQ(Instrument("MON?").substr(0, 2), "1,");   // passed, within the pass hold of 0.5 s
}

TEST_F(TestRun, ElapsedAndRemainingTimeUseTheCachedTimer) {
    driver->put_ExecTime(10);
    ZvQueueReply("GPIB0::1", "TIME?", "2.5\n");
    ZvQueueReply("GPIB0::1", "TIME?", "2.5\n");
    double elapsed = 0, remaining = 0;
    driver->get_MonTimeElapsed(&elapsed);
    driver->get_MonTimeRemaining(&remaining);
    EXPECT_EQ(elapsed, 7.5);
    EXPECT_EQ(remaining, 2.5);

    driver->put_ExecTime(0);
    ZvQueueReply("GPIB0::1", "TIME?", "2.5\n");
    driver->get_MonTimeElapsed(&elapsed);
    EXPECT_EQ(elapsed, 2.5);
    ZvClearLogs(nullptr);
    driver->Disconnect();
    EXPECT_EQ(driver->get_MonTimeRemaining(&remaining), S_OK);   // no exchange at all
    EXPECT_EQ(remaining, 0.0);
    EXPECT_EQ(Trace("GPIB0::1"), "viClose\n");

    double r = 42;
    EXPECT_EQ(driver->get_MonResistance(&r), kNotInitialized);
    EXPECT_EQ(r, 42);
    EXPECT_EQ(driver->Stop(), kNotInitialized);
}

}  // namespace
}  // namespace zewtest
