// The replies about panel memories and programs, as untrusted text.
#include <gtest/gtest.h>

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
