// What the driver objects of a process share: the resource-manager session,
// the object count and the library's lock count.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "DriverTestSupport.h"
#include "VisaTestSupport.h"

namespace zewtest {
namespace {

ViUInt32 OpenSessions() {
    ViUInt32 count = 0;
    ZvOpenSessionCount(&count);
    return count;
}

HRESULT CanUnloadNow() { return DriverExport<HRESULT(WINAPI*)()>("DllCanUnloadNow")(); }

TEST(ProcessStateTest, TheResourceManagerOpensWithTheFirstObjectAndClosesWithTheLast) {
    ZvReset();
    const ViUInt32 before = OpenSessions();
    ComPtr<IZew4400> first = CreateDriver();
    ASSERT_TRUE(first);
    EXPECT_EQ(OpenSessions(), before + 1);
    ComPtr<IZew4400> second = CreateDriver();
    EXPECT_EQ(OpenSessions(), before + 1);
    LONG rm1 = 0, rm2 = 0;
    first->get_hVisaRM(&rm1);
    second->get_hVisaRM(&rm2);
    EXPECT_NE(rm1, 0);
    EXPECT_EQ(rm1, rm2);
    ASSERT_EQ(Connect(second.get(), L"dev1"), S_OK);
    first.reset();
    EXPECT_EQ(OpenSessions(), before + 2);
    EXPECT_EQ(CanUnloadNow(), S_FALSE);
    second.reset();
    EXPECT_EQ(OpenSessions(), before);
    EXPECT_EQ(CanUnloadNow(), S_OK);
}

TEST(ProcessStateTest, ReleasingAConnectedObjectClosesItsOwnSession) {
    ZvReset();
    const ViUInt32 before = OpenSessions();
    ComPtr<IZew4400> kept = CreateDriver();
    ComPtr<IZew4400> dropped = CreateDriver();
    ASSERT_EQ(Connect(dropped.get(), L"dev2"), S_OK);
    ComPtr<IRegister> child = RegisterOf(dropped.get());
    EXPECT_EQ(OpenSessions(), before + 2);
    ZvClearLogs(nullptr);
    dropped.reset();   // released without Disconnect
    EXPECT_EQ(Trace("GPIB0::2"), "viClose\n");
    EXPECT_EQ(OpenSessions(), before + 1) << "the resource manager stays open for the other object";
    short value = 0;
    EXPECT_EQ(child->get_Stb(&value), kNotInitialized);
    EXPECT_EQ(Trace("GPIB0::2"), "viClose\n");
    kept.reset();
    EXPECT_EQ(CanUnloadNow(), S_FALSE) << "a child a client keeps keeps the library loaded";
    child.reset();
    EXPECT_EQ(OpenSessions(), before);
    EXPECT_EQ(CanUnloadNow(), S_OK);
}

TEST(ProcessStateTest, ObjectsOfManyApartmentsKeepTheCountsRight) {
    ZvReset();
    const ViUInt32 before = OpenSessions();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([] {
            CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            for (int i = 0; i < 50; ++i) {
                ComPtr<IZew4400> a = CreateDriver();
                ComPtr<IZew4400> b = CreateDriver();
            }
            CoUninitialize();
        });
    }
    ComPtr<IZew4400> held = CreateDriver();
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(OpenSessions(), before + 1);
    LONG rm = 0;
    held->get_hVisaRM(&rm);
    EXPECT_NE(rm, 0);
    held.reset();
    EXPECT_EQ(OpenSessions(), before);
    EXPECT_EQ(CanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace zewtest
