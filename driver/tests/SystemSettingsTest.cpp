// The instrument's system settings on the wire, with their limits, and read
// back from the simulated instrument.
#include <gtest/gtest.h>

#include "DriverFixture.h"

namespace zewtest {
namespace {

class SystemSettings : public ConnectedDriverTest {
protected:
    HRESULT PutComment(const std::wstring& text) {
        Bstr comment(text);
        return driver->put_Comment(comment.get());
    }
    std::wstring GetComment() {
        Bstr comment;
        EXPECT_EQ(driver->get_Comment(comment.put()), S_OK);
        return std::wstring(comment.view());
    }
};

TEST_F(SystemSettings, LimitsAreCheckedBeforeAnythingIsSent) {
    for (double v : {0.19, 10.01, -1.0}) EXPECT_EQ(driver->put_PassHoldTime(v), E_INVALIDARG) << v;
    for (short v : {-1, 11}) {
        EXPECT_EQ(driver->put_BuzzerVolume(v), E_INVALIDARG) << v;
        EXPECT_EQ(driver->put_Contrast(v), E_INVALIDARG) << v;
    }
    EXPECT_EQ(WireLog("GPIB0::1"), "");

    EXPECT_EQ(driver->put_PassHoldTime(0), S_OK);
    EXPECT_EQ(driver->put_PassHoldTime(0.2), S_OK);
    EXPECT_EQ(driver->put_PassHoldTime(10.0), S_OK);
    EXPECT_EQ(driver->put_BuzzerVolume(0), S_OK);
    EXPECT_EQ(driver->put_BuzzerVolume(10), S_OK);
    EXPECT_EQ(driver->put_Contrast(10), S_OK);
    EXPECT_EQ(driver->ClearRegs(), S_OK);
    EXPECT_EQ(driver->AlarmClear(), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"),
              "PASSHOLD HOLD\nPASSHOLD  0.200\nPASSHOLD  10.000\nBUZZERVOL 0\nBUZZERVOL 10\nCONTRAST 10\n*CLS\nCLR\n");
}

TEST_F(SystemSettings, SettingsReadBackAsWritten) {
    ASSERT_EQ(driver->put_PassHoldTime(2.5), S_OK);
    ASSERT_EQ(driver->put_BuzzerVolume(7), S_OK);
    ASSERT_EQ(driver->put_Contrast(3), S_OK);
    double hold = 0;
    short volume = 0, contrast = 0;
    ZvClearLogs(nullptr);
    EXPECT_EQ(driver->get_PassHoldTime(&hold), S_OK);
    EXPECT_EQ(driver->get_BuzzerVolume(&volume), S_OK);
    EXPECT_EQ(driver->get_Contrast(&contrast), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"), "PASSHOLD?\nBUZZERVOL?\nCONTRAST?\n");
    EXPECT_EQ(hold, 2.5);
    EXPECT_EQ(volume, 7);
    EXPECT_EQ(contrast, 3);

    // A reply without a number (RepliesTest reads the rest) leaves the value alone.
    ZvQueueReply("GPIB0::1", "PASSHOLD?", "--\n");
    hold = 9;
    EXPECT_EQ(driver->get_PassHoldTime(&hold), S_OK);
    EXPECT_EQ(hold, 9);
}

// The split into fields is the parsers' (RepliesTest); here, the line sent
// and the text read back through the driver.
TEST_F(SystemSettings, TheCommentTravelsAsThreeFieldsOfTwenty) {
    const std::wstring seventy = L"ABCDEFGHIJKLMNOPQRSTabcdefghijklmnopqrst0123456789012345678901234567890123456789";
    struct Case { size_t length; const char* line; };
    const Case cases[] = {
        {25, "COMMENT \"ABCDEFGHIJKLMNOPQRST\",\"abcde\",\"\"\n"},
        {70, "COMMENT \"ABCDEFGHIJKLMNOPQRST\",\"abcdefghijklmnopqrst\",\"01234567890123456789\"\n"},
    };
    for (const Case& c : cases) {
        ZvClearLogs(nullptr);
        EXPECT_EQ(PutComment(seventy.substr(0, c.length)), S_OK);
        EXPECT_EQ(WireLog("GPIB0::1"), c.line) << c.length;
        EXPECT_EQ(GetComment(), seventy.substr(0, std::min<size_t>(c.length, 60))) << c.length;
    }
    ZvClearLogs(nullptr);
    EXPECT_EQ(driver->put_Comment(nullptr), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"), "COMMENT \"\",\"\",\"\"\n");

    ZvQueueReply("GPIB0::1", "COMMENT?", "ABC,DEF,GHI\r\n");   // the reply's reading is RepliesTest's
    EXPECT_EQ(GetComment(), L"ABCDEFGHI");
}

TEST_F(SystemSettings, CommentCharactersThatWouldBreakTheLineAreRefusedBeforeAnythingIsSent) {
    // The code page the checks are made in (Wine's default).
    ASSERT_EQ(GetACP(), 1252u);
    const std::wstring refused[] = {
        std::wstring(L"x\"\nSTART\n"),                   // a quote, then a command of its own
        L"a\nb", std::wstring(L"a\0b", 3), L"a\tb", L"a\x7F" L"b",
        std::wstring(19, L'x') + L"\x01",                  // in the first field's last place
        std::wstring(59, L'x') + L"\n",                    // in the last character sent
        L"\xFF02" L"quoted",                                // sent as a double quote
    };
    for (const std::wstring& text : refused) {
        EXPECT_EQ(PutComment(text), E_INVALIDARG) << text.size();
    }
    EXPECT_EQ(WireLog("GPIB0::1"), "");

    // Commas, blanks, letters the code page carries, and whatever is past the
    // 60 characters sent, still go out.
    EXPECT_EQ(PutComment(L"a, b,\xFF0C\x00E9t\x00E9" + std::wstring(51, L'x') + L"\"\n"), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"), "COMMENT \"a, b,,\xE9t\xE9" + std::string(11, 'x') + "\",\"" + std::string(20, 'x') + "\",\"" +
                                       std::string(20, 'x') + "\"\n");
}

TEST_F(SystemSettings, FailuresReportTheMessageAndLeaveTheValue) {
    ZvFailNext(ZV_OP_READ, 0, VI_ERROR_TMO);
    short volume = 99;
    EXPECT_EQ(driver->get_BuzzerVolume(&volume), kReadFailed);
    EXPECT_EQ(ErrorDescription(), L"Error reading from instrument in device GPIB0::1.");
    EXPECT_EQ(volume, 99);
    driver->Disconnect();
    Bstr comment(L"x");
    EXPECT_EQ(driver->put_Comment(comment.get()), kNotInitialized);
}

}  // namespace
}  // namespace zewtest
