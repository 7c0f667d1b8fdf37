// The driver loaded as a host loads it, by its registered class, in a host
// that frees unused libraries (office macro hosts and form designers do): the
// simulated testers live as long as the process all the same.
#include <gtest/gtest.h>

#include "DriverTestSupport.h"

namespace zewtest {
namespace {

ComPtr<IZew4400> CreateRegistered() {
    ComPtr<IZew4400> driver;
    EXPECT_EQ(CoCreateInstance(CLSID_Zew4400, nullptr, CLSCTX_INPROC_SERVER, IID_IZew4400, driver.put_void()), S_OK);
    return driver;
}

TEST(ModuleLifetimeTest, SimulatedTestersOutliveAFreedLibrary) {
    const wchar_t* device = L"SIM::ZEW4400::LIFETIME";
    {
        ComPtr<IZew4400> driver = CreateRegistered();
        ASSERT_TRUE(driver);
        ASSERT_EQ(Connect(driver.get(), device), S_OK);
        ComPtr<IMemory> memory = MemoryOf(driver.get(), 12);
        ASSERT_EQ(memory->put_Name(Bstr(L"KEPT").get()), S_OK);
        ASSERT_EQ(memory->Save(), S_OK);
        driver->Disconnect();
    }
    CoFreeUnusedLibrariesEx(0, 0);
    ComPtr<IZew4400> driver = CreateRegistered();
    ASSERT_TRUE(driver);
    ASSERT_EQ(Connect(driver.get(), device), S_OK);
    ComPtr<IMemory> found;
    const Bstr name(L"KEPT");
    EXPECT_EQ(MemoriesOf(driver.get())->get_Item(Name(name), found.put()), S_OK) << "the tester lost its memory";
}

}  // namespace
}  // namespace zewtest
