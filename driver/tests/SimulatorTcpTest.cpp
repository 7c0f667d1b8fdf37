// A whole test through the driver against a zew-sim process over TCP, the way
// several programs share one simulated instrument. The launcher puts the
// simulator's port in ZEW_SIM_PORT.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "DriverTestSupport.h"
#include "VisaTestSupport.h"

namespace zewtest {
namespace {

TEST(SimulatorOverTcp, AWholeTestAndTheSystemSettingsThroughTheDriver) {
    const char* port = std::getenv("ZEW_SIM_PORT");
    ASSERT_TRUE(port) << "run under scripts/with-zew-sim";
    ZvReset();
    ASSERT_EQ(ZvConfigure((std::string("[GPIB0::9]\ntcp = 127.0.0.1:") + port + "\n").c_str()), VI_SUCCESS);
    ComPtr<IZew4400> driver = CreateDriver();
    ASSERT_TRUE(driver);
    ASSERT_EQ(Connect(driver.get(), L"dev9"), S_OK);

    ASSERT_EQ(driver->put_Current(10.0), S_OK);
    ASSERT_EQ(driver->put_LimitUpper(0.1), S_OK);
    ASSERT_EQ(driver->put_ExecTime(0.5), S_OK);
    ASSERT_EQ(driver->Start(), S_OK);

    // Poll the instrument's state until it leaves its testing states.
    std::wstring state;
    for (int poll = 0; poll < 200; ++poll) {
        Bstr query(L"MON?"), reply;
        ASSERT_EQ(driver->SetString(query.get()), S_OK);
        ASSERT_EQ(driver->GetString(reply.put()), S_OK);
        state = std::wstring(reply.view());
        if (state.rfind(L"8,", 0) != 0 && state.rfind(L"12,", 0) != 0) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(state.substr(0, 2), L"1,") << "the 0.05 ohm device passes below 0.1 ohm";
    double r = 0, i = 0;
    EXPECT_EQ(driver->get_MonResistance(&r), S_OK);
    EXPECT_EQ(driver->get_MonCurrent(&i), S_OK);
    EXPECT_DOUBLE_EQ(r, 0.05);
    EXPECT_DOUBLE_EQ(i, 10.0);

    ASSERT_EQ(driver->put_BuzzerVolume(4), S_OK);
    Bstr comment(L"shared over TCP");
    ASSERT_EQ(driver->put_Comment(comment.get()), S_OK);
    short volume = 0;
    Bstr back;
    EXPECT_EQ(driver->get_BuzzerVolume(&volume), S_OK);
    EXPECT_EQ(driver->get_Comment(back.put()), S_OK);
    EXPECT_EQ(volume, 4);
    EXPECT_EQ(back.view(), L"shared over TCP");
    driver->Disconnect();
}

}  // namespace
}  // namespace zewtest
