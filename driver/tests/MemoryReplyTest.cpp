// The replies about panel memories and programs, as untrusted text.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

#include "parsers/MemoryReply.h"
#include "parsers/ProgramReply.h"

using namespace zew::parsers;

TEST(MemoryReplyTest, AFullReplyGivesEveryField) {
    const MemoryReply m = ParseMemoryReply("TEST      ,10.0,0.500,0.010,2.0,60,1,0,1\n");
    EXPECT_TRUE(m.Complete());
    EXPECT_EQ(m.name, "TEST");
    EXPECT_EQ(m.current, 10.0);
    EXPECT_EQ(m.upper, 0.5);
    EXPECT_EQ(m.lower, 0.01);
    EXPECT_EQ(m.time, 2.0);
    EXPECT_EQ(m.frequency, 60);
    EXPECT_EQ(m.lowerOn, true);
    EXPECT_EQ(m.offsetOn, false);
    EXPECT_EQ(m.timerOn, true);
    EXPECT_EQ(ParseMemoryReply("A,1,2,3,4,5,7,-3,0,extra,fields\n").lowerOn, true);   // non-zero is on
    EXPECT_TRUE(ParseMemoryReply("A,1,2,3,4,5,7,-3,0,extra,fields\n").Complete());
}

TEST(MemoryReplyTest, MissingOrNonNumericFieldsAreEmpty) {
    const MemoryReply shortReply = ParseMemoryReply("SHORT,7.5,abc\n");
    EXPECT_FALSE(shortReply.Complete());
    EXPECT_EQ(shortReply.current, 7.5);
    EXPECT_FALSE(shortReply.upper);
    EXPECT_FALSE(shortReply.timerOn);
    // Empty fields are fields: nothing shifts into the wrong place.
    const MemoryReply gaps = ParseMemoryReply(",,0.5,,,60\n");
    EXPECT_EQ(gaps.name, "");
    EXPECT_FALSE(gaps.current);
    EXPECT_EQ(gaps.upper, 0.5);
    EXPECT_EQ(gaps.frequency, 60);
    EXPECT_FALSE(ParseMemoryReply("").Complete());
    EXPECT_EQ(ParseMemoryReply("").name, "");
}

TEST(MemoryReplyTest, TheNameIsTrimmedAndCutButKeepsItsQuotes) {
    EXPECT_EQ(MemoryNameOfReply("PART-A      ,25.0"), "PART-A");
    EXPECT_EQ(MemoryNameOfReply("\"Q\"   ,1"), "\"Q\"");
    EXPECT_EQ(MemoryNameOfReply("  LEAD ,1"), "  LEAD");
    EXPECT_EQ(MemoryNameOfReply("NOCOMMA  \r\n"), "NOCOMMA");
    EXPECT_EQ(MemoryNameOfReply("ABCDEFGHIJKLMNOP,1"), "ABCDEFGHIJKL");
    EXPECT_EQ(MemoryNameOfReply("ABCDEFGHIJK  X,1"), "ABCDEFGHIJK");
    EXPECT_EQ(MemoryNameOfReply(std::string(100000, 'z')), std::string(12, 'z'));
    EXPECT_EQ(MemoryNameOfReply(std::string(3, '\0') + "A,"), std::string(3, '\0') + "A");
}

TEST(MemoryReplyTest, ProgramNameEndsAtTheLineEnd) {
    EXPECT_EQ(ProgramNameOfReply("NAME1   \r\n"), "NAME1");
    EXPECT_EQ(ProgramNameOfReply("NONAME-12\r\n"), "NONAME-12");
    EXPECT_EQ(ProgramNameOfReply("A,B\n"), "A,B");
    EXPECT_EQ(ProgramNameOfReply("ABCDEFGHIJKLMNOP\r\n"), "ABCDEFGHIJKL");
    EXPECT_EQ(ProgramNameOfReply(""), "");
}

TEST(MemoryReplyTest, ProgramReturnAndTotal) {
    EXPECT_TRUE(ProgramReturnOfReply("1\r\n"));
    EXPECT_TRUE(ProgramReturnOfReply("ON 1"));
    EXPECT_FALSE(ProgramReturnOfReply("0\r\n"));
    EXPECT_FALSE(ProgramReturnOfReply(""));

    const auto total = [](std::string_view reply) {
        const ProgramTotal t = ProgramTotalOfReply(reply);
        return std::pair(t.steps, t.recognised);
    };
    EXPECT_EQ(total("2\r\n"), std::pair(2, true));
    EXPECT_EQ(total(" 100"), std::pair(100, true));
    EXPECT_EQ(total("0\n"), std::pair(0, true));
    EXPECT_EQ(total("101\n"), std::pair(100, false));
    EXPECT_EQ(total("99999999999999999999\n"), std::pair(100, false));
    EXPECT_EQ(total("-3\n"), std::pair(0, false));
    EXPECT_EQ(total("none\n"), std::pair(0, false));
    EXPECT_EQ(total(""), std::pair(0, false));
}

TEST(MemoryReplyTest, ProgramStepTakesAMemoryAndAnIntervalOrHold) {
    const ProgramStepReply held = ParseProgramStep("4,HOLD\n");
    EXPECT_TRUE(held.Complete());
    EXPECT_EQ(held.memory, 4);
    EXPECT_EQ(held.interval, 10.0);
    EXPECT_EQ(ParseProgramStep("7,2.5\r\n").interval, 2.5);
    EXPECT_EQ(ParseProgramStep("99,9.9,extra").interval, 9.9);
    EXPECT_EQ(ParseProgramStep("0,0.0").memory, 0);

    // What a step cannot hold is left out, field by field.
    const ProgramStepReply noComma = ParseProgramStep("7\n");
    EXPECT_EQ(noComma.memory, 7);
    EXPECT_FALSE(noComma.interval);
    for (const char* reply : {"", ",", "x,1.0", "100,1.0", "-1,1.0", ",HOLD"}) {
        EXPECT_FALSE(ParseProgramStep(reply).memory) << reply;
    }
    for (const char* reply : {"1,", "1,10.5", "1,-0.1", "1,abc", "1,,HOLD", "1,9.95"}) {
        EXPECT_FALSE(ParseProgramStep(reply).interval) << reply;
    }
    EXPECT_FALSE(ParseProgramStep(std::string(100000, ',')).Complete());
}
