// Auto-test programs and their steps: Allocate, Free and Start on the wire
// and against the simulated instrument, failures half-way, the steps'
// Memory and NextInterval, and the Steps collection.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>

#include "DriverFixture.h"
#include "com/Variant.h"

namespace zewtest {
namespace {

using zew::com::Variant;

// A step's memory as it reads back: its type and number.
std::pair<VARTYPE, long> MemoryOfStep(IStep* step) {
    Variant value;
    if (step->get_Memory(value.put()) != S_OK) return {VT_EMPTY, -1};
    return {value->vt, value->vt == VT_I4 ? value->lVal : value->iVal};
}

double IntervalOf(IStep* step) {
    double interval = -1;
    step->get_NextInterval(&interval);
    return interval;
}

HRESULT PutMemory(IStep* step, VARTYPE vt, long number) { return step->put_Memory(Number(vt, number)); }

HRESULT PutMemoryName(IStep* step, const wchar_t* name) { return step->put_Memory(Name(Bstr(name))); }

std::wstring NameOf(IProgram* program) {
    Bstr name;
    program->get_Name(name.put());
    return std::wstring(name.view());
}

using ProgramTest = ConnectedDriverTest;

TEST_F(ProgramTest, AllocateZeroReadsTheHeadThenEveryStep) {
    ComPtr<IProgram> program = ProgramOf(driver.get(), 3);
    ZvQueueReply("GPIB0::1", "PRGNAME? 3", "NAME1   \r\n");
    ZvQueueReply("GPIB0::1", "PRGRETURN? 3", "1\r\n");
    ZvQueueReply("GPIB0::1", "PRGTOTAL? 3", "2\r\n");
    ZvQueueReply("GPIB0::1", "PRGEDIT? 3,0", "4,HOLD\n");
    ZvQueueReply("GPIB0::1", "PRGEDIT? 3,1", "7,2.5\n");
    ASSERT_EQ(program->Allocate(0), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"), "PRGNAME? 3\nPRGRETURN? 3\nPRGTOTAL? 3\nPTES  3\nPRGEDIT? 3,0\nPRGEDIT? 3,1\n");
    EXPECT_EQ(NameOf(program.get()), L"NAME1");
    VARIANT_BOOL returnOn = 0;
    program->get_ReturnOn(&returnOn);
    EXPECT_NE(returnOn, 0);
    ASSERT_EQ(StepCount(program.get()), 2);
    ComPtr<IStep> first = StepOf(program.get(), 0), second = StepOf(program.get(), 1);
    EXPECT_EQ(MemoryOfStep(first.get()), std::pair(VARTYPE{VT_I2}, 4L));
    EXPECT_EQ(IntervalOf(first.get()), 10.0);
    EXPECT_EQ(MemoryOfStep(second.get()), std::pair(VARTYPE{VT_I2}, 7L));
    EXPECT_EQ(IntervalOf(second.get()), 2.5);
}

// A total outside 0 to 100 never fills the list past 100; replies that are
// not understood leave defaults and say so with S_FALSE.
TEST_F(ProgramTest, AllocateZeroCopesWithRepliesItDoesNotUnderstand) {
    ComPtr<IProgram> program = ProgramOf(driver.get(), 4);
    ZvQueueReply("GPIB0::1", "PRGTOTAL? 4", "250\n");
    for (int i = 0; i < 100; ++i) ZvQueueReply("GPIB0::1", ("PRGEDIT? 4," + std::to_string(i)).c_str(), "5,1.5\n");
    EXPECT_EQ(program->Allocate(0), S_FALSE);
    EXPECT_EQ(StepCount(program.get()), 100);
    EXPECT_EQ(Occurrences(WireLog("GPIB0::1"), "PRGEDIT?"), 100u);

    ZvQueueReply("GPIB0::1", "PRGTOTAL? 4", "-3\n");
    EXPECT_EQ(program->Allocate(0), S_FALSE);
    EXPECT_EQ(StepCount(program.get()), 0);

    // A step reply not understood (each kind is MemoryReplyTest's): defaults.
    ZvQueueReply("GPIB0::1", "PRGTOTAL? 4", "1\n");
    ZvQueueReply("GPIB0::1", "PRGEDIT? 4,0", "100,12.5\n");
    EXPECT_EQ(program->Allocate(0), S_FALSE);
    ASSERT_EQ(StepCount(program.get()), 1);
    EXPECT_EQ(MemoryOfStep(StepOf(program.get(), 0).get()), std::pair(VARTYPE{VT_I2}, 0L));
    EXPECT_EQ(IntervalOf(StepOf(program.get(), 0).get()), 1.0);
}

TEST_F(ProgramTest, AllocateRefusesCountsOutsideZeroToAHundredAndBuildsBlankStepsOffline) {
    ComPtr<IProgram> program = ProgramOf(driver.get(), 1);
    ASSERT_EQ(program->Allocate(2), S_OK);
    ComPtr<IStep> kept = StepOf(program.get(), 1);
    EXPECT_EQ(program->Allocate(-1), E_INVALIDARG);
    EXPECT_EQ(program->Allocate(101), E_INVALIDARG);
    EXPECT_EQ(StepCount(program.get()), 2);
    EXPECT_EQ(StepOf(program.get(), 1).get(), kept.get());

    ASSERT_EQ(program->Allocate(100), S_OK);
    EXPECT_EQ(StepCount(program.get()), 100);
    ComPtr<IStep> last = StepOf(program.get(), 99);
    short index = 0;
    last->get_Index(&index);
    EXPECT_EQ(index, 99);
    EXPECT_EQ(MemoryOfStep(last.get()), std::pair(VARTYPE{VT_I2}, 0L));
    EXPECT_EQ(IntervalOf(last.get()), 1.0);
    EXPECT_EQ(Trace("GPIB0::1"), "");

    driver->Disconnect();
    ASSERT_EQ(program->Allocate(3), S_OK);
    EXPECT_EQ(StepCount(program.get()), 3);
}

TEST_F(ProgramTest, FreeEmptiesTheStepsThenResetsTheProgramOnTheInstrument) {
    Instrument("PRGEDIT 12,0,3,1.0");
    Instrument("PRGNAME 12,\"OLD\"");
    ComPtr<IProgram> program = ProgramOf(driver.get(), 12);
    ASSERT_EQ(program->Allocate(0), S_OK);
    ZvClearLogs(nullptr);
    ASSERT_EQ(program->Free(), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"), "PRGNEW  12\nPRGNAME 12,\"NONAME-12\"\n");
    EXPECT_EQ(StepCount(program.get()), 0);
    EXPECT_EQ(NameOf(program.get()), L"OLD");   // the cached name stays
    EXPECT_EQ(Instrument("PRGNAME? 12"), "NONAME-12\r\n");
    EXPECT_EQ(Instrument("PRGTOTAL? 12"), "0\n");
}

TEST_F(ProgramTest, StartUploadsEveryLineWithAHandshakeThenRunsTheProgram) {
    ComPtr<IProgram> program = ProgramOf(driver.get(), 2);
    Bstr name(L"LINE-2");
    program->put_Name(name.get());
    ASSERT_EQ(program->Allocate(1), S_OK);
    ComPtr<IStep> step = StepOf(program.get(), 0);
    ASSERT_EQ(PutMemory(step.get(), VT_I2, 5), S_OK);
    ASSERT_EQ(step->put_NextInterval(10.0), S_OK);
    ASSERT_EQ(program->Start(), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"),
              "PRGNAME 2,\"LINE-2\"\n*STB?\nPRGRETURN 2,0\n*STB?\nPRGEDIT 2,0,5,HOLD\n*STB?\nPRGTEST 2\n*STB?\nSTART\n");
    EXPECT_EQ(Instrument("PRGEDIT? 2,0"), "5,HOLD\n");
    EXPECT_NE(std::stoi(Instrument("DSR?")) & 0x08, 0) << "the program runs";
    Instrument("STOP");

    // Intervals to one decimal; return on as 1; no steps, no PRGEDIT.
    ASSERT_EQ(program->Allocate(3), S_OK);
    StepOf(program.get(), 0)->put_NextInterval(0.0);
    StepOf(program.get(), 1)->put_NextInterval(9.9);
    PutMemory(StepOf(program.get(), 2).get(), VT_I4, 99);
    program->put_ReturnOn(VARIANT_TRUE);
    ZvClearLogs(nullptr);
    ASSERT_EQ(program->Start(), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"),
              "PRGNAME 2,\"LINE-2\"\n*STB?\nPRGRETURN 2,1\n*STB?\nPRGEDIT 2,0,0,0.0\n*STB?\nPRGEDIT 2,1,0,9.9\n*STB?\n"
              "PRGEDIT 2,2,99,1.0\n*STB?\nPRGTEST 2\n*STB?\nSTART\n");
    Instrument("STOP");

    ComPtr<IProgram> empty = ProgramOf(driver.get(), 6);
    ZvClearLogs(nullptr);
    ASSERT_EQ(empty->Start(), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"), "PRGNAME 6,\"\"\n*STB?\nPRGRETURN 6,0\n*STB?\nPRGTEST 6\n*STB?\nSTART\n");
}

// A name read from the instrument that the upload line cannot carry.
// The handshakes of a program's upload on a link out of step: the link is
// brought in step before the first line, and afterwards no *STB? reply is
// left over for the next query.
TEST_F(ProgramTest, StartOnALinkOutOfStepBringsItInStepFirst) {
    ComPtr<IProgram> program = ProgramOf(driver.get(), 3);
    ASSERT_EQ(program->Allocate(1), S_OK);
    ZvQueueReply("GPIB0::1", "RDATA?", "0.0700\n");
    ZvSetReplyDelay("GPIB0::1", 300);
    double value = 0;
    EXPECT_EQ(driver->get_MonVoltage(&value), kReadFailed);
    ZvSetReplyDelay("GPIB0::1", 0);
    Sleep(400);
    ZvClearLogs(nullptr);
    ASSERT_EQ(program->Start(), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1").rfind("*IDN?\nPRGNAME 3,", 0), 0u) << WireLog("GPIB0::1");
    EXPECT_EQ(driver->Stop(), S_OK);
    EXPECT_EQ(driver->get_MonResistance(&value), S_OK);
    EXPECT_EQ(value, 0.07);
}

TEST_F(ProgramTest, StartRefusesANameThatCannotBeQuoted) {
    ComPtr<IProgram> program = ProgramOf(driver.get(), 5);
    ZvQueueReply("GPIB0::1", "PRGNAME? 5", "A\"B\r\n");
    ASSERT_EQ(program->Allocate(0), S_OK);
    ZvClearLogs(nullptr);
    EXPECT_EQ(program->Start(), E_INVALIDARG);
    EXPECT_EQ(WireLog("GPIB0::1"), "");
    // A client's name is checked as a memory's is (MemoryTest has the cases).
    Bstr quoted(L"A\"B");
    EXPECT_EQ(program->put_Name(quoted.get()), E_INVALIDARG);
}

TEST_F(ProgramTest, AFailureHalfWayKeepsWhatWasDoneAndFreesTheLock) {
    for (const char* line : {"PRGNAME 9,\"NINE\"", "PRGRETURN 9,1", "PRGEDIT 9,0,1,0.5", "PRGEDIT 9,1,2,0.5",
                             "PRGEDIT 9,2,3,0.5"})
        Instrument(line);
    ComPtr<IProgram> program = ProgramOf(driver.get(), 9);
    ASSERT_EQ(program->Allocate(2), S_OK);

    // The head fails at PRGTOTAL?: the name and return switch are read, the
    // old steps stay.
    ZvFailNext(ZV_OP_READ, 2, VI_ERROR_TMO);
    EXPECT_EQ(program->Allocate(0), kReadFailed);
    EXPECT_EQ(ErrorDescription(), L"Error reading from instrument in device GPIB0::1.");
    EXPECT_TRUE(InstrumentLockIsFree());
    EXPECT_EQ(NameOf(program.get()), L"NINE");
    EXPECT_EQ(StepCount(program.get()), 2);

    // The second step's reply fails: the first step is kept.
    Reconnect();
    ZvFailNext(ZV_OP_READ, 4, VI_ERROR_TMO);
    EXPECT_EQ(program->Allocate(0), kReadFailed);
    EXPECT_TRUE(InstrumentLockIsFree());
    EXPECT_EQ(WireLog("GPIB0::1"), "PRGNAME? 9\nPRGRETURN? 9\nPRGTOTAL? 9\nPTES  9\nPRGEDIT? 9,0\nPRGEDIT? 9,1\n");
    ASSERT_EQ(StepCount(program.get()), 1);
    EXPECT_EQ(MemoryOfStep(StepOf(program.get(), 0).get()), std::pair(VARTYPE{VT_I2}, 1L));
    EXPECT_EQ(StepOf(program.get(), 1).get(), nullptr);

    // Start fails at START: everything before it went out, no run.
    Reconnect();
    ZvFailNext(ZV_OP_WRITE, 8, VI_ERROR_IO);
    EXPECT_EQ(program->Start(), kWriteFailed);
    EXPECT_EQ(WireLog("GPIB0::1"), "PRGNAME 9,\"NINE\"\n*STB?\nPRGRETURN 9,1\n*STB?\nPRGEDIT 9,0,1,0.5\n*STB?\nPRGTEST 9\n*STB?\n");
    EXPECT_EQ(Instrument("DSR?"), "0\n");
    EXPECT_TRUE(InstrumentLockIsFree());

    // Free fails at its second line: the steps are gone all the same.
    ZvFailNext(ZV_OP_WRITE, 1, VI_ERROR_IO);
    ZvClearLogs(nullptr);
    EXPECT_EQ(program->Free(), kWriteFailed);
    EXPECT_EQ(ErrorDescription(), L"Error writing to instrument in device GPIB0::1.");
    EXPECT_EQ(WireLog("GPIB0::1"), "PRGNEW  9\n");
    EXPECT_EQ(StepCount(program.get()), 0);
    EXPECT_TRUE(InstrumentLockIsFree());
}

// A step reads its memory as the collections read an index (number types,
// references and refusals are tested there); what is its own: the number
// type is kept for reading back, and only 0 to 99 name a memory.
TEST_F(ProgramTest, AStepKeepsTheTypeOfItsMemoryNumberAndItsIntervalToOneDecimal) {
    ComPtr<IProgram> program = ProgramOf(driver.get(), 0);
    ASSERT_EQ(program->Allocate(1), S_OK);
    ComPtr<IStep> step = StepOf(program.get(), 0);
    EXPECT_EQ(PutMemory(step.get(), VT_I2, 0), S_OK);
    EXPECT_EQ(PutMemory(step.get(), VT_I2, 99), S_OK);
    EXPECT_EQ(PutMemory(step.get(), VT_I4, 5), S_OK);
    EXPECT_EQ(MemoryOfStep(step.get()), std::pair(VARTYPE{VT_I4}, 5L));
    EXPECT_EQ(PutMemory(step.get(), VT_I2, 8), S_OK);
    EXPECT_EQ(MemoryOfStep(step.get()), std::pair(VARTYPE{VT_I2}, 8L));
    for (const auto& [vt, n] : {std::pair{VT_I2, 100L}, {VT_I2, -1L}, {VT_I4, 100L}, {VT_R8, 3L}}) {
        EXPECT_EQ(PutMemory(step.get(), vt, n), E_INVALIDARG) << vt << " " << n;
    }
    EXPECT_EQ(MemoryOfStep(step.get()), std::pair(VARTYPE{VT_I2}, 8L));

    for (const double good : {0.0, 9.9, 10.0, 0.05}) EXPECT_EQ(step->put_NextInterval(good), S_OK) << good;
    for (const double bad : {9.95, 10.5, -0.1, 10.01, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(step->put_NextInterval(bad), E_INVALIDARG) << bad;
    EXPECT_EQ(IntervalOf(step.get()), 0.05);
    EXPECT_EQ(Trace("GPIB0::1"), "");
}

TEST_F(ProgramTest, AStepGivenAMemoryNameStoresItsNumber) {
    Instrument("MEMORY 7,\"BURN-IN\",10.0,0.500,0.010,2.0,60,1,0,1");
    ComPtr<IProgram> program = ProgramOf(driver.get(), 0);
    ASSERT_EQ(program->Allocate(1), S_OK);
    ComPtr<IStep> step = StepOf(program.get(), 0);
    ASSERT_EQ(PutMemoryName(step.get(), L"BURN-IN"), S_OK);
    EXPECT_EQ(MemoryOfStep(step.get()), std::pair(VARTYPE{VT_I2}, 7L));
    EXPECT_EQ(WireLog("GPIB0::1"), "MEMORY? 0\nMEMORY? 1\nMEMORY? 2\nMEMORY? 3\nMEMORY? 4\nMEMORY? 5\nMEMORY? 6\nMEMORY? 7\n");

    ZvClearLogs(nullptr);
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(PutMemoryName(step.get(), L"NO-SUCH"), E_INVALIDARG);
    EXPECT_EQ(Occurrences(WireLog("GPIB0::1"), "MEMORY? "), 100u);
    EXPECT_EQ(ErrorDescription(), L"");
    EXPECT_EQ(MemoryOfStep(step.get()), std::pair(VARTYPE{VT_I2}, 7L));

    // The step runs memory 7 whatever the memory is called later.
    Instrument("MEMORY 7,\"RENAMED\",10.0,0.500,0.010,2.0,60,1,0,1");
    ASSERT_EQ(program->Start(), S_OK);
    EXPECT_NE(WireLog("GPIB0::1").find("PRGEDIT 0,0,7,1.0\n"), std::string::npos);
}

// Steps made while their program had no driver have none either.
TEST_F(DriverTest, AStepMadeBeforeTheFirstConnectCannotLookANameUp) {
    ComPtr<IProgram> program = ProgramOf(driver.get(), 0);
    ASSERT_EQ(program->Allocate(1), S_OK);
    ComPtr<IStep> step = StepOf(program.get(), 0);
    ASSERT_EQ(Connect(driver.get(), L"dev1"), S_OK);
    EXPECT_EQ(PutMemoryName(step.get(), L"ANY"), kNotInitialized);
    EXPECT_EQ(ErrorDescription(), L"Instrument not initialized in device ???.");
    EXPECT_EQ(WireLog("GPIB0::1").find("MEMORY?"), std::string::npos);
    EXPECT_EQ(PutMemory(step.get(), VT_I2, 3), S_OK);
}

TEST_F(ProgramTest, StepsAreOneCollectionAndKeptStepsLeaveTheProgram) {
    ComPtr<IProgram> program = ProgramOf(driver.get(), 11);
    ComPtr<ISteps> steps, again;
    ASSERT_EQ(program->get_Steps(steps.put()), S_OK);
    ComPtr<IStep> step;
    EXPECT_EQ(steps->get_Item(0, step.put()), E_INVALIDARG);

    ASSERT_EQ(program->Allocate(2), S_OK);
    EXPECT_EQ(steps->get_Item(2, step.put()), E_INVALIDARG);
    EXPECT_EQ(steps->get_Item(-1, step.put()), E_INVALIDARG);
    ASSERT_EQ(steps->get_Item(1, step.put()), S_OK);

    // The enumerator's snapshot is the collections' (CollectionTest's).
    ASSERT_EQ(program->Allocate(3), S_OK);
    ASSERT_EQ(program->get_Steps(again.put()), S_OK);
    EXPECT_EQ(again.get(), steps.get());   // one collection for the program's life
    EXPECT_NE(StepOf(program.get(), 1).get(), step.get());

    // The kept step still works, and no longer goes out with the program.
    EXPECT_EQ(PutMemory(step.get(), VT_I2, 42), S_OK);
    EXPECT_EQ(step->put_NextInterval(10.0), S_OK);
    Instrument("MEMORY 1,\"KEPT\",10.0,0.500,0.010,2.0,60,1,0,1");
    EXPECT_EQ(PutMemoryName(step.get(), L"KEPT"), S_OK);
    EXPECT_EQ(MemoryOfStep(step.get()), std::pair(VARTYPE{VT_I2}, 1L));
    ZvClearLogs(nullptr);
    ASSERT_EQ(program->Start(), S_OK);
    const std::string wire = WireLog("GPIB0::1");
    EXPECT_EQ(Occurrences(wire, "PRGEDIT "), 3u);
    EXPECT_EQ(wire.find("HOLD"), std::string::npos);
}

}  // namespace
}  // namespace zewtest
