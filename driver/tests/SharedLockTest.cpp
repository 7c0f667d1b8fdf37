// The machine-wide instrument lock made first by someone else: a service or an
// elevated sequencer whose default security would shut other processes out.
// The driver asks only for the rights it needs, so it shares such a lock.
#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>

#include "ProcessClientRun.h"

namespace zewtest {
namespace {

TEST(SharedLockTest, ALockMadeBySomeoneElseIsShared) {
    // Owned by SYSTEM; everyone may wait for it and release it, nothing more.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"O:SYD:(A;;0x100001;;;WD)", SDDL_REVISION_1,
                                                                     &descriptor, nullptr));
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    HANDLE lock = CreateMutexW(&attributes, FALSE, L"OrvantaInstrDrv");
    const DWORD error = GetLastError();
    LocalFree(descriptor);
    ASSERT_NE(lock, nullptr);
    ASSERT_NE(error, static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "the lock must be made here first";
    // Created, connected, and two calls under the lock.
    EXPECT_EQ(RunClient(L"queries 2", {}), 0u);
    CloseHandle(lock);
}

}  // namespace
}  // namespace zewtest
