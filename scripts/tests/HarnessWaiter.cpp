// A test program for the harness test: its one test marks that it is waiting,
// then waits for a file to appear, so that the harness can stop its Wine
// while it waits, or let it finish. Both files are in the folder named by
// ZEW_HARNESS_DIR (a Windows path).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(HarnessWaiter, WaitsForTheGoFile) {
    const char* dir = std::getenv("ZEW_HARNESS_DIR");
    ASSERT_NE(dir, nullptr) << "ZEW_HARNESS_DIR is not set";
    const std::string waiting = std::string(dir) + "\\waiting", go = std::string(dir) + "\\go";
    HANDLE marker = CreateFileA(waiting.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(marker, INVALID_HANDLE_VALUE);
    CloseHandle(marker);
    for (int i = 0; i < 1200 && !Exists(go); ++i) Sleep(100);
    EXPECT_TRUE(Exists(go)) << "no go file within 120 s";
}

}  // namespace
