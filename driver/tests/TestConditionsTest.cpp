// The test conditions: the model's limits on the cached ones (and on a
// panel memory), and the live
// settings' lines and replies on the stand-in's wire.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "DriverFixture.h"

namespace zewtest {
namespace {

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

// The limits of each model: current, upper and lower reference values.
struct ModelRow {
    const wchar_t* device;
    double currentMin, currentMax, upperMax;
};
const ModelRow kModels[] = {
    {L"dev1", 3.0, 30.0, 1.2},    // a ZEW4400
    {L"dev2", 6.0, 62.0, 0.6},    // a ZEW4410
};

// The driver object's test conditions and a panel memory check their writes
// against the connected model: both ends included, anything past them and
// NaN refused; a lower limit of 0 switches it off.
TEST_F(TestConditions, ModelLimitsApplyFromTheConnectedModel) {
    const double nan = std::nan("");
    // No model known yet: everything from 0 up is accepted.
    EXPECT_EQ(driver->put_Current(1000), S_OK);
    EXPECT_EQ(driver->put_Current(-1), E_INVALIDARG);
    EXPECT_EQ(driver->put_Current(nan), E_INVALIDARG);
    EXPECT_EQ(driver->put_LimitLower(0.0005), S_OK);

    ComPtr<IMemory> memory = MemoryOf(driver.get(), 0);
    using Put = std::function<HRESULT(double)>;
    const struct {
        const char* name;
        Put current, upper, lower;
    } targets[] = {
        {"driver", [&](double v) { return driver->put_Current(v); }, [&](double v) { return driver->put_LimitUpper(v); },
         [&](double v) { return driver->put_LimitLower(v); }},
        {"memory", [&](double v) { return memory->put_Current(v); }, [&](double v) { return memory->put_LimitUpper(v); },
         [&](double v) { return memory->put_LimitLower(v); }},
    };
    for (const ModelRow& m : kModels) {
        Connected(m.device);
        for (const auto& t : targets) {
            SCOPED_TRACE(testing::Message() << t.name << " on " << m.currentMax << " A");
            for (double v : {m.currentMin - 0.01, m.currentMax + 0.01, nan}) EXPECT_EQ(t.current(v), E_INVALIDARG) << v;
            for (double v : {m.currentMin, m.currentMax}) EXPECT_EQ(t.current(v), S_OK) << v;
            for (double v : {0.0009, m.upperMax + 0.01, nan}) EXPECT_EQ(t.upper(v), E_INVALIDARG) << v;
            for (double v : {0.001, m.upperMax}) EXPECT_EQ(t.upper(v), S_OK) << v;
            for (double v : {0.0009, m.upperMax + 0.01, nan}) EXPECT_EQ(t.lower(v), E_INVALIDARG) << v;
            for (double v : {0.0, 0.001, m.upperMax}) EXPECT_EQ(t.lower(v), S_OK) << v;
        }
    }

    double current = 0;
    driver->get_Current(&current);
    EXPECT_EQ(current, 62.0);   // refused writes left the last good value
    driver->Disconnect();
    EXPECT_EQ(driver->put_Current(5.9), E_INVALIDARG);   // the limits outlive the connection
    EXPECT_EQ(memory->put_Current(5.9), E_INVALIDARG);
    EXPECT_EQ(WireLog("GPIB0::2"), "");                   // cached writes never talk to the instrument
}

// The driver object and a panel memory take the same frequencies and timer
// range; a timer or lower limit of 0 is switched off and reads 0.
TEST_F(TestConditions, FixedRangesAndSwitches) {
    const auto check = [](auto* target) {
        EXPECT_EQ(target->put_Frequency(55), E_INVALIDARG);
        short frequency = 0;
        target->get_Frequency(&frequency);
        EXPECT_EQ(frequency, 50);
        EXPECT_EQ(target->put_Frequency(60), S_OK);
        for (double v : {0.29, 999.1, -1.0, std::nan("")}) EXPECT_EQ(target->put_ExecTime(v), E_INVALIDARG) << v;
        for (double v : {0.3, 999.0, 0.0}) EXPECT_EQ(target->put_ExecTime(v), S_OK) << v;
        double value = -1;
        target->get_ExecTime(&value);
        EXPECT_EQ(value, 0.0);
        target->put_LimitLower(0.0);
        target->get_LimitLower(&value);
        EXPECT_EQ(value, 0.0);
    };
    check(driver.get());
    check(MemoryOf(driver.get(), 0).get());
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
    EXPECT_EQ(driver->get_FuncMode(&screen), kReadFailed);
    EXPECT_EQ(screen, 9);
}

}  // namespace
}  // namespace zewtest
