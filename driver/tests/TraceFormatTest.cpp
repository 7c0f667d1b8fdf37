// The trace's text: bytes, statuses and method names as a reader greps them
// (the line's fields in order are TraceTest's, on lines a process wrote).
#include <gtest/gtest.h>

#include "session/TraceFormat.h"

namespace {

using namespace zew::session;

TEST(TraceFormat, BytesAreEscapedSoThatALineStaysOneLine) {
    EXPECT_EQ(EscapeBytes(std::string("MON?\n\r\t\\ \x01\x7F\xE9", 12)), "MON?\\n\\r\\t\\\\ \\x01\\x7F\\xE9");
    EXPECT_EQ(EscapeBytes(std::string("a\0b", 3)), "a\\x00b");
}

TEST(TraceFormat, ClientTextNeverBreaksALineOrItsFields) {
    const TraceStamp stamp{2026, 12, 7, 8, 5, 9, 42, 12, 34};
    EXPECT_EQ(TraceLine(stamp, "", "open"), "2026-12-07 08:05:09.042 12 34 - open\n");
    // The resource is one field: blanks, controls and backslashes escaped.
    EXPECT_EQ(TraceLine(stamp, "dev1\nFORGED line\\", "open status=VI_SUCCESS"),
              "2026-12-07 08:05:09.042 12 34 dev1\\nFORGED\\x20line\\\\ open status=VI_SUCCESS\n");
    // Whatever an event still holds of control bytes stays on its line.
    EXPECT_EQ(TraceLine(stamp, "GPIB0::1", std::string("a\r\nFORGED\x7F\0z", 12)),
              "2026-12-07 08:05:09.042 12 34 GPIB0::1 a\\x0D\\x0AFORGED\\x7F\\x00z\n");
}

TEST(TraceFormat, OneMutexNamePerFile) {
    const std::string name = TraceFileMutexName("C:\\TEMP\\A.LOG");
    EXPECT_EQ(name.rfind("Zew4400Trace-", 0), 0u);
    EXPECT_EQ(name.size(), 13u + 16u);
    EXPECT_EQ(name, TraceFileMutexName("C:\\TEMP\\A.LOG"));
    EXPECT_NE(name, TraceFileMutexName("C:\\TEMP\\B.LOG"));
}

}  // namespace
