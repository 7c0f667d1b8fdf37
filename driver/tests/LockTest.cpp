// The machine-wide instrument lock around automation calls.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "DriverFixture.h"
#include <zewhandles/WindowsHandles.h>

namespace zewtest {
namespace {

using zew::handles::UniqueHandle;

// The rights another program of the machine is granted on the driver's lock.
UniqueHandle OpenLock() {
    return UniqueHandle(CreateMutexExW(nullptr, L"OrvantaInstrDrv", 0, SYNCHRONIZE | MUTEX_MODIFY_STATE));
}

using LockTest = ConnectedDriverTest;

TEST_F(LockTest, ACallHoldsOffOthersUntilItEnds) {
    ZvSetMaxWait(600);
    std::thread caller([&] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        {
            ComPtr<IZew4400> other = CreateDriver();
            Connect(other.get(), L"dev2");
            Bstr reply;
            other->GetString(reply.put());  // nothing pending: waits for its time-out
        }
        CoUninitialize();
    });
    // The stand-in logs the timed-out read before the driver lets the lock go.
    const std::string timedOut = "viRead => BFFF0015";
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_EQ(Trace("GPIB0::2").find(timedOut), std::string::npos);
    EXPECT_FALSE(InstrumentLockIsFree(0));
    EXPECT_EQ(driver->Initialize(), S_OK);  // waits for the other call
    EXPECT_NE(Trace("GPIB0::2").find(timedOut), std::string::npos);
    caller.join();
    EXPECT_TRUE(InstrumentLockIsFree());
}

// A thread that ends holding the lock leaves it abandoned, as a client
// process that dies does.
TEST_F(LockTest, ALockAbandonedByADeadHolderIsTaken) {
    std::thread([] {
        UniqueHandle lock = OpenLock();
        WaitForSingleObject(lock.get(), INFINITE);
    }).join();
    EXPECT_EQ(driver->Initialize(), S_OK);
    EXPECT_TRUE(InstrumentLockIsFree());
}

TEST_F(LockTest, AFailedIdentityCheckOnAnOpenSessionFreesTheLock) {
    ZvQueueReply("GPIB0::1", "*IDN?", "ACME,ZEW4400,0,1.00.00\n");
    EXPECT_EQ(Connect(driver.get(), L"dev1"), kDifferentModel);
    EXPECT_EQ(Handle(), 0);
    EXPECT_TRUE(InstrumentLockIsFree());
}

}  // namespace
}  // namespace zewtest
