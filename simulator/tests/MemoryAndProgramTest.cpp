// Panel memories, programs and program runs.
#include "InstrumentTestSupport.h"

namespace zewsim::testing {
namespace {

using MemoryTest = InstrumentTest;
using ProgramTest = InstrumentTest;

TEST_F(MemoryTest, StoreReadBackAndRecall) {
    EXPECT_EQ(Ask("MEMORY? 7"), "            ,3.0,0.100,0.001,1.0,50,0,0,0\n");
    Send("MEMORY 3,\"PART-A\",25.0,0.100,0.001,5.0,60,0,0,1");
    Send("MEMORY 99,\"TWELVE CHARS\",10.0,0.500,0.010,2.0,60,1,1,0");
    EXPECT_EQ(Ask("MEMORY? 3"), "PART-A      ,25.0,0.100,0.001,5.0,60,0,0,1\n");
    EXPECT_EQ(Ask("MEMORY? 99"), "TWELVE CHARS,10.0,0.500,0.010,2.0,60,1,1,0\n");

    Send("CONTACTCHECK 1");
    Send("RECALL 99");
    EXPECT_EQ(Ask("CURRENT?"), "10.000\n");
    EXPECT_EQ(Ask("UPPER?"), "0.500\n");
    EXPECT_EQ(Ask("LOWER?"), "0.010,1\n");
    EXPECT_EQ(Ask("TIMER?"), "2.0,0\n");
    EXPECT_EQ(Ask("FREQUENCY?"), "60\n");
    EXPECT_EQ(Ask("OFFSET?"), "1\n");
    EXPECT_EQ(Ask("CONTACTCHECK?"), "1\n") << "not part of a memory";
    Send("REC 3");
    EXPECT_EQ(Ask("CURRENT?"), "25.000\n");
    EXPECT_EQ(Reg("ERR?"), 0);
}

TEST_F(MemoryTest, OneBadFieldRefusesTheWholeLine) {
    const struct {
        const char* line;
        int invalid;
    } cases[] = {
        {"MEMORY 1,\"THIRTEEN CHAR\",10.0,0.500,0.010,2.0,60,1,0,1", 0x20},
        {"MEMORY 1,\"A,B\",10.0,0.500,0.010,2.0,60,1,0,1", 0x20},
        {"MEMORY 1,\"X\",30.1,0.500,0.010,2.0,60,1,0,1", 0x01},
        {"MEMORY 1,\"X\",10.0,1.300,0.010,2.0,55,1,0,1", 0x02 | 0x10},
        {"MEMORY 1,\"X\",10.0,0.500,0.010,0.2,60,1,0,x", 0x08},
        {"MEMORY 1,\"X\",10.0,0.100,0.100,2.0,60,1,0,1", 0x40},
        {"MEMORY 100,\"X\",10.0,0.500,0.010,2.0,60,1,0,1", 0x80},
    };
    for (const auto& c : cases) {
        Send("*CLS");
        Send(c.line);
        EXPECT_EQ(Reg("INVALID?"), c.invalid) << c.line;
        EXPECT_EQ(Reg("ERR?"), 0x02) << c.line;
    }
    Send("MEMORY 1,X,10.0,0.500,0.010,2.0,60,1,0,1");
    EXPECT_EQ(Reg("ERR?"), 0x03) << "an unquoted name is malformed";
    EXPECT_EQ(Ask("MEMORY? 1"), "            ,3.0,0.100,0.001,1.0,50,0,0,0\n");
}

TEST_F(ProgramTest, HeadAndStepsRoundTrip) {
    EXPECT_EQ(Ask("PRGNAME? 12"), "NONAME-12\r\n");
    EXPECT_EQ(Ask("PRGRETURN? 12"), "0\n");
    EXPECT_EQ(Ask("PRGTOTAL? 12"), "0\n");
    Send("PRGNAME 12,\"BURN,IN\"");
    Send("PRGRETURN 12,1");
    Send("PRGEDIT 12,0,4,HOLD");
    Send("PRGEDIT 12,1,7,2.5");
    Send("PRGEDIT 12,1,8,0.0");
    Send("PTES  12");
    EXPECT_EQ(Ask("PRGNAME? 12"), "BURN,IN\r\n");
    EXPECT_EQ(Ask("PRGRETURN? 12"), "1\n");
    EXPECT_EQ(Ask("PRGTOTAL? 12"), "2\n");
    EXPECT_EQ(Ask("PRGEDIT? 12,0"), "4,HOLD\n");
    EXPECT_EQ(Ask("PRGEDIT? 12,1"), "8,0.0\n");
    EXPECT_EQ(Ask("PTES?"), "12\n");
    EXPECT_EQ(Reg("ERR?"), 0);

    // A gap, a bad interval, a long name or a step past the end change nothing.
    Send("PRGEDIT 12,3,1,1.0");
    Send("PRGEDIT 12,2,1,10.0");
    Send("PRGEDIT 12,2,100,1.0");
    Send("PRGNAME 12,\"THIRTEEN CHAR\"");
    EXPECT_EQ(Ask("PRGEDIT? 12,2"), "<none>");
    EXPECT_EQ(Reg("INVALID?"), 0x80 | 0x20);
    EXPECT_EQ(Ask("PRGTOTAL? 12"), "2\n");

    Send("PRGNEW  12");
    EXPECT_EQ(Ask("PRGNAME? 12"), "NONAME-12\r\n");
    EXPECT_EQ(Ask("PRGRETURN? 12"), "0\n");
    EXPECT_EQ(Ask("PRGTOTAL? 12"), "0\n");
}

TEST_F(ProgramTest, StepsStopAtOneHundred) {
    for (int s = 0; s < 100; ++s) Send("PRGEDIT 5," + std::to_string(s) + ",1,0.0");
    Send("PRGEDIT 5,100,1,0.0");
    EXPECT_EQ(Ask("PRGTOTAL? 5"), "100\n");
    EXPECT_EQ(Reg("INVALID?"), 0x80);
}

TEST_F(ProgramTest, RunsStepsWithIntervalsAndHoldThenPasses) {
    Send("MEMORY 1,\"ONE\",10.0,0.500,0.001,2.0,50,0,0,1");
    Send("MEMORY 2,\"TWO\",20.0,0.500,0.001,0.3,50,0,0,0");
    Send("PRGEDIT 2,0,1,1.5");
    Send("PRGEDIT 2,1,2,HOLD");
    Send("PRGEDIT 2,2,1,0.0");
    Send("PRGTEST 2");
    Send("START");
    Advance(0.1);
    EXPECT_EQ(Ask("MON?"), "12,0.2500,5.0000,0.0500,0.0500,0.100\n");
    Advance(1.0);
    EXPECT_EQ(Ask("TIME?"), "0.900\n") << "memory 1 has its timer on";
    Advance(1.0);  // step 0 passed at 2.0 s; interval until 3.5 s
    EXPECT_EQ(Reg("DSR?"), 8);
    EXPECT_EQ(Ask("IDATA?"), "0.0000\n");
    Advance(2.0);  // step 1 (timer off: 1 s) began at 3.5 s
    EXPECT_EQ(Ask("MON?"), "8,1.0000,20.0000,0.0500,0.0500,0.600\n");
    Advance(10.0);
    EXPECT_EQ(Reg("DSR?"), 8) << "holding after step 1";
    Send("RECALL 1");
    EXPECT_EQ(Reg("ERR?"), 0x02) << "the run is on while it holds";
    Send("*CLS");
    Send("START");
    Advance(1.0);
    EXPECT_EQ(Ask("IDATA?"), "10.0000\n");
    Advance(1.2);
    EXPECT_EQ(Reg("DSR?") & 0x0F, 1);
    EXPECT_EQ(Reg("ERR?"), 0);

    // PRGTEST is used up: the next START tests the panel conditions.
    Send("START");
    Advance(0.5);
    EXPECT_EQ(Ask("IDATA?"), "3.0000\n");
}

TEST_F(ProgramTest, FailingStepEndsTheRunAndReturnKeepsTheSelection) {
    Send("MEMORY 1,\"LOW\",10.0,0.500,0.001,1.0,50,0,0,1");
    Send("MEMORY 2,\"TIGHT\",10.0,0.010,0.001,1.0,50,0,0,1");
    Send("PRGEDIT 4,0,1,0.0");
    Send("PRGEDIT 4,1,2,0.0");
    Send("PRGEDIT 4,2,1,0.0");
    Send("PRGRETURN 4,1");
    Send("PRGTEST 4");
    Send("START");
    Advance(5.0);
    EXPECT_EQ(Reg("DSR?"), 2);
    EXPECT_EQ(Reg("FAIL?"), 1);
    EXPECT_EQ(Ask("MON?"), "2,0.5000,10.0000,0.0500,0.0500,1.000\n");

    Send("START");  // return on: program 4 again
    Advance(2.5);
    EXPECT_EQ(Reg("DSR?"), 2);

    Send("PRGNEW  4");
    Send("START");
    EXPECT_EQ(Reg("INVALID?"), 0x80) << "an empty program cannot run";
    EXPECT_EQ(Reg("DSR?"), 2);
}

}  // namespace
}  // namespace zewsim::testing
