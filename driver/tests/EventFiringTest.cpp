// Calling out to the sinks of a connection point: property-change
// notification and dispatch events, in list order, past failing sinks and
// sinks that disconnect during the call.
#include <gtest/gtest.h>

#include "EventTestObjects.h"
#include "com/EventFiring.h"

namespace zewtest {
namespace {

using zew::com::ConnectionPoint;
using zew::com::FireDispatchEvent;
using zew::com::NotifyPropertyChanged;

class EventFiringTest : public ::testing::Test {
protected:
    void SetUp() override { identity_ = TestObject::Create(&destroyed_, &object_); }
    void TearDown() override {
        identity_.reset();
        EXPECT_TRUE(destroyed_);
        for (const auto& sink : sinks_) EXPECT_EQ(sink->Refs(), 1u);
    }

    ConnectionPoint& Events() { return object_->points.Point<0>(); }
    ConnectionPoint& Changes() { return object_->points.Point<1>(); }

    // A new sink, numbered in order of creation, connected to point.
    TestSink& Connect(ConnectionPoint& point, DWORD* cookie = nullptr) {
        sinks_.push_back(ComPtr<TestSink>::Attach(new TestSink(static_cast<int>(sinks_.size()), &log_)));
        DWORD ignored = 0;
        EXPECT_EQ(point.Advise(static_cast<IPropertyNotifySink*>(sinks_.back().get()), cookie ? cookie : &ignored), S_OK);
        return *sinks_.back().get();
    }
    // The numbers of the sinks called, in order, each with the id it saw.
    std::vector<std::pair<int, DISPID>> Log() const {
        std::vector<std::pair<int, DISPID>> calls;
        for (const SinkCall& call : log_) calls.emplace_back(call.sink, call.id);
        return calls;
    }
    HRESULT Fire(DISPID id) {
        DISPPARAMS none{};
        return FireDispatchEvent(Events(), id, none);
    }

    bool destroyed_ = false;
    std::vector<SinkCall> log_;
    std::vector<ComPtr<TestSink>> sinks_;
    TestObject* object_ = nullptr;
    ComPtr<IUnknown> identity_;
};

using CallList = std::vector<std::pair<int, DISPID>>;

TEST_F(EventFiringTest, PropertyChangesReachEverySinkInOrderPastFailures) {
    Connect(Changes());
    Connect(Changes()).result = E_FAIL;
    Connect(Changes());
    Connect(Events());
    EXPECT_EQ(NotifyPropertyChanged(Changes(), 47), S_OK);
    EXPECT_EQ(Log(), (CallList{{0, 47}, {1, 47}, {2, 47}}));

    // The wrong point is refused rather than called through the wrong interface.
    log_.clear();
    EXPECT_EQ(NotifyPropertyChanged(Events(), 47), E_INVALIDARG);
    DISPPARAMS none{};
    EXPECT_EQ(FireDispatchEvent(Changes(), 1, none), E_INVALIDARG);
    EXPECT_TRUE(log_.empty());
}

TEST_F(EventFiringTest, DispatchEventsReachEverySinkWithTheStandardCall) {
    Connect(Events());
    Connect(Events()).result = DISP_E_MEMBERNOTFOUND;
    Connect(Events());
    VARIANT args[2];
    args[0].vt = VT_R8;
    args[0].dblVal = 3.2;
    args[1].vt = VT_I2;
    args[1].iVal = 12;
    DISPPARAMS params{args, nullptr, 2, 0};
    EXPECT_EQ(FireDispatchEvent(Events(), 1, params), S_OK);

    EXPECT_EQ(Log(), (CallList{{0, 1}, {1, 1}, {2, 1}}));
    for (const auto& sink : sinks_) {
        EXPECT_TRUE(sink->sawStandardInvoke);
        EXPECT_EQ(sink->seenParams.rgvarg, args);
        EXPECT_EQ(sink->seenParams.cArgs, 2u);
        EXPECT_EQ(sink->seenParams.cNamedArgs, 0u);
        // The connection's reference and one more for the call.
        EXPECT_EQ(sink->refsInCall, 3u);
    }
}

TEST_F(EventFiringTest, SinksMayConnectAndDisconnectDuringTheWalk) {
    DWORD first = 0, second = 0;
    TestSink& leaving = Connect(Events(), &first);
    Connect(Events(), &second);
    Connect(Events());
    // The first sink drops its own connection and the second's, and connects
    // a newcomer that hears only later events.
    ULONG refsAfterLeaving = 0;
    leaving.action = [&] {
        Events().Unadvise(first);
        Events().Unadvise(second);
        refsAfterLeaving = leaving.Refs();
        Connect(Events());
    };
    EXPECT_EQ(Fire(1), S_OK);
    EXPECT_EQ(Log(), (CallList{{0, 1}, {2, 1}}));
    // The test's reference and the walk's: the sink outlives its connection.
    EXPECT_EQ(refsAfterLeaving, 2u);

    log_.clear();
    EXPECT_EQ(Fire(2), S_OK);
    EXPECT_EQ(Log(), (CallList{{2, 2}, {3, 2}}));
}

}  // namespace
}  // namespace zewtest
