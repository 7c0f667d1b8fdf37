#include "CommandLine.h"

#include <gtest/gtest.h>

namespace zewsim {
namespace {

TEST(CommandLineTest, SplitsWordAndArguments) {
    const auto line = ParseCommandLine("memory 3,\"PART, A\" , 25.0 ,\t0.100\r");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->word, "MEMORY");
    EXPECT_FALSE(line->query);
    ASSERT_EQ(line->args.size(), 4u);
    EXPECT_EQ(line->args[0].text, "3");
    EXPECT_EQ(line->args[1].text, "PART, A");
    EXPECT_TRUE(line->args[1].quoted);
    EXPECT_EQ(line->args[2].text, "25.0");
    EXPECT_EQ(line->args[3].text, "0.100");
    EXPECT_TRUE(line->HasShape("nqnn"));
    EXPECT_FALSE(line->HasShape("nnnn"));
}

TEST(CommandLineTest, AcceptsQueriesBlankRunsAndEmptyFields) {
    const auto query = ParseCommandLine("PRGEDIT?\t 2,7");
    ASSERT_TRUE(query);
    EXPECT_EQ(query->word, "PRGEDIT");
    EXPECT_TRUE(query->query);
    EXPECT_EQ(query->args.size(), 2u);

    const auto twoBlanks = ParseCommandLine("CURRENT  3.000");
    ASSERT_TRUE(twoBlanks);
    ASSERT_EQ(twoBlanks->args.size(), 1u);
    EXPECT_EQ(twoBlanks->args[0].text, "3.000");

    const auto empties = ParseCommandLine("COMMENT \"\",\"\",\"\"");
    ASSERT_TRUE(empties);
    EXPECT_TRUE(empties->HasShape("qqq"));

    const auto trailingComma = ParseCommandLine("LOWER 0.1,");
    ASSERT_TRUE(trailingComma);
    EXPECT_EQ(trailingComma->args.size(), 2u);
    EXPECT_EQ(trailingComma->args[1].text, "");

    const auto blank = ParseCommandLine(" \t\r");
    ASSERT_TRUE(blank);
    EXPECT_TRUE(blank->word.empty());
}

TEST(CommandLineTest, RefusesMalformedLines) {
    for (const char* bad : {"COMMENT \"abc", "COMMENT \"a\"b", "PRGNAME 1,ab\"c\"", "MEM?ORY 1", "?",
                            "CURRENT,3", "*IDN??", "START\x01", "-3"}) {
        EXPECT_FALSE(ParseCommandLine(bad)) << bad;
    }
    EXPECT_FALSE(ParseCommandLine("CURRENT " + std::string(kMaxCommandLineLength, '1')));
    EXPECT_TRUE(ParseCommandLine("CURRENT " + std::string(kMaxCommandLineLength - 8, '1')));
}

}  // namespace
}  // namespace zewsim
