// Fixtures of the driver tests: a fresh stand-in VISA library (short real
// time-outs, fresh instruments) and a fresh driver object for every test.
#pragma once

#include <gtest/gtest.h>

#include "DriverTestSupport.h"
#include "VisaTestSupport.h"

namespace zewtest {

class DriverTest : public ::testing::Test {
protected:
    // Leak guard: once the test's own references are gone (the derived
    // fixtures' members included), the library must be free to unload, so an
    // object left alive fails the test that leaked it.
    ~DriverTest() override {
        driver = {};
        using CanUnloadNow = HRESULT(WINAPI*)();
        if (const auto canUnload = DriverExport<CanUnloadNow>("DllCanUnloadNow")) {
            EXPECT_EQ(canUnload(), S_OK) << "an object of the driver outlived the test";
        }
    }

    void SetUp() override {
        ZvReset();
        ZvSetMaxWait(100);
        driver = CreateDriver();
        ASSERT_TRUE(driver);
    }
    // The open session's handle (0 when none) and the last VISA status.
    LONG Handle() {
        LONG handle = -1;
        driver->get_hVisa(&handle);
        return handle;
    }
    LONG VisaStatus() {
        LONG status = 1;
        driver->get_ErrVisa(&status);
        return status;
    }
    ComPtr<IZew4400> driver;
};

// The driver connected to dev1 (GPIB0::1), with the connection's traffic
// cleared from the logs.
class ConnectedDriverTest : public DriverTest {
protected:
    void SetUp() override {
        DriverTest::SetUp();
        ASSERT_EQ(Connect(driver.get(), L"dev1"), S_OK);
        ZvClearLogs(nullptr);
    }
    // A line sent to dev1's simulated instrument past the driver, its reply.
    std::string Instrument(const char* line) { return InstrumentLine("GPIB0::1", line); }
    // A failed read leaves its reply unread: a new session starts clean.
    void Reconnect() {
        driver->Disconnect();
        ASSERT_EQ(Connect(driver.get(), L"dev1"), S_OK);
        ZvClearLogs(nullptr);
    }
};

}  // namespace zewtest
