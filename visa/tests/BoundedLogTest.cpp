#include "BoundedLog.h"

#include <gtest/gtest.h>

#include <string>

using zewvisa::AppendBounded;

TEST(BoundedLog, KeepsEverythingUpToTheLimitThenTheNewestWholeLines) {
    std::string log;
    AppendBounded(log, "one\n", 16);
    AppendBounded(log, "two\n", 16);
    AppendBounded(log, "three\n", 16);
    EXPECT_EQ(log, "one\ntwo\nthree\n");   // 14 bytes: nothing dropped

    AppendBounded(log, "four\n", 16);      // 19 bytes: keep at most 8, from a line start
    EXPECT_EQ(log, "four\n");
}

TEST(BoundedLog, StaysBoundedOverALongRunAndKeepsTheLatestBytes) {
    std::string log;
    for (int i = 0; i < 100000; ++i) AppendBounded(log, "viWrite MON?\\n\n", 4096);
    EXPECT_LE(log.size(), 4096u);
    EXPECT_GE(log.size(), 2048u - 16);
    EXPECT_EQ(log.substr(0, 13), "viWrite MON?\\");   // starts at a line
}

TEST(BoundedLog, ALogWithoutLineFeedsIsCutByBytes) {
    std::string log;
    AppendBounded(log, std::string(20, 'x'), 16);
    EXPECT_EQ(log, std::string(8, 'x'));
    AppendBounded(log, "abc", 16);
    EXPECT_EQ(log, std::string(8, 'x') + "abc");
}
