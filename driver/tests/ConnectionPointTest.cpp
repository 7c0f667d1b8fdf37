// Connection points and their container: connecting and disconnecting sinks,
// cookies, enumerators, and the lifetime they share with their object.
#include <gtest/gtest.h>

#include "EventTestObjects.h"
#include "com/Module.h"

namespace zewtest {
namespace {

class ConnectionPointTest : public ::testing::Test {
protected:
    void SetUp() override {
        locks_ = zew::com::ModuleLockCount();
        object_ = TestObject::Create(&destroyed_);
        ASSERT_EQ(object_->QueryInterface(IID_IConnectionPointContainer, container_.put_void()), S_OK);
        ASSERT_EQ(container_->FindConnectionPoint(kEventIid, events_.put()), S_OK);
    }
    void TearDown() override {
        events_.reset();
        container_.reset();
        object_.reset();
        EXPECT_TRUE(destroyed_);
        EXPECT_EQ(zew::com::ModuleLockCount(), locks_);
        // Sinks still connected at the object's end are released with it.
        for (const auto& sink : sinks_) EXPECT_EQ(sink->Refs(), 1u);
    }

    // Sink i of sinks_, connected to the event point; its cookie.
    DWORD Connect(int i) {
        DWORD cookie = 0;
        EXPECT_EQ(events_->Advise(static_cast<IPropertyNotifySink*>(sinks_[i].get()), &cookie), S_OK);
        return cookie;
    }
    std::vector<DWORD> Cookies(IEnumConnections* connections, ULONG count, HRESULT expected) {
        std::vector<CONNECTDATA> data(count);
        ULONG fetched = 0;
        EXPECT_EQ(connections->Next(count, data.data(), &fetched), expected);
        std::vector<DWORD> cookies;
        for (ULONG i = 0; i < fetched; ++i) {
            cookies.push_back(data[i].dwCookie);
            data[i].pUnk->Release();
        }
        return cookies;
    }

    LONG locks_ = 0;
    bool destroyed_ = false;
    std::vector<SinkCall> log_;
    std::vector<ComPtr<TestSink>> sinks_{ComPtr<TestSink>::Attach(new TestSink(0, &log_)),
                                         ComPtr<TestSink>::Attach(new TestSink(1, &log_)),
                                         ComPtr<TestSink>::Attach(new TestSink(2, &log_))};
    ComPtr<IUnknown> object_;
    ComPtr<IConnectionPointContainer> container_;
    ComPtr<IConnectionPoint> events_;
};

TEST_F(ConnectionPointTest, CookiesStayWithTheirSinkUntilDisconnected) {
    const DWORD first = Connect(0), second = Connect(1), third = Connect(2);
    EXPECT_NE(first, 0u);
    EXPECT_TRUE(first != second && second != third && first != third);
    EXPECT_EQ(sinks_[1]->Refs(), 2u);

    EXPECT_EQ(events_->Unadvise(second), S_OK);
    EXPECT_EQ(sinks_[1]->Refs(), 1u);
    EXPECT_EQ(events_->Unadvise(second), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(events_->Unadvise(0), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(events_->Unadvise(third + 100), CONNECT_E_NOCONNECTION);
    const DWORD again = Connect(1);
    EXPECT_TRUE(again != first && again != third);

    ComPtr<IEnumConnections> connections;
    ASSERT_EQ(events_->EnumConnections(connections.put()), S_OK);
    EXPECT_EQ(Cookies(connections.get(), 4, S_FALSE), (std::vector<DWORD>{first, third, again}));
    EXPECT_EQ(events_->Unadvise(third), S_OK);
}

TEST_F(ConnectionPointTest, RefusesNullsAndSinksWithoutTheInterface) {
    DWORD cookie = 7;
    EXPECT_EQ(events_->Advise(nullptr, &cookie), E_POINTER);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(container_->FindConnectionPoint(kEventIid, nullptr), E_POINTER);

    auto noEvents = ComPtr<TestSink>::Attach(new TestSink(9, &log_, false));
    cookie = 7;
    EXPECT_EQ(events_->Advise(static_cast<IPropertyNotifySink*>(noEvents.get()), &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(noEvents->Refs(), 1u);
}

TEST_F(ConnectionPointTest, ConnectionEnumeratorWalksASnapshot) {
    const DWORD first = Connect(0), second = Connect(1), third = Connect(2);
    ComPtr<IEnumConnections> connections;
    ASSERT_EQ(events_->EnumConnections(connections.put()), S_OK);
    events_->Unadvise(second);  // the snapshot keeps it

    EXPECT_EQ(Cookies(connections.get(), 1, S_OK), std::vector<DWORD>{first});
    ComPtr<IEnumConnections> clone;
    ASSERT_EQ(connections->Clone(clone.put()), S_OK);
    EXPECT_EQ(Cookies(connections.get(), 3, S_FALSE), (std::vector<DWORD>{second, third}));
    EXPECT_EQ(Cookies(clone.get(), 1, S_OK), std::vector<DWORD>{second});
    CONNECTDATA data{};
    EXPECT_EQ(clone->Next(2, &data, nullptr), E_POINTER);
    EXPECT_EQ(clone->Skip(1), S_OK);
    EXPECT_EQ(clone->Skip(1), S_FALSE);
    EXPECT_EQ(clone->Reset(), S_OK);
    ASSERT_EQ(clone->Next(1, &data, nullptr), S_OK);
    EXPECT_EQ(data.dwCookie, first);
    EXPECT_EQ(data.pUnk, static_cast<IUnknown*>(static_cast<IDispatch*>(sinks_[0].get())));
    data.pUnk->Release();
}

TEST_F(ConnectionPointTest, ContainerFindsAndEnumeratesItsPoints) {
    ComPtr<IConnectionPoint> notify;
    ASSERT_EQ(container_->FindConnectionPoint(IID_IPropertyNotifySink, notify.put()), S_OK);
    IConnectionPoint* missing = notify.get();
    EXPECT_EQ(container_->FindConnectionPoint(IID_IDispatch, &missing), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(missing, nullptr);
    IID iid{};
    EXPECT_EQ(notify->GetConnectionInterface(&iid), S_OK);
    EXPECT_EQ(iid, IID_IPropertyNotifySink);

    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container_->EnumConnectionPoints(points.put()), S_OK);
    IConnectionPoint* found[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(points->Next(3, found, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(found[0], events_.get());
    EXPECT_EQ(found[1], notify.get());
    found[0]->Release();
    found[1]->Release();

    // A point is an object of its own whose container is the object's.
    ComPtr<IUnknown> pointIdentity, containerIdentity;
    events_->QueryInterface(IID_IUnknown, pointIdentity.put_void());
    EXPECT_EQ(pointIdentity.get(), static_cast<IUnknown*>(events_.get()));
    ComPtr<IConnectionPointContainer> owner;
    ASSERT_EQ(events_->GetConnectionPointContainer(owner.put()), S_OK);
    owner->QueryInterface(IID_IUnknown, containerIdentity.put_void());
    EXPECT_EQ(containerIdentity.get(), object_.get());
}

TEST_F(ConnectionPointTest, PointsAndTheirEnumeratorKeepTheObjectAlive) {
    Connect(0);
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container_->EnumConnectionPoints(points.put()), S_OK);
    container_.reset();
    object_.reset();
    EXPECT_FALSE(destroyed_);
    events_.reset();
    EXPECT_FALSE(destroyed_);
    points.reset();
    EXPECT_TRUE(destroyed_);
}

}  // namespace
}  // namespace zewtest
