// Panel memories: the cached fields and their checks, Save, Load and Start on
// the wire and against the simulated instrument.
#include <gtest/gtest.h>

#include "DriverFixture.h"

namespace zewtest {
namespace {

struct Fields {
    std::wstring name;
    double current, upper, lower, time;
    short frequency;
    VARIANT_BOOL offset;
};

Fields Read(IMemory* memory) {
    Fields f{};
    Bstr name;
    memory->get_Name(name.put());
    f.name = name.view();
    memory->get_Current(&f.current);
    memory->get_LimitUpper(&f.upper);
    memory->get_LimitLower(&f.lower);
    memory->get_ExecTime(&f.time);
    memory->get_Frequency(&f.frequency);
    memory->get_OffsetON(&f.offset);
    return f;
}

HRESULT PutName(IMemory* memory, const std::wstring& name) {
    Bstr text(name);
    return memory->put_Name(text.get());
}

using MemoryTest = ConnectedDriverTest;

TEST_F(MemoryTest, SaveSendsTheWholeMemoryInOneLine) {
    ASSERT_EQ(MemoryOf(driver.get(), 7)->Save(), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"), "MEMORY 7,\"\",3.0,0.100,0.001,1.0,50,0,0,0\n");

    ComPtr<IMemory> memory = MemoryOf(driver.get(), 3);
    ASSERT_EQ(PutName(memory.get(), L"PART-A"), S_OK);
    ASSERT_EQ(memory->put_Current(25), S_OK);
    ASSERT_EQ(memory->put_LimitUpper(0.1), S_OK);
    ASSERT_EQ(memory->put_LimitLower(0), S_OK);
    ASSERT_EQ(memory->put_ExecTime(5), S_OK);
    ASSERT_EQ(memory->put_Frequency(60), S_OK);
    ASSERT_EQ(memory->put_OffsetON(VARIANT_FALSE), S_OK);
    ZvClearLogs(nullptr);
    ASSERT_EQ(memory->Save(), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"), "MEMORY 3,\"PART-A\",25.0,0.100,0.001,5.0,60,0,0,1\n");
    EXPECT_EQ(Instrument("MEMORY? 3"), "PART-A      ,25.0,0.100,0.001,5.0,60,0,0,1\n");

    // Lower limit on, offset on (any non-zero value), timer off.
    memory->put_LimitLower(0.02);
    memory->put_OffsetON(1);
    memory->put_ExecTime(0);
    ZvClearLogs(nullptr);
    ASSERT_EQ(memory->Save(), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"), "MEMORY 3,\"PART-A\",25.0,0.100,0.020,0.3,60,1,1,0\n");
}

TEST_F(MemoryTest, SaveRefusesAnUpperLimitNotAboveTheStoredLowerValue) {
    ComPtr<IMemory> memory = MemoryOf(driver.get(), 1);
    memory->put_LimitLower(0.1);
    memory->put_LimitUpper(0.1);
    EXPECT_EQ(memory->Save(), E_INVALIDARG);
    memory->put_LimitLower(0);   // off: the stored 0.001 still counts
    memory->put_LimitUpper(0.001);
    EXPECT_EQ(memory->Save(), E_INVALIDARG);
    EXPECT_EQ(WireLog("GPIB0::1"), "");
}

TEST_F(MemoryTest, LoadTakesTheRepliedFieldsThenRecallsTheMemory) {
    ComPtr<IMemory> memory = MemoryOf(driver.get(), 4);
    ZvQueueReply("GPIB0::1", "MEMORY? 4", "TEST      ,10.0,0.500,0.010,2.0,60,1,0,1\n");
    ASSERT_EQ(memory->Load(), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"), "MEMORY? 4\nREC 4\n");
    EXPECT_EQ(Read(memory.get()).name, L"TEST");

    // From the instrument's own memory: REC puts it on the panel. The fields'
    // reading is MemoryReplyTest's; their places show in the line saved back.
    Instrument("MEMORY 9,\"KEEP\",12.0,0.300,0.020,3.0,60,0,1,0");
    ComPtr<IMemory> nine = MemoryOf(driver.get(), 9);
    ASSERT_EQ(nine->Load(), S_OK);
    const Fields k = Read(nine.get());
    EXPECT_EQ(k.name, L"KEEP");
    EXPECT_EQ(k.lower, 0.0);   // lower limit off
    EXPECT_EQ(k.time, 0.0);    // timer off
    EXPECT_EQ(k.offset, 1);
    EXPECT_EQ(Instrument("CURRENT?"), "12.000\n");
    EXPECT_EQ(Instrument("FREQUENCY?"), "60\n");
    // Saved back unchanged, including the values kept while switched off.
    ZvClearLogs(nullptr);
    ASSERT_EQ(nine->Save(), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"), "MEMORY 9,\"KEEP\",12.0,0.300,0.020,3.0,60,0,1,0\n");
}

TEST_F(MemoryTest, LoadOfAnIncompleteReplyKeepsWhatItLacksAndSaysSo) {
    ComPtr<IMemory> memory = MemoryOf(driver.get(), 2);
    ZvQueueReply("GPIB0::1", "MEMORY? 2", "SHORT,7.5,abc\n");
    EXPECT_EQ(memory->Load(), S_FALSE);
    EXPECT_EQ(WireLog("GPIB0::1"), "MEMORY? 2\nREC 2\n");
    Fields f = Read(memory.get());
    EXPECT_EQ(f.name, L"SHORT");
    EXPECT_EQ(f.current, 7.5);
    EXPECT_EQ(f.upper, 0.1);   // not a number: kept
    EXPECT_EQ(f.frequency, 50);

    // A name read with a double quote cannot go back out inside quotes.
    ZvQueueReply("GPIB0::1", "MEMORY? 2", "A\"B,10.0,0.500,0.010,2.0,60,1,0,1\n");
    EXPECT_EQ(memory->Load(), S_OK);
    ZvClearLogs(nullptr);
    EXPECT_EQ(memory->Save(), E_INVALIDARG);
    EXPECT_EQ(WireLog("GPIB0::1"), "");
}

TEST_F(MemoryTest, StartRecallsTheStoredMemoryAndStartsATest) {
    Instrument("MEMORY 3,\"RUN\",12.0,0.300,0.001,3.0,50,0,0,1");
    ComPtr<IMemory> memory = MemoryOf(driver.get(), 3);
    memory->put_Current(20);   // cached only: Start runs what the instrument stores
    ASSERT_EQ(memory->Start(), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"), "RECALL 3\nSTART\n");
    EXPECT_NE(Instrument("DSR?"), "0\n");
    EXPECT_EQ(Instrument("CURRENT?"), "12.000\n");
}

TEST_F(MemoryTest, NamesThatTheInstrumentCannotKeepAreRefused) {
    ComPtr<IMemory> memory = MemoryOf(driver.get(), 0);
    EXPECT_EQ(PutName(memory.get(), L"TWELVE CHARS"), S_OK);
    // Characters the code page sends as a double quote or a comma count as those.
    ASSERT_EQ(GetACP(), 1252u);
    for (const wchar_t* bad : {L"THIRTEEN CHAR", L"A\"B", L"A,B", L"A\nB", L"A\x7F", L"A\xFF02" L"B", L"A\xFF0C" L"B"}) {
        EXPECT_EQ(PutName(memory.get(), bad), E_INVALIDARG) << bad;
    }
    EXPECT_EQ(Read(memory.get()).name, L"TWELVE CHARS");
    EXPECT_EQ(PutName(memory.get(), L"\x00C9T\x00C9 \x00DF"), S_OK);
    EXPECT_EQ(Read(memory.get()).name, L"\x00C9T\x00C9 \x00DF");
    EXPECT_EQ(memory->put_Name(nullptr), S_OK);
    EXPECT_EQ(Read(memory.get()).name, L"");
}

// A memory made on its own has no driver: its checks take what either model
// accepts, and its instrument methods fail as never connected.
TEST(MemoryAlone, ChecksAgainstEitherModelAndHasNoInstrument) {
    ComPtr<IClassFactory> factory = ClassFactory(CLSID_Memory);
    ComPtr<IMemory> memory;
    ASSERT_TRUE(factory);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IMemory, memory.put_void()), S_OK);
    EXPECT_EQ(memory->put_Current(2.9), E_INVALIDARG);   // below the ZEW4400's range
    EXPECT_EQ(memory->put_Current(62.0), S_OK);          // the ZEW4410's top
    EXPECT_EQ(memory->put_LimitUpper(1.2), S_OK);        // the ZEW4400's top
    short index = 0;
    memory->get_Index(&index);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(memory->Save(), kNotInitialized);
    EXPECT_EQ(ErrorDescription(), L"Instrument not initialized in device ???.");
}

}  // namespace
}  // namespace zewtest
