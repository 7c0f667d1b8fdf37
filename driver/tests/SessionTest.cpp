// CVisaSession on its own: number formats, queries, the lock calls and
// the state of a session that is not open.
#include <gtest/gtest.h>

#include "VisaTestSupport.h"
#include "session/CResourceManager.h"
#include "session/CVisaException.h"
#include "session/CVisaSession.h"
#include "session/Messages.h"

namespace zewtest {
namespace {

using zew::session::CResourceManager;
using zew::session::CVisaException;
using zew::session::CVisaSession;

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ZvReset();
        ZvSetMaxWait(100);
        CResourceManager::AddDriverObject();
        ASSERT_TRUE(session.CreateLock());
    }
    void TearDown() override { CResourceManager::RemoveDriverObject(); }
    void OpenWithLineFeed(const char* resource) {
        session.Open(resource, 0, 10000);
        session.SetTermChar('\n');
        ZvClearLogs(nullptr);
    }
    CVisaSession session;
};

TEST_F(SessionTest, OperationsWithoutAnOpenSessionRaiseNotInitialized) {
    const auto expectNotInitialized = [&](auto operation) {
        try {
            operation();
            ADD_FAILURE() << "no exception";
        } catch (const CVisaException& e) {
            EXPECT_EQ(e.status, VI_ERROR_INV_OBJECT);
            EXPECT_EQ(e.messageId, static_cast<UINT>(MSG_NOT_INITIALIZED));
            EXPECT_EQ(e.session, &session);
        }
    };
    expectNotInitialized([&] { session.WriteCommand(L"*RST"); });
    expectNotInitialized([&] { (void)session.ReadResponse(); });
    expectNotInitialized([&] { (void)session.QueryInt(L"X"); });
    expectNotInitialized([&] { session.SetTermChar('\n'); });
    EXPECT_EQ(session.GetLastStatus(), 0);
    EXPECT_EQ(session.GetTermChar(), 0);
    EXPECT_EQ(*session.GetResourceName(), "???");
    EXPECT_FALSE(session.Lock());
}

TEST_F(SessionTest, NumbersAreWrittenInFixedNotation) {
    OpenWithLineFeed("GPIB0::9");
    session.SetReal(L"XYZ", 25, 1, L"");
    session.SetReal(L"XYZ", 0.5, 3, L"");
    session.SetReal(L"XYZ ", -1.25, 2, L"V");
    session.SetInt(L"FREQUENCY", 60);
    EXPECT_EQ(WireLog("GPIB0::9"), "XYZ 25.0\nXYZ 0.500\nXYZ  -1.25V\nFREQUENCY 60\n");
}

TEST_F(SessionTest, QueriesParseTheirReplies) {
    OpenWithLineFeed("GPIB0::9");
    ZvQueueReply("GPIB0::9", "A?", "+12abc\n");   // the numbers' grammar is ParserTest's
    ZvQueueReply("GPIB0::9", "C?", "1.5E-3\n");
    EXPECT_EQ(session.QueryInt(L"A"), 12);
    EXPECT_DOUBLE_EQ(session.QueryReal(L"C"), 0.0015);
    EXPECT_EQ(WireLog("GPIB0::9"), "A?\nC?\n");
}

TEST_F(SessionTest, UnlockWithoutLockIsHarmless) {
    EXPECT_FALSE(session.Unlock());
    OpenWithLineFeed("GPIB0::9");
    EXPECT_TRUE(session.Lock());
    EXPECT_TRUE(session.Unlock());
    EXPECT_FALSE(session.Unlock());
}

TEST_F(SessionTest, DetachForgetsTheSessionButNotItsName) {
    OpenWithLineFeed("GPIB0::9");
    EXPECT_NE(session.GetSession(), 0u);
    session.Detach(true);
    EXPECT_EQ(session.GetSession(), 0u);
    EXPECT_EQ(*session.GetResourceName(), "GPIB0::9");
    EXPECT_EQ(Trace("GPIB0::9"), "viClose\n");
}

}  // namespace
}  // namespace zewtest
