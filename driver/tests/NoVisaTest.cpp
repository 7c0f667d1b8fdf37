// The driver on a machine without a VISA library.
#include <gtest/gtest.h>

#include "DriverTestSupport.h"

namespace zewtest {
namespace {

TEST(NoVisaTest, NoResourceManagerOpensAndConnectReportsTheMissingLibrary) {
    ASSERT_EQ(GetModuleHandleW(L"VISA32.DLL"), nullptr);
    ComPtr<IZew4400> driver = CreateDriver();
    ASSERT_TRUE(driver);
    LONG rm = -1;
    driver->get_hVisaRM(&rm);
    EXPECT_EQ(rm, 0);
    EXPECT_EQ(Connect(driver.get(), L"dev1"), kVisaNotFound);
    EXPECT_EQ(ErrorDescription(), L"VISA32.DLL not found.  You need to install VISA library.");
    EXPECT_EQ(GetModuleHandleW(L"VISA32.DLL"), nullptr);
    Bstr reply;
    EXPECT_EQ(driver->GetString(reply.put()), kNotInitialized);
    EXPECT_EQ(ErrorDescription(), L"Instrument not initialized in device ???.");
}

}  // namespace
}  // namespace zewtest
