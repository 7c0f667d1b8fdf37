// The replies of the test-setting, system-setting and monitor queries; the
// comment's split into fields is SystemSettingsTest's (the line sent).
#include <gtest/gtest.h>

#include "parsers/Replies.h"

using namespace zew::parsers;

TEST(RepliesTest, MeasModeLooksForNormBeforeMax) {
    EXPECT_EQ(ParseMeasMode("MAX\n"), 1);
    EXPECT_EQ(ParseMeasMode("NORM\n"), 0);
    EXPECT_EQ(ParseMeasMode("MAX,NORM\n"), 0);
    EXPECT_FALSE(ParseMeasMode(""));
    EXPECT_FALSE(ParseMeasMode("norm\n"));
    EXPECT_TRUE(ParseDoubleAction("1\n"));
    EXPECT_TRUE(ParseDoubleAction("ON 1"));
    EXPECT_FALSE(ParseDoubleAction("0\n"));
}

TEST(RepliesTest, PassHoldReadsHoldANumberOrNothingWithinItsBuffer) {
    EXPECT_EQ(ParsePassHold("HOLD\n"), 0.0);
    EXPECT_EQ(ParsePassHold(" 1.5\n"), 1.5);
    EXPECT_FALSE(ParsePassHold("ABC\n"));
    EXPECT_FALSE(ParsePassHold(""));
    // Past the 63rd character nothing counts, HOLD included.
    EXPECT_FALSE(ParsePassHold(std::string(63, 'x') + "HOLD"));
    EXPECT_EQ(ParsePassHold(std::string(62, ' ') + "7HOLD"), 7.0);
}

TEST(RepliesTest, CommentReplyIsCutAtTheCarriageReturnSplitAndJoined) {
    EXPECT_EQ(JoinCommentReply("ABC,DEF,GHI\r\n"), "ABCDEFGHI");
    EXPECT_EQ(JoinCommentReply("\"A\",\"B\",\"C\"\r\n"), "\"A\"\"B\"\"C\"");
    EXPECT_EQ(JoinCommentReply("ABC,DEF,GHI\n"), "ABCDEFGHI\n");      // no carriage return: the line feed stays
    EXPECT_EQ(JoinCommentReply(",,ABC,,,DEF\r\n"), "ABCDEF");         // runs of commas are one separator
    EXPECT_EQ(JoinCommentReply("ONLY\r\n"), "ONLY");                  // fewer fields: what there is
    EXPECT_EQ(JoinCommentReply("A,B,C,D\r\n"), "ABC");                // a fourth field is not part of it
    EXPECT_EQ(JoinCommentReply(std::string(30, 'x') + ",Y\r\n"), std::string(21, 'x') + "Y");
    EXPECT_EQ(JoinCommentReply(std::string(200, 'z')), std::string(21, 'z'));
    EXPECT_EQ(JoinCommentReply(""), "");
}

// A whole reply's fields in order are AutoMonitorTest's (the event's arguments).
TEST(RepliesTest, MonitorReplyGivesZerosForWhatIsMissing) {
    const auto partial = ParseMonitor("3,x,2.5\n");
    EXPECT_EQ(partial.status, 3);
    EXPECT_EQ(partial.voltage, 0.0);
    EXPECT_EQ(partial.current, 2.5);
    EXPECT_EQ(partial.elapsed, 0.0);
    EXPECT_EQ(ParseMonitor("65548,1,1,1,1,1").status, 12);   // the status is taken as 16 bits
    EXPECT_EQ(ParseMonitor(std::string(100, ',')).status, 0);
}
