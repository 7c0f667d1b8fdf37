// Result texts, log lines and formatting of the installer's messages.
#include <gtest/gtest.h>

#include "engine/CommandLine.h"
#include "engine/Texts.h"

namespace zew::setup {
namespace {

TEST(TextsTest, CopyResultNamesTheLowestListedBit) {
    EXPECT_EQ(CopyResultText(0), "successfully copied");
    EXPECT_EQ(CopyResultText(0x4 | 0x1000), "SRCOLD");
    EXPECT_EQ(CopyResultText(0x200 | 0x40000), "ACCESSVIOLATION");
    EXPECT_EQ(CopyResultText(0x40000), "BUFFTOOSMALL");
    EXPECT_EQ(CopyResultText(0x2 | 0x1), "MISMATCH");
    EXPECT_EQ(CopyResultText(0x1), "TEMPFILE");
    EXPECT_EQ(CopyResultText(0x80000), "failed (0x80000)");
}

TEST(TextsTest, CopySucceedsOnlyWhenTheFileIsCopiedOrANewerOneKept) {
    // A newer copy kept comes with the mismatch and temporary-file bits.
    for (std::uint32_t ok : {0x0u, 0x4u, 0x4u | 0x2u | 0x1u}) EXPECT_TRUE(CopySucceeded(ok)) << ok;
    // In use, unwritable, and the mismatch results: the new file was not installed.
    for (std::uint32_t failed : {0x400u | 0x1000u, 0x80u, 0x4u | 0x1000u, 0x4u | 0x8u | 0x2u, 0x8u | 0x2u, 0x10u | 0x2u,
                                 0x20u | 0x2u, 0x2u | 0x1u, 0x1u, 0x80000u})
        EXPECT_FALSE(CopySucceeded(failed)) << failed;
}

TEST(TextsTest, FormatReplacesEachPlaceholderLiterallyAndCutsAtCapacity) {
    EXPECT_EQ(FormatText("%s SETUP", {""}, 512), " SETUP");
    EXPECT_EQ(FormatText("%s and %s", {"100%s", "%d"}, 512), "100%s and %d");
    EXPECT_EQ(FormatText("%s-%s", {"a"}, 512), "a-");
    EXPECT_EQ(FormatText("abc%sdef", {std::string(600, 'x')}, 512).size(), 511u);
    EXPECT_EQ(FormatText("abcdef", {}, 4), "abc");
    EXPECT_EQ(LogLine("C:\\A\\B.DLL", "SRCOLD"), "C:\\A\\B.DLL - SRCOLD");
    EXPECT_EQ(LogLine(std::string(600, 'p'), "x").size(), 511u);
}

TEST(TextsTest, CommandLineSwitches) {
    SetupOptions o = ParseArguments({});
    EXPECT_FALSE(o.unattended);
    o = ParseArguments({L"-S", L"/log=x.log"});
    EXPECT_TRUE(o.unattended);
    EXPECT_EQ(o.logPath, L"x.log");
    EXPECT_TRUE(o.badArgument.empty());
    EXPECT_EQ(ParseArguments({L"/LOG="}).badArgument, L"/LOG=");
}

}  // namespace
}  // namespace zew::setup
