#include <gtest/gtest.h>

#include "VisaConfig.h"

using zewvisa::ParseVisaConfig;

TEST(VisaConfig, ReadsResourcesUnderAnySpellingAndTheSpecVersion) {
    const auto config = ParseVisaConfig(
        "# comment\n"
        "[visa]\n"
        "spec_version = 0x00200000\n"
        "[gpib0::5]\n"
        "model = ZEW4410 ; trailing comment\n"
        "serial = SN01\r\n"
        "version = 1.05.02\n"
        "dut = 0.5\n"
        "[ASRL3::INSTR]\n"
        "absent = yes\n"
        "[GPIB::7]\n"
        "tcp = 127.0.0.1:5025\n"
        "[asrl5]\n"
        "port = COM5\n");
    EXPECT_TRUE(config.problems.empty());
    EXPECT_EQ(config.specVersion, 0x00200000u);
    const auto* g5 = config.Find("GPIB0::5::INSTR");
    ASSERT_TRUE(g5);
    EXPECT_EQ(g5->model, "ZEW4410");
    EXPECT_EQ(g5->serial, "SN01");
    EXPECT_EQ(g5->version, "1.05.02");
    EXPECT_EQ(g5->dutResistance, 0.5);
    EXPECT_FALSE(g5->absent);
    ASSERT_TRUE(config.Find("ASRL3::INSTR"));
    EXPECT_TRUE(config.Find("ASRL3::INSTR")->absent);
    const auto* g7 = config.Find("GPIB0::7::INSTR");
    ASSERT_TRUE(g7);
    EXPECT_EQ(g7->tcpHost, "127.0.0.1");
    EXPECT_EQ(g7->tcpPort, 5025u);
    ASSERT_TRUE(config.Find("ASRL5::INSTR"));
    EXPECT_EQ(config.Find("ASRL5::INSTR")->serialPort, 5u);
}

TEST(VisaConfig, BadLinesAreReportedWithTheirNumberAndTheRestStillApplies) {
    const auto config = ParseVisaConfig(
        "model = early\n"          // 1: before any section
        "[NOT A RESOURCE]\n"       // 2
        "model = ignored\n"        // 3: inside the ignored section, not reported again
        "[GPIB0::1]\n"             // 4
        "model = ZEW,4400\n"       // 5: comma would split the identity
        "dut = -1\n"               // 6
        "tcp = nohost\n"           // 7
        "absent = maybe\n"         // 8
        "colour = blue\n"          // 9
        "just words\n"             // 10
        "[GPIB0::2\n"              // 11
        "serial = OK\n"            // 12: belongs to no section now
        "[GPIB0::1]\n"
        "version = 2.0\n"
        "port = COM0\n"            // 15: no such port
        "port = ..\\x\n"           // 16: a path, not a port
        "port = COM5\\..\\x\n");   // 17
    ASSERT_EQ(config.problems.size(), 12u);
    EXPECT_EQ(config.problems[0].rfind("line 1:", 0), 0u);
    EXPECT_EQ(config.problems[1].rfind("line 2:", 0), 0u);
    EXPECT_EQ(config.problems[2].rfind("line 5:", 0), 0u);
    EXPECT_EQ(config.problems[8].rfind("line 11:", 0), 0u);
    const auto* g1 = config.Find("GPIB0::1::INSTR");
    ASSERT_TRUE(g1);
    EXPECT_FALSE(g1->model);
    EXPECT_EQ(g1->version, "2.0");
    EXPECT_FALSE(config.Find("GPIB0::2::INSTR"));
}
