// A link that lost step with the instrument (a time-out, a failed read or
// write): the reply that comes late belongs to no later query, whichever
// object asks next, and a link in step costs nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "DriverFixture.h"

namespace zewtest {
namespace {

constexpr ViUInt32 kLateMs = 300;   // past the fixture's 100 ms cap on a time-out

class OutOfStepTest : public ConnectedDriverTest {
protected:
    void TearDown() override { ZvSetReplyDelay("GPIB0::1", 0); }
    // Replies come kLateMs after their query from now on.
    static void FreezeTester() { ZvSetReplyDelay("GPIB0::1", kLateMs); }
    // Replies come at once again, and those still owed have arrived.
    static void ThawTester() {
        ZvSetReplyDelay("GPIB0::1", 0);
        Sleep(kLateMs + 100);
    }
    double Reading(HRESULT (STDMETHODCALLTYPE IZew4400::*get)(double*)) {
        double value = -1;
        EXPECT_EQ((driver.get()->*get)(&value), S_OK);
        return value;
    }
    short Stb() {
        short value = -1;
        EXPECT_EQ(RegisterOf(driver.get())->get_Stb(&value), S_OK);
        return value;
    }
};

// Each way out of step, then queries from the driver object and from a
// child, the child first or last: every one reads its own reply.
TEST_F(OutOfStepTest, AfterAFailureEveryQueryReadsItsOwnReply) {
    const struct {
        const char* what;
        std::function<void(IZew4400*)> lose;
    } cases[] = {
        {"a time-out, then the late reply",
         [](IZew4400* driver) {
             FreezeTester();
             double v = 0;
             EXPECT_EQ(driver->get_MonVoltage(&v), kReadFailed);
             ThawTester();
         }},
        {"a failed read, the reply left waiting",
         [](IZew4400* driver) {
             ZvFailNext(ZV_OP_READ, 0, VI_ERROR_IO);
             double v = 0;
             EXPECT_EQ(driver->get_MonVoltage(&v), kReadFailed);
         }},
        {"a failed write",
         [](IZew4400* driver) {
             ZvFailNext(ZV_OP_WRITE, 0, VI_ERROR_IO);
             double v = 0;
             EXPECT_EQ(driver->get_MonVoltage(&v), kWriteFailed);
         }},
        {"two time-outs in a row, the second the resync's own",
         [](IZew4400* driver) {
             FreezeTester();
             double v = 0;
             EXPECT_EQ(driver->get_MonVoltage(&v), kReadFailed);
             EXPECT_EQ(driver->get_MonVoltage(&v), kReadFailed);
             ThawTester();
         }},
        {"a client's timed-out *IDN?",
         [](IZew4400* driver) {
             FreezeTester();
             Bstr query(L"*IDN?"), reply;
             EXPECT_EQ(driver->SetString(query.get()), S_OK);
             EXPECT_EQ(driver->GetString(reply.put()), kReadFailed);
             ThawTester();
         }},
        {"a child's time-out",
         [](IZew4400* driver) {
             FreezeTester();
             short v = 0;
             EXPECT_EQ(RegisterOf(driver)->get_Err(&v), kReadFailed);
             ThawTester();
         }},
    };
    for (const auto& c : cases) {
        for (const bool childFirst : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.what << (childFirst ? ", a child asks first" : ""));
            Reconnect();
            ZvQueueReply("GPIB0::1", "VDATA?", "999.0\n");
            ZvQueueReply("GPIB0::1", "ERR?", "77\n");
            ZvQueueReply("GPIB0::1", "RDATA?", "0.0700\n");
            ZvQueueReply("GPIB0::1", "*STB?", "37\n");
            ZvQueueReply("GPIB0::1", "IDATA?", "12.5\n");
            c.lose(driver.get());
            ZvClearLogs(nullptr);
            if (childFirst) {
                EXPECT_EQ(Stb(), 37);
            }
            EXPECT_EQ(Reading(&IZew4400::get_MonResistance), 0.07);
            if (!childFirst) {
                EXPECT_EQ(Stb(), 37);
            }
            EXPECT_EQ(Reading(&IZew4400::get_MonCurrent), 12.5);
            // One resync, before the first query; none once in step.
            EXPECT_EQ(WireLog("GPIB0::1"),
                      childFirst ? "*IDN?\n*STB?\nRDATA?\nIDATA?\n" : "*IDN?\nRDATA?\n*STB?\nIDATA?\n");
        }
    }
}

// A client may read its own late reply after its time-out: reading never
// writes. The queries after it are still brought in step.
TEST_F(OutOfStepTest, GetStringAgainReadsTheLateReplyOfTheClientsOwnQuery) {
    ZvQueueReply("GPIB0::1", "RDATA?", "0.0500\n");
    ZvQueueReply("GPIB0::1", "IDATA?", "12.5\n");
    FreezeTester();
    Bstr query(L"RDATA?"), reply;
    ASSERT_EQ(driver->SetString(query.get()), S_OK);
    EXPECT_EQ(driver->GetString(reply.put()), kReadFailed);
    ThawTester();
    EXPECT_EQ(driver->GetString(reply.put()), S_OK);
    EXPECT_EQ(reply.view(), L"0.0500\n");
    EXPECT_EQ(WireLog("GPIB0::1"), "RDATA?\n");
    EXPECT_EQ(Reading(&IZew4400::get_MonCurrent), 12.5);
}

// A call that expects no reply is never held back, and a resync that finds
// the tester still frozen fails the call with today's number within one
// time-out, leaving the link out of step for the next call.
TEST_F(OutOfStepTest, CommandsGoOutAtOnceAndAFailedResyncFailsLikeItsQuery) {
    ZvQueueReply("GPIB0::1", "RDATA?", "0.0700\n");
    FreezeTester();
    double v = 0;
    EXPECT_EQ(driver->get_MonVoltage(&v), kReadFailed);
    ZvClearLogs(nullptr);
    EXPECT_EQ(driver->Stop(), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"), "STOP\n");
    EXPECT_EQ(driver->get_MonResistance(&v), kReadFailed);
    EXPECT_EQ(ErrorDescription(), L"Error reading from instrument in device GPIB0::1.");
    EXPECT_EQ(VisaStatus(), static_cast<LONG>(VI_ERROR_TMO));
    EXPECT_EQ(WireLog("GPIB0::1"), "STOP\n*IDN?\n");   // the query itself never went out
    EXPECT_TRUE(InstrumentLockIsFree());
    ThawTester();
    EXPECT_EQ(Reading(&IZew4400::get_MonResistance), 0.07);
    // The session's own time-out is back once the call is over.
    const std::string trace = Trace("GPIB0::1");
    const size_t last = trace.rfind("viSetAttribute 3FFF001A");
    ASSERT_NE(last, std::string::npos);
    EXPECT_EQ(trace.substr(last), "viSetAttribute 3FFF001A 10000\n");
}

}  // namespace
}  // namespace zewtest
