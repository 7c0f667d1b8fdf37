// Identity, live settings, test conditions and system settings.
#include "InstrumentTestSupport.h"

namespace zewsim::testing {
namespace {

using SettingsTest = InstrumentTest;

class Zew4410SettingsTest : public InstrumentTest {
protected:
    Zew4410SettingsTest() : InstrumentTest("ZEW4410") {}
};

TEST_F(SettingsTest, IdentityAndSilentMode) {
    EXPECT_EQ(Ask("*IDN?"), "ORVANTA ELECTRONICS CORP.,ZEW4400,1234,2.01.03\n");
    EXPECT_EQ(Ask("*idn?\r"), "ORVANTA ELECTRONICS CORP.,ZEW4400,1234,2.01.03\n");
    Send("SILENT 1");
    EXPECT_EQ(Ask("SILENT?"), "1\n");
    Send("SILENT 0");
    EXPECT_EQ(Ask("SILENT?"), "0\n");
}

TEST_F(SettingsTest, LiveSettingsRoundTrip) {
    EXPECT_EQ(Ask("FUNCTION?"), "0\n");
    Send("FUNCTION 4");
    EXPECT_EQ(Ask("FUNCTION?"), "4\n");
    EXPECT_EQ(Ask("MEASMODE?"), "NORM\n");
    Send("MEASMODE MAX");
    EXPECT_EQ(Ask("MEASMODE?"), "MAX\n");
    Send("MEASMODE NORM");
    EXPECT_EQ(Ask("MEASMODE?"), "NORM\n");
    Send("DOUBLEACTION 1");
    EXPECT_EQ(Ask("DOUBLEACTION?"), "1\n");
    Send("DOUBLEACTION 0");
    EXPECT_EQ(Ask("DOUBLEACTION?"), "0\n");
}

TEST_F(SettingsTest, PowerOnConditions) {
    EXPECT_EQ(Ask("CURRENT?"), "3.000\n");
    EXPECT_EQ(Ask("FREQUENCY?"), "50\n");
    EXPECT_EQ(Ask("UPPER?"), "1.200\n");
    EXPECT_EQ(Ask("LOWER?"), "0.001,0\n");
    EXPECT_EQ(Ask("TIMER?"), "0.3,0\n");
    for (const char* q : {"OFFSET?", "CONTACTCHECK?", "FAILMODE?", "MOMENTARY?"}) EXPECT_EQ(Ask(q), "0\n") << q;
}

TEST_F(SettingsTest, ConditionLinesAsTheDriverSendsThem) {
    for (const char* line : {"CURRENT  25.000", "FREQUENCY 60", "UPPER  0.100", "LOWER 0.050,1", "TIMER 60.0,1",
                             "OFFSET 1", "CONTACTCHECK 1", "FAILMODE 1", "MOMENTARY 1"}) {
        Send(line);
    }
    EXPECT_EQ(Ask("CURRENT?"), "25.000\n");
    EXPECT_EQ(Ask("FREQUENCY?"), "60\n");
    EXPECT_EQ(Ask("UPPER?"), "0.100\n");
    EXPECT_EQ(Ask("LOWER?"), "0.050,1\n");
    EXPECT_EQ(Ask("TIMER?"), "60.0,1\n");
    for (const char* q : {"OFFSET?", "CONTACTCHECK?", "FAILMODE?", "MOMENTARY?"}) EXPECT_EQ(Ask(q), "1\n") << q;
    EXPECT_EQ(Reg("ERR?"), 0);
}

TEST_F(SettingsTest, RangeEdgesOfZew4400) {
    Send("CURRENT  30.000");
    Send("CURRENT  30.001");
    EXPECT_EQ(Ask("CURRENT?"), "30.000\n");
    Send("CURRENT  2.999");
    EXPECT_EQ(Ask("CURRENT?"), "30.000\n");
    Send("UPPER  0.001");
    Send("UPPER  1.201");
    EXPECT_EQ(Ask("UPPER?"), "0.001\n");
    Send("TIMER 999.0,1");
    Send("TIMER 0.2,1");
    EXPECT_EQ(Ask("TIMER?"), "999.0,1\n");
    Send("LOWER 0.000,1");
    EXPECT_EQ(Ask("LOWER?"), "0.001,0\n");
    EXPECT_EQ(Reg("INVALID?"), 0x01 | 0x02 | 0x08 | 0x04);
}

TEST_F(Zew4410SettingsTest, UsesItsOwnRangesAndDefaults) {
    EXPECT_EQ(Ask("*IDN?"), "ORVANTA ELECTRONICS CORP.,ZEW4410,1234,2.01.03\n");
    EXPECT_EQ(Ask("CURRENT?"), "6.000\n");
    EXPECT_EQ(Ask("UPPER?"), "0.600\n");
    Send("CURRENT  62.000");
    EXPECT_EQ(Ask("CURRENT?"), "62.000\n");
    Send("CURRENT  5.900");
    Send("UPPER  1.200");
    Send("LOWER 0.700,1");
    EXPECT_EQ(Ask("CURRENT?"), "62.000\n");
    EXPECT_EQ(Ask("UPPER?"), "0.600\n");
    EXPECT_EQ(Ask("MEMORY? 0"), "            ,6.0,0.100,0.001,1.0,50,0,0,0\n");
}

TEST_F(SettingsTest, ResetRestoresSettingsButKeepsStoredData) {
    Send("FUNCTION 2");
    Send("MEASMODE MAX");
    Send("CURRENT  20.000");
    Send("TIMER 5.0,1");
    Send("BUZZERVOL 9");
    Send("COMMENT \"A\",\"B\",\"C\"");
    Send("MEMORY 4,\"KEEP\",10.0,0.500,0.010,2.0,60,1,0,1");
    Send("PRGNAME 4,\"KEPT\"");
    Send("*RST");
    EXPECT_EQ(Ask("FUNCTION?"), "0\n");
    EXPECT_EQ(Ask("MEASMODE?"), "NORM\n");
    EXPECT_EQ(Ask("CURRENT?"), "3.000\n");
    EXPECT_EQ(Ask("TIMER?"), "0.3,0\n");
    EXPECT_EQ(Ask("BUZZERVOL?"), "9\n");
    EXPECT_EQ(Ask("COMMENT?"), "A,B,C\r\n");
    EXPECT_EQ(Ask("MEMORY? 4"), "KEEP        ,10.0,0.500,0.010,2.0,60,1,0,1\n");
    EXPECT_EQ(Ask("PRGNAME? 4"), "KEPT\r\n");
}

TEST_F(SettingsTest, SystemSettings) {
    EXPECT_EQ(Ask("PASSHOLD?"), "0.500\n");
    Send("PASSHOLD  10.000");
    EXPECT_EQ(Ask("PASSHOLD?"), "10.000\n");
    Send("PASSHOLD HOLD");
    EXPECT_EQ(Ask("PASSHOLD?"), "HOLD\n");
    Send("PASSHOLD  0.200");
    Send("PASSHOLD  0.190");
    EXPECT_EQ(Ask("PASSHOLD?"), "0.200\n");

    Send("BUZZERVOL 0");
    Send("CONTRAST 10");
    Send("BUZZERVOL 11");
    Send("CONTRAST -1");
    EXPECT_EQ(Ask("BUZZERVOL?"), "0\n");
    EXPECT_EQ(Ask("CONTRAST?"), "10\n");
    EXPECT_EQ(Reg("INVALID?"), 0x20);
}

TEST_F(SettingsTest, CommentFields) {
    EXPECT_EQ(Ask("COMMENT?"), ",,\r\n");
    Send("COMMENT \"ABC\",\"DEF\",\"GHI\"");
    EXPECT_EQ(Ask("COMMENT?"), "ABC,DEF,GHI\r\n");
    Send("COMMENT \"12345678901234567890\",\"\",\"x y\"");
    EXPECT_EQ(Ask("COMMENT?"), "12345678901234567890,,x y\r\n");

    // 21 characters, a comma inside a field, or a wrong shape change nothing.
    Send("COMMENT \"123456789012345678901\",\"\",\"\"");
    Send("COMMENT \"a,b\",\"\",\"\"");
    Send("COMMENT \"a\",\"b\"");
    Send("COMMENT a,b,c");
    EXPECT_EQ(Ask("COMMENT?"), "12345678901234567890,,x y\r\n");
    EXPECT_EQ(Reg("ERR?"), 0x03);
}

}  // namespace
}  // namespace zewsim::testing
