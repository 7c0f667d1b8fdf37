// Connect, Disconnect and the identity check, observed on the stand-in VISA
// library's call trace and wire log.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "DriverFixture.h"

namespace zewtest {
namespace {

using ConnectTest = DriverTest;

// The names' mapping is the parser's (ParserTest) and each interface's open
// is below; here, a refused open as the client sees it.
TEST_F(ConnectTest, ARefusedOpenNamesTheResourceAndKeepsItsStatus) {
    ZvFailNext(ZV_OP_OPEN, 0, VI_ERROR_RSRC_NFOUND);
    EXPECT_EQ(Connect(driver.get(), L"Com2"), kOpenFailed);
    EXPECT_EQ(ErrorDescription(), L"Unable to open instrument in device ASRL2.");
    EXPECT_EQ(VisaStatus(), VI_ERROR_RSRC_NFOUND);
    EXPECT_EQ(Handle(), 0);
    EXPECT_EQ(Connect(driver.get(), L"Com2"), S_OK);
}

// A serial link is set up and silenced before the identity query, GPIB gets
// its own settings, other interfaces keep the library's defaults; all get the
// line feed as their end of reply.
TEST_F(ConnectTest, EachInterfaceIsSetUpBeforeTheIdentityQuery) {
    const struct { const wchar_t* device; const char* resource; const char* setUp; } cases[] = {
        {L"COM1", "ASRL1",
         "viSetAttribute 3FFF0025 1\nviSetAttribute 3FFF0024 20\nviSetAttribute 3FFF0023 0\n"
         "viSetAttribute 3FFF0022 8\nviSetAttribute 3FFF001A 10000\nviSetAttribute 3FFF0021 19200\n"
         "viSetAttribute 3FFF0018 10\nviSetAttribute 3FFF0038 1\nviWrite SILENT 1\\n\n"},
        {L"dev1", "GPIB0::1",
         "viSetAttribute 3FFF001C 1\nviSetAttribute 3FFF001A 10000\nviSetAttribute 3FFF001B 1\n"
         "viSetAttribute 3FFF0018 10\nviSetAttribute 3FFF0038 1\n"},
        {L"vxi0::2::instr", "VXI0::2", "viSetAttribute 3FFF0018 10\nviSetAttribute 3FFF0038 1\n"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Connect(driver.get(), c.device), S_OK) << c.resource;
        EXPECT_EQ(Trace(c.resource), "viOpen " + std::string(c.resource) + "::INSTR\nviGetAttribute 3FFF0171\n" +
                                         c.setUp + "viWrite *IDN?\\n\nviRead\n");
    }
    EXPECT_EQ(WireLog("ASRL1"), "SILENT 1\n*IDN?\n");
}

TEST_F(ConnectTest, GpibReaddressingNeedsVisa20) {
    // The version is read when the first driver object opens the resource manager.
    const struct { ViVersion version; bool readdress; } cases[] = {{0x00100800, false}, {0x00200000, true}};
    for (const auto& c : cases) {
        driver.reset();
        ZvClearLogs(nullptr);
        ZvSetSpecVersion(c.version);
        driver = CreateDriver();
        ASSERT_EQ(Connect(driver.get(), L"dev4"), S_OK);
        EXPECT_EQ(Trace("GPIB0::4").find("viSetAttribute 3FFF001B 1") != std::string::npos, c.readdress)
            << std::hex << c.version;
    }
}

// The identity's grammar is the parser's (ParserTest); here, what the driver
// keeps of an accepted one (a model of the family without limits of its own
// too) and how it refuses the rest.
TEST_F(ConnectTest, IdentityResponses) {
    const struct {
        std::string reply;
        bool accepted;
        const wchar_t* model;
        short version;
    } cases[] = {
        {"ORVANTA ELECTRONICS CORP.,ZEW4410,SN01,1.05.02\n", true, L"ZEW4410", 0x0105},
        {"ORVANTA ELECTRONICS CORP.,ZEW4499,0,1.00.00\n", true, L"ZEW4499", 0x0100},
        {"ACME INSTRUMENTS INC.,ZEW4400,0,1.00.00\n", false, nullptr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        driver = CreateDriver();
        ZvQueueReply("GPIB0::1", "*IDN?", c.reply.c_str());
        const HRESULT hr = Connect(driver.get(), L"dev1");
        Bstr model;
        short version = 0;
        driver->get_LegalModelName(model.put());
        driver->get_Version(&version);
        if (c.accepted) {
            EXPECT_EQ(hr, S_OK);
            EXPECT_EQ(model.view(), c.model);
            EXPECT_EQ(version, c.version);
        } else {
            EXPECT_EQ(hr, kDifferentModel);
            EXPECT_EQ(ErrorDescription(), L"Different model access in device GPIB0::1.");
            EXPECT_TRUE(model.null());
            EXPECT_EQ(version, -1);
            EXPECT_EQ(Handle(), 0);
            EXPECT_EQ(VisaStatus(), 0);
            EXPECT_NE(Trace("GPIB0::1").find("viClose"), std::string::npos);
        }
        ZvClearLogs(nullptr);
    }
}

// A line that is no identity (the late reply to a client that went away while
// it waited) is read past, waiting before "*IDN?" went out or arriving after
// it; an identity of another maker is still refused at once, and stale lines
// alone end at the time-out.
TEST_F(ConnectTest, LinesThatAreNoIdentityAreReadPast) {
    // On a serial link the answer to "SILENT 1" stands for a line waiting.
    ZvQueueReply("ASRL1", "SILENT 1", "0.0000\n");
    ZvQueueReply("ASRL1", "RDATA?", "0.0700\n");
    ASSERT_EQ(Connect(driver.get(), L"COM1"), S_OK);
    double resistance = -1;
    EXPECT_EQ(driver->get_MonResistance(&resistance), S_OK);
    EXPECT_EQ(resistance, 0.07);
    EXPECT_EQ(WireLog("ASRL1"), "SILENT 1\n*IDN?\nRDATA?\n");

    const struct {
        const char* replies;
        HRESULT hr;
        const wchar_t* model;
        size_t reads;
    } cases[] = {
        {"12,1500.5,0.0123,0.0155,0.0150,3.2\nORVANTA ELECTRONICS CORP.,ZEW4410,SN01,1.05.02\n", S_OK, L"ZEW4410", 2},
        {"0.0000\nNAME1   \r\nACME INSTRUMENTS INC.,ZEW4400,0,1.00.00\n", kDifferentModel, nullptr, 3},
        {"0.0000\n", kReadFailed, nullptr, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.replies);
        driver = CreateDriver();
        ZvClearLogs(nullptr);
        ZvQueueReply("GPIB0::1", "*IDN?", c.replies);
        EXPECT_EQ(Connect(driver.get(), L"dev1"), c.hr);
        Bstr model;
        driver->get_LegalModelName(model.put());
        EXPECT_EQ(std::wstring(model.view()), std::wstring(c.model ? c.model : L""));
        EXPECT_EQ(Occurrences(Trace("GPIB0::1"), "viRead"), c.reads);
    }
}

// A session whose set-up fails is closed again: the error and the failing
// status stay for the client, and the object is disconnected.
TEST_F(ConnectTest, FailuresAfterTheOpenCloseTheSession) {
    const struct {
        ZvOperation op;
        ViUInt32 skip;
        ViStatus status;
        const wchar_t* device;
        const char* resource;
        HRESULT hr;
        const wchar_t* text;
    } cases[] = {
        {ZV_OP_SET_ATTRIBUTE, 0, VI_ERROR_NSUP_ATTR_STATE, L"COM3", "ASRL3", kGpibUnknownError,
         L"GPIB unknown error in device %s."},
        {ZV_OP_SET_ATTRIBUTE, 5, VI_ERROR_NSUP_ATTR_STATE, L"COM3", "ASRL3", kGpibUnknownError,
         L"GPIB unknown error in device %s."},
        {ZV_OP_WRITE, 0, VI_ERROR_IO, L"dev6", "GPIB0::6", kWriteFailed, L"Error writing to instrument in device %s."},
        {ZV_OP_READ, 0, VI_ERROR_TMO, L"dev6", "GPIB0::6", kReadFailed, L"Error reading from instrument in device %s."},
    };
    for (const auto& c : cases) {
        for (const bool closeFails : {false, true}) {
            ViUInt32 before = 0;
            ZvOpenSessionCount(&before);
            SCOPED_TRACE(testing::Message() << c.resource << " " << c.op << "/" << c.skip << (closeFails ? " close fails" : ""));
            ZvClearLogs(nullptr);
            ZvFailNext(c.op, c.skip, c.status);
            if (closeFails) ZvFailNext(ZV_OP_CLOSE, 0, VI_ERROR_SYSTEM_ERROR);
            EXPECT_EQ(Connect(driver.get(), c.device), c.hr);
            const std::wstring resource(c.resource, c.resource + strlen(c.resource));
            EXPECT_EQ(ErrorDescription(), Message(c.text, resource.c_str()));
            EXPECT_EQ(VisaStatus(), c.status);
            EXPECT_EQ(Handle(), 0);
            const std::string trace = Trace(c.resource);
            EXPECT_EQ(trace.substr(trace.rfind('\n', trace.size() - 2) + 1),
                      closeFails ? "viClose => BFFF0000\n" : "viClose\n");
            // A session whose close failed is the library's to keep; the driver forgets it.
            ViUInt32 open = 0;
            ZvOpenSessionCount(&open);
            EXPECT_EQ(open, before + (closeFails ? 1 : 0));
        }
    }
    ASSERT_EQ(Connect(driver.get(), L"COM3"), S_OK);
    EXPECT_NE(Handle(), 0);
}

TEST_F(ConnectTest, ConnectOnAnOpenSessionClosesItAndOpensTheNewDevice) {
    ASSERT_EQ(Connect(driver.get(), L"dev1"), S_OK);
    const LONG first = Handle();
    ViUInt32 open = 0;
    ZvOpenSessionCount(&open);
    ASSERT_EQ(Connect(driver.get(), L"dev2"), S_OK);
    EXPECT_NE(Handle(), first);
    EXPECT_NE(Trace("GPIB0::1").find("viClose"), std::string::npos) << "the replaced session is closed";
    for (int i = 0; i < 20; ++i) ASSERT_EQ(Connect(driver.get(), L"dev2"), S_OK);
    ViUInt32 after = 0;
    ZvOpenSessionCount(&after);
    EXPECT_EQ(after, open) << "reconnecting leaves no session behind";
    // A timed-out read names the new resource, keeps its status and the session.
    Bstr reply;
    EXPECT_EQ(driver->GetString(reply.put()), kReadFailed);
    EXPECT_EQ(ErrorDescription(), L"Error reading from instrument in device GPIB0::2.");
    EXPECT_EQ(VisaStatus(), VI_ERROR_TMO);
    EXPECT_NE(Handle(), 0);
}

TEST_F(ConnectTest, DisconnectClosesAndKeepsTheIdentity) {
    ASSERT_EQ(Connect(driver.get(), L"dev1"), S_OK);
    EXPECT_EQ(driver->Disconnect(), S_OK);
    EXPECT_EQ(Handle(), 0);
    EXPECT_EQ(driver->Disconnect(), S_OK);
    EXPECT_EQ(Trace("GPIB0::1").find("viClose"), Trace("GPIB0::1").rfind("viClose"));
    Bstr model;
    driver->get_LegalModelName(model.put());
    EXPECT_EQ(model.view(), L"ZEW4400");
}

TEST_F(ConnectTest, DisconnectWhoseCloseFailsReportsFalseAndKeepsTheHandle) {
    ASSERT_EQ(Connect(driver.get(), L"dev1"), S_OK);
    const LONG handle = Handle();
    SetErrorInfo(0, nullptr);
    ZvFailNext(ZV_OP_CLOSE, 0, VI_ERROR_SYSTEM_ERROR);
    EXPECT_EQ(driver->Disconnect(), S_FALSE);
    EXPECT_EQ(Handle(), handle);
    EXPECT_EQ(ErrorDescription(), L"");
}

// A simulated tester is served inside the driver: the VISA library present
// sees nothing of it, and real names still go to the library.
TEST_F(ConnectTest, SimulatedNamesNeverReachTheVisaLibrary) {
    ViUInt32 before = 0, during = 0;
    ZvOpenSessionCount(&before);
    ZvFailNext(ZV_OP_OPEN, 0, VI_ERROR_RSRC_NFOUND);
    ASSERT_EQ(Connect(driver.get(), L"SIM;DELAY=0"), S_OK);
    ZvOpenSessionCount(&during);
    EXPECT_EQ(during, before);
    EXPECT_NE(Handle(), 0);
    LONG rm = 0;
    driver->get_hVisaRM(&rm);
    EXPECT_NE(rm, 0) << "the library's resource manager, not the simulation's";

    // The failure armed for the library's next open is still waiting for it.
    EXPECT_EQ(Connect(driver.get(), L"dev1"), kOpenFailed);
    ASSERT_EQ(Connect(driver.get(), L"dev1"), S_OK);
    EXPECT_NE(Trace("GPIB0::1").find("viOpen"), std::string::npos);
}

}  // namespace
}  // namespace zewtest
