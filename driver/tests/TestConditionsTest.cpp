// The test conditions: the model's limits on the cached ones, and the live
// settings' lines and replies on the stand-in's wire.
#include <gtest/gtest.h>

#include <cmath>

#include "DriverFixture.h"

namespace zewtest {
namespace {

constexpr HRESULT kNotInitialized = static_cast<HRESULT>(0x800A04D0);

class TestConditions : public DriverTest {
protected:
    void SetUp() override {
        DriverTest::SetUp();
        ASSERT_EQ(ZvConfigure("[GPIB0::2]\nmodel = ZEW4410\n"), VI_SUCCESS);
    }
    void Connected(const wchar_t* device) {
        ASSERT_EQ(Connect(driver.get(), device), S_OK);
        ZvClearLogs(nullptr);
    }
};

TEST_F(TestConditions, ModelLimitsApplyFromTheConnectedModel) {
    const double nan = std::nan("");
    // No model known yet: everything from 0 up is accepted.
    EXPECT_EQ(driver->put_Current(1000), S_OK);
    EXPECT_EQ(driver->put_Current(-1), E_INVALIDARG);
    EXPECT_EQ(driver->put_Current(nan), E_INVALIDARG);
    EXPECT_EQ(driver->put_LimitLower(0.0005), S_OK);

    Connected(L"dev1");   // a ZEW4400
    for (double v : {1000.0, 2.9, 30.01, nan}) EXPECT_EQ(driver->put_Current(v), E_INVALIDARG) << v;
    for (double v : {3.0, 30.0}) EXPECT_EQ(driver->put_Current(v), S_OK) << v;
    EXPECT_EQ(driver->put_LimitUpper(1.2), S_OK);
    EXPECT_EQ(driver->put_LimitUpper(1.21), E_INVALIDARG);
    EXPECT_EQ(driver->put_LimitUpper(0.0009), E_INVALIDARG);
    EXPECT_EQ(driver->put_LimitLower(0.0005), E_INVALIDARG);
    EXPECT_EQ(driver->put_LimitLower(0.0), S_OK);
    EXPECT_EQ(driver->put_LimitLower(0.001), S_OK);

    Connected(L"dev2");   // a ZEW4410
    EXPECT_EQ(driver->put_Current(5.9), E_INVALIDARG);
    EXPECT_EQ(driver->put_Current(62.0), S_OK);
    EXPECT_EQ(driver->put_LimitUpper(1.2), E_INVALIDARG);
    EXPECT_EQ(driver->put_LimitUpper(0.6), S_OK);
    EXPECT_EQ(driver->put_LimitLower(0.61), E_INVALIDARG);

    double current = 0;
    driver->get_Current(&current);
    EXPECT_EQ(current, 62.0);   // refused writes left the last good value
    driver->Disconnect();
    EXPECT_EQ(driver->put_Current(5.9), E_INVALIDARG);   // the limits outlive the connection
    EXPECT_EQ(WireLog("GPIB0::2"), "");                   // cached writes never talk to the instrument
}

TEST_F(TestConditions, FixedRangesAndSwitches) {
    EXPECT_EQ(driver->put_Frequency(55), E_INVALIDARG);
    short frequency = 0;
    driver->get_Frequency(&frequency);
    EXPECT_EQ(frequency, 50);
    EXPECT_EQ(driver->put_Frequency(60), S_OK);
    for (double v : {0.29, 999.1, -1.0, std::nan("")}) EXPECT_EQ(driver->put_ExecTime(v), E_INVALIDARG) << v;
    for (double v : {0.3, 999.0, 0.0}) EXPECT_EQ(driver->put_ExecTime(v), S_OK) << v;
    EXPECT_EQ(driver->put_OffsetON(1), S_OK);
    VARIANT_BOOL offset = 0;
    driver->get_OffsetON(&offset);
    EXPECT_EQ(offset, 1);
    double d;
    EXPECT_EQ(driver->get_Current(nullptr), E_POINTER);
    EXPECT_EQ(driver->get_LimitUpper(&d), S_OK);
    EXPECT_EQ(d, 1.2);
}

TEST_F(TestConditions, LiveSettingsAreExchangesWithTheInstrument) {
    ZEW_FUNCMODE screen = ZEW_FM_MAIN;
    EXPECT_EQ(driver->get_FuncMode(&screen), kNotInitialized);
    EXPECT_EQ(ErrorDescription(), L"Instrument not initialized in device ???.");

    Connected(L"dev1");
    EXPECT_EQ(driver->put_FuncMode(static_cast<ZEW_FUNCMODE>(5)), E_INVALIDARG);
    EXPECT_EQ(driver->put_FuncMode(static_cast<ZEW_FUNCMODE>(-1)), E_INVALIDARG);
    EXPECT_EQ(driver->put_MeasMode(static_cast<ZEW_MEASMODE>(2)), E_INVALIDARG);
    EXPECT_EQ(WireLog("GPIB0::1"), "");

    EXPECT_EQ(driver->put_FuncMode(ZEW_FM_MAIN), S_OK);
    EXPECT_EQ(driver->put_FuncMode(ZEW_FM_SYSTEM), S_OK);
    EXPECT_EQ(driver->get_FuncMode(&screen), S_OK);
    EXPECT_EQ(screen, ZEW_FM_SYSTEM);
    EXPECT_EQ(driver->put_MeasMode(ZEW_MM_MAXHOLD), S_OK);
    ZEW_MEASMODE mode = ZEW_MM_NORMAL;
    EXPECT_EQ(driver->get_MeasMode(&mode), S_OK);
    EXPECT_EQ(mode, ZEW_MM_MAXHOLD);
    EXPECT_EQ(driver->put_MeasMode(ZEW_MM_NORMAL), S_OK);
    EXPECT_EQ(driver->put_DoubleActionOn(VARIANT_TRUE), S_OK);
    VARIANT_BOOL on = 0;
    EXPECT_EQ(driver->get_DoubleActionOn(&on), S_OK);
    EXPECT_EQ(on, VARIANT_TRUE);
    EXPECT_EQ(driver->put_DoubleActionOn(1), S_OK);   // only -1 means on
    EXPECT_EQ(driver->get_DoubleActionOn(&on), S_OK);
    EXPECT_EQ(on, VARIANT_FALSE);
    EXPECT_EQ(WireLog("GPIB0::1"),
              "FUNCTION 0\nFUNCTION 3\nFUNCTION?\nMEASMODE MAX\nMEASMODE?\nMEASMODE NORM\n"
              "DOUBLEACTION 1\nDOUBLEACTION?\nDOUBLEACTION 0\nDOUBLEACTION?\n");
}

TEST_F(TestConditions, AnUnrecognisedMeasModeReplyLeavesTheValueAndReturnsSFalse) {
    Connected(L"dev1");
    ZvQueueReply("GPIB0::1", "MEASMODE?", "\n");
    ZEW_MEASMODE mode = static_cast<ZEW_MEASMODE>(7);
    EXPECT_EQ(driver->get_MeasMode(&mode), S_FALSE);
    EXPECT_EQ(mode, 7);
    ZvQueueReply("GPIB0::1", "MEASMODE?", "MAX NORM\n");
    EXPECT_EQ(driver->get_MeasMode(&mode), S_OK);
    EXPECT_EQ(mode, ZEW_MM_NORMAL);

    // A failed read leaves the out value alone too.
    ZvFailNext(ZV_OP_READ, 0, VI_ERROR_TMO);
    ZEW_FUNCMODE screen = static_cast<ZEW_FUNCMODE>(9);
    EXPECT_EQ(driver->get_FuncMode(&screen), static_cast<HRESULT>(0x800A04CF));
    EXPECT_EQ(screen, 9);
}

}  // namespace
}  // namespace zewtest
