// The stand-in VISA32.DLL as a client sees it, with the embedded instruments.
#include <gtest/gtest.h>
#include <windows.h>

#include "VisaTestSupport.h"

using namespace zewtest;

namespace {

class StandIn : public ::testing::Test {
protected:
    void SetUp() override {
        ZvReset();
        ZvSetMaxWait(100);   // time-outs are real but short
    }
    ResourceManager rm;
};

}  // namespace

TEST(StandInExports, EveryVisaFunctionIsAtItsOrdinalAndByName) {
    HMODULE visa = LoadLibraryA("VISA32.DLL");
    ASSERT_TRUE(visa);
    const std::pair<int, const char*> exports[] = {
        {141, "viOpenDefaultRM"}, {131, "viOpen"},          {132, "viClose"},       {133, "viGetAttribute"},
        {134, "viSetAttribute"},  {256, "viRead"},          {257, "viWrite"},       {259, "viReadSTB"},
        {260, "viClear"},         {258, "viAssertTrigger"}, {267, "viSetBuf"},      {268, "viFlush"},
        {208, "viGpibControlREN"}, {277, "viReadAsync"},    {278, "viWriteAsync"},
    };
    for (const auto& [ordinal, name] : exports) {
        FARPROC byOrdinal = GetProcAddress(visa, MAKEINTRESOURCEA(ordinal));
        EXPECT_TRUE(byOrdinal) << ordinal;
        EXPECT_EQ(byOrdinal, GetProcAddress(visa, name)) << name;
    }
    FreeLibrary(visa);
}

TEST_F(StandIn, ResourceManagerReportsVisa58AndClosingItClosesItsSessions) {
    ViVersion version = 0;
    ASSERT_EQ(viGetAttribute(rm.get(), VI_ATTR_RSRC_SPEC_VERSION, &version), VI_SUCCESS);
    EXPECT_EQ(version, 0x00500800u);

    ViSession rm2 = 0, vi = 0;
    ASSERT_EQ(viOpenDefaultRM(&rm2), VI_SUCCESS);
    ViUInt32 before = 0, after = 0;
    ZvOpenSessionCount(&before);
    ASSERT_EQ(viOpen(rm2, "GPIB0::4::INSTR", 0, 10000, &vi), VI_SUCCESS);
    ASSERT_EQ(viClose(rm2), VI_SUCCESS);
    ZvOpenSessionCount(&after);
    EXPECT_EQ(after + 1, before);
    EXPECT_EQ(viClose(vi), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(viOpen(rm2, "GPIB0::4::INSTR", 0, 10000, &vi), VI_ERROR_INV_OBJECT);
}

TEST_F(StandIn, OpenKnowsTheInterfaceAndRefusesBadOrAbsentResources) {
    struct Case { const char* name; ViUInt16 type; };
    for (const Case& c : {Case{"gpib0::5::instr", 1}, Case{"ASRL2", 4}, Case{"VXI0::2::INSTR", 2}}) {
        ViSession vi = 0;
        ASSERT_EQ(viOpen(rm.get(), c.name, 0, 10000, &vi), VI_SUCCESS) << c.name;
        ViUInt16 type = 0;
        ASSERT_EQ(viGetAttribute(vi, VI_ATTR_INTF_TYPE, &type), VI_SUCCESS);
        EXPECT_EQ(type, c.type) << c.name;
        EXPECT_EQ(viClose(vi), VI_SUCCESS);
        EXPECT_EQ(viClose(vi), VI_ERROR_INV_OBJECT);
    }
    ViSession vi = 123;
    EXPECT_EQ(viOpen(rm.get(), "DEV5", 0, 10000, &vi), VI_ERROR_INV_RSRC_NAME);
    EXPECT_EQ(vi, 0u);
    EXPECT_EQ(viOpen(rm.get(), nullptr, 0, 10000, &vi), VI_ERROR_INV_RSRC_NAME);
    ASSERT_EQ(ZvConfigure("[GPIB0::9]\nabsent = yes\n"), VI_SUCCESS);
    EXPECT_EQ(viOpen(rm.get(), "GPIB0::9::INSTR", 0, 10000, &vi), VI_ERROR_RSRC_NFOUND);
    EXPECT_EQ(viOpen(rm.get(), "GPIB0::8::INSTR", 0, 10000, &vi), VI_SUCCESS);
}

TEST_F(StandIn, EachResourceHasItsOwnConfiguredInstrumentThatAnswersTheIdentityQuery) {
    ASSERT_EQ(ZvConfigure("[GPIB0::5]\nmodel = ZEW4410\nserial = SN01\nversion = 1.05.02\n"), VI_SUCCESS);
    ViSession g5 = rm.OpenWithTermChar("GPIB0::5::INSTR");
    ViSession com1 = rm.OpenWithTermChar("ASRL1::INSTR");
    ASSERT_TRUE(g5 && com1);
    EXPECT_EQ(Query(g5, "*IDN?"), "ORVANTA ELECTRONICS CORP.,ZEW4410,SN01,1.05.02\n");
    EXPECT_EQ(Query(com1, "*IDN?").rfind("ORVANTA ELECTRONICS CORP.,ZEW4400,", 0), 0u);

    // State is kept per resource and survives closing the session.
    WriteText(com1, "BUZZERVOL 7\n");
    viClose(com1);
    com1 = rm.OpenWithTermChar("asrl1");
    EXPECT_EQ(Query(com1, "BUZZERVOL?"), "7\n");
    EXPECT_NE(Query(g5, "BUZZERVOL?"), "7\n");
}

TEST_F(StandIn, ReadsEndAtTheTermCharOrAtTheEndOfTheMessageAndTimeOutWhenNothingComes) {
    ViSession vi = 0;
    ASSERT_EQ(viOpen(rm.get(), "GPIB0::3", 0, 10000, &vi), VI_SUCCESS);
    ViStatus status;
    // Termination character not enabled: the GPIB END ends the read.
    WriteText(vi, "*IDN?\n");
    EXPECT_EQ(ReadText(vi, &status).back(), '\n');
    EXPECT_EQ(status, VI_SUCCESS);

    viSetAttribute(vi, VI_ATTR_TERMCHAR_EN, VI_TRUE);
    ZvFeed(vi, "ab\ncd\n", 6);
    EXPECT_EQ(ReadText(vi, &status), "ab\n");
    EXPECT_EQ(status, VI_SUCCESS_TERM_CHAR);
    EXPECT_EQ(ReadText(vi, &status), "cd\n");
    EXPECT_EQ(ReadText(vi, &status), "");
    EXPECT_EQ(status, VI_ERROR_TMO);

    // A reply later than the time-out is missed; an earlier one arrives.
    viSetAttribute(vi, VI_ATTR_TMO_VALUE, 50);
    ZvSetMaxWait(1000);
    ZvSetReplyDelay("GPIB0::3", 300);
    WriteText(vi, "CONTRAST?\n");
    ReadText(vi, &status);
    EXPECT_EQ(status, VI_ERROR_TMO);
    viSetAttribute(vi, VI_ATTR_TMO_VALUE, 2000);
    EXPECT_FALSE(ReadText(vi, &status).empty());
    EXPECT_EQ(status, VI_SUCCESS_TERM_CHAR);
}

TEST_F(StandIn, TheTraceAndTheWireLogShowEveryCallAndEveryByte) {
    ViSession vi = 0;
    ASSERT_EQ(viOpen(rm.get(), "GPIB0::6::INSTR", 0, 10000, &vi), VI_SUCCESS);
    viSetAttribute(vi, VI_ATTR_IO_PROT, 1);
    viSetAttribute(vi, VI_ATTR_ASRL_BAUD, 19200);
    WriteText(vi, "SILENT 1\n*IDN?\n");
    ReadText(vi);
    viClose(vi);
    EXPECT_EQ(Trace("gpib0::6"),
              "viOpen GPIB0::6::INSTR\n"
              "viSetAttribute 3FFF001C 1\n"
              "viSetAttribute 3FFF0021 19200 => BFFF001D\n"
              "viWrite SILENT 1\\n*IDN?\\n\n"
              "viRead\n"
              "viClose\n");
    EXPECT_EQ(WireLog("GPIB0::6::INSTR"), "SILENT 1\n*IDN?\n");
    ZvClearLogs(nullptr);
    EXPECT_EQ(Trace("GPIB0::6"), "");
}

TEST_F(StandIn, ArmedFaultsFailTheChosenCallOnlyAndHaveNoEffect) {
    ViSession vi = rm.OpenWithTermChar("GPIB0::2");
    ASSERT_TRUE(vi);
    ZvFailNext(ZV_OP_WRITE, 2, VI_ERROR_IO);   // the third write from now
    EXPECT_EQ(WriteText(vi, "CONTRAST 1\n"), VI_SUCCESS);
    EXPECT_EQ(WriteText(vi, "CONTRAST 2\n"), VI_SUCCESS);
    EXPECT_EQ(WriteText(vi, "CONTRAST 3\n"), VI_ERROR_IO);
    EXPECT_EQ(WriteText(vi, "CONTRAST?\n"), VI_SUCCESS);
    EXPECT_EQ(ReadText(vi), "2\n");
    EXPECT_EQ(WireLog("GPIB0::2"), "CONTRAST 1\nCONTRAST 2\nCONTRAST?\n");

    ZvFailNext(ZV_OP_READ, 0, VI_ERROR_TMO);
    WriteText(vi, "CONTRAST?\n");
    ViStatus status;
    ReadText(vi, &status);
    EXPECT_EQ(status, VI_ERROR_TMO);
    EXPECT_EQ(ReadText(vi), "2\n");   // the reply is still there

    ZvFailNext(ZV_OP_SET_ATTRIBUTE, 0, VI_ERROR_NSUP_ATTR_STATE);
    EXPECT_EQ(viSetAttribute(vi, VI_ATTR_TMO_VALUE, 10000), VI_ERROR_NSUP_ATTR_STATE);
    ViUInt32 tmo = 0;
    viGetAttribute(vi, VI_ATTR_TMO_VALUE, &tmo);
    EXPECT_EQ(tmo, 2000u);

    ZvFailNext(ZV_OP_CLOSE, 0, VI_ERROR_IO);
    EXPECT_EQ(viClose(vi), VI_ERROR_IO);
    EXPECT_EQ(viClose(vi), VI_SUCCESS);

    ZvFailNext(ZV_OP_OPEN, 0, VI_ERROR_RSRC_NFOUND);
    ViSession other = 0;
    EXPECT_EQ(viOpen(rm.get(), "GPIB0::2", 0, 10000, &other), VI_ERROR_RSRC_NFOUND);
    EXPECT_EQ(other, 0u);

    ZvFailNext(ZV_OP_OPEN_DEFAULT_RM, 0, VI_ERROR_SYSTEM_ERROR);
    ViSession rm2 = 1;
    EXPECT_EQ(viOpenDefaultRM(&rm2), VI_ERROR_SYSTEM_ERROR);
    EXPECT_EQ(rm2, 0u);
    EXPECT_EQ(ZvFailNext(ZvOperation(99), 0, VI_ERROR_IO), VI_ERROR_INV_PARAMETER);
}

TEST_F(StandIn, ScriptedRepliesReplaceTheInstrumentsAnswerOnce) {
    ViSession vi = rm.OpenWithTermChar("GPIB0::11");
    ASSERT_TRUE(vi);
    ZvQueueReply("GPIB0::11::INSTR", "MON?", "12,1500.5,0.0123,0.0155,0.0150,3.2\n");
    ZvQueueReply("GPIB0::11::INSTR", "MON?", "3,0,0,0,0,0\n");
    EXPECT_EQ(Query(vi, "MON?"), "12,1500.5,0.0123,0.0155,0.0150,3.2\n");
    EXPECT_EQ(Query(vi, "MON?"), "3,0,0,0,0,0\n");
    EXPECT_EQ(Query(vi, "MON?").rfind("0,", 0), 0u);   // the instrument again: idle
}

TEST_F(StandIn, SerialPollReadsTheInstrumentsStatusByte) {
    ViSession vi = rm.OpenWithTermChar("GPIB0::12");
    ASSERT_TRUE(vi);
    WriteText(vi, "NO SUCH COMMAND\n");   // sets the error register
    char stb[16] = {};
    ASSERT_GE(ZvInstrumentLine("GPIB0::12", "*STB?", stb, sizeof stb), VI_SUCCESS);
    ViUInt16 polled = 0xFFFF;
    ASSERT_EQ(viReadSTB(vi, &polled), VI_SUCCESS);
    EXPECT_EQ(polled, std::atoi(stb));
    EXPECT_NE(polled, 0);
    ZvFailNext(ZV_OP_READ_STB, 0, VI_ERROR_IO);
    EXPECT_EQ(viReadSTB(vi, &polled), VI_ERROR_IO);
}

TEST_F(StandIn, EmbeddedInstrumentsRunOnTheVirtualClock) {
    ZvUseVirtualClock(VI_TRUE);
    ViSession vi = rm.OpenWithTermChar("GPIB0::13");
    ASSERT_TRUE(vi);
    WriteText(vi, "TIMER 2.0,1\nSTART\n");
    ZvAdvanceClock(1.0);
    EXPECT_EQ(Query(vi, "MON?").rfind("8,", 0), 0u);
    ZvAdvanceClock(1.2);   // judged at 2 s; the verdict shows for the pass hold of 0.5 s
    const std::string done = Query(vi, "MON?");
    EXPECT_TRUE(done.rfind("1,", 0) == 0 || done.rfind("2,", 0) == 0) << done;
}

TEST_F(StandIn, AMalformedConfigurationIsReportedAndTheRestApplies) {
    EXPECT_EQ(ZvConfigure("[GPIB0::1]\nmodel = ZEW4410\nnonsense\n[visa]\nspec_version = 0x00100000\n"),
              VI_ERROR_INV_SETUP);
    ViSession vi = rm.OpenWithTermChar("GPIB0::1");
    ASSERT_TRUE(vi);
    EXPECT_NE(Query(vi, "*IDN?").find("ZEW4410"), std::string::npos);
    ViSession rm2 = 0;
    viOpenDefaultRM(&rm2);
    ViVersion version = 0;
    viGetAttribute(rm2, VI_ATTR_RSRC_SPEC_VERSION, &version);
    EXPECT_EQ(version, 0x00100000u);
    viClose(rm2);
}
