// Error classification, the registers and the status byte.
#include "InstrumentTestSupport.h"

namespace zewsim::testing {
namespace {

using RegistersTest = InstrumentTest;

TEST_F(RegistersTest, AllClearAtPowerOn) {
    for (const char* q : {"ERR?", "*ESR?", "FAIL?", "DSR?", "PROTECTION?", "INVALID?", "*STB?"}) {
        EXPECT_EQ(Ask(q), "0\n") << q;
    }
    EXPECT_EQ(instrument_.StatusByte(), 0);
}

TEST_F(RegistersTest, UnknownAndMalformedLinesAreCommandErrors) {
    for (const char* line : {"FROB", "CURRENT", "CURRENT 3.0,1", "CURRENT \"3.0\"", "MON", "LOWER 0.1",
                             "MEMORY? 1,2", "*IDN? x", "COMMENT \"a", "FUNCTION? 1"}) {
        Send(line);
    }
    EXPECT_EQ(Reg("ERR?"), 0x01);
    EXPECT_EQ(Reg("INVALID?"), 0);
    EXPECT_EQ(Ask("CURRENT?"), "3.000\n");
    EXPECT_EQ(Reg("*ESR?"), 0x20);
    EXPECT_EQ(Reg("*ESR?"), 0) << "reading *ESR clears it";
}

TEST_F(RegistersTest, BadValuesAreExecutionErrorsWithInvalidBits) {
    const struct {
        const char* line;
        int invalid;
    } cases[] = {
        {"CURRENT  abc", 0x01}, {"CURRENT  nan", 0x01}, {"UPPER  1e-1", 0x02},   {"LOWER 1.3,1", 0x04},
        {"LOWER 0.1,2", 0x04},  {"TIMER 1000,1", 0x08}, {"FREQUENCY 55", 0x10},  {"OFFSET 2", 0x20},
        {"FUNCTION 5", 0x20},   {"MEASMODE AVG", 0x20}, {"MEMORY? 100", 0x80},   {"RECALL -1", 0x80},
    };
    for (const auto& c : cases) {
        Send("*CLS");
        Send(c.line);
        EXPECT_EQ(Reg("ERR?"), 0x02) << c.line;
        EXPECT_EQ(Reg("INVALID?"), c.invalid) << c.line;
        EXPECT_EQ(Reg("*ESR?"), 0x10) << c.line;
    }
    EXPECT_EQ(Ask("CURRENT?"), "3.000\n");
    EXPECT_EQ(Ask("UPPER?"), "1.200\n");
    EXPECT_EQ(Ask("LOWER?"), "0.001,0\n");
    EXPECT_EQ(Ask("FREQUENCY?"), "50\n");
}

TEST_F(RegistersTest, QueryOfACommandIsAQueryError) {
    for (const char* line : {"START?", "*RST?", "CLR?", "RECALL? 1", "PRGNEW? 1"}) EXPECT_EQ(Ask(line), "<none>");
    EXPECT_EQ(Reg("ERR?"), 0x04);
    EXPECT_EQ(Reg("*ESR?"), 0x04);
}

TEST_F(RegistersTest, StatusByteSummarisesTheRegisters) {
    Send("FROB");
    EXPECT_EQ(Reg("*STB?"), 0x04 | 0x20);
    EXPECT_EQ(instrument_.StatusByte(), 0x04 | 0x20);
    Reg("*ESR?");
    EXPECT_EQ(instrument_.StatusByte(), 0x04);

    Send("START");
    EXPECT_EQ(instrument_.StatusByte(), 0x04 | 0x01);
    instrument_.SetDutResistance(2.0);
    Advance(0.3);  // the upper limit fails as measuring begins
    EXPECT_EQ(instrument_.StatusByte(), 0x04 | 0x02);
    EXPECT_EQ(Reg("*STB?"), instrument_.StatusByte());
}

TEST_F(RegistersTest, ClearStatusAndClearAlarm) {
    instrument_.SetDutResistance(2.0);
    Send("START");
    Advance(0.3);
    Send("FREQUENCY 55");
    EXPECT_EQ(Reg("FAIL?"), 0x01);
    EXPECT_EQ(Reg("DSR?"), 0x02);

    Send("CLR");
    EXPECT_EQ(Reg("FAIL?"), 0);
    EXPECT_EQ(Reg("DSR?"), 0);
    EXPECT_EQ(Reg("ERR?"), 0x02) << "CLR leaves the error registers";

    Send("*CLS");
    for (const char* q : {"ERR?", "*ESR?", "INVALID?", "*STB?"}) EXPECT_EQ(Reg(q), 0) << q;
}

}  // namespace
}  // namespace zewsim::testing
