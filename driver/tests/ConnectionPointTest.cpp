// The connectable-object pieces on a test object of their own: connecting and
// disconnecting sinks, cookies, enumerators, the lifetime the points share
// with their object, and the calls out to the sinks in list order, past
// failing sinks and sinks that disconnect during the call.
#include <gtest/gtest.h>

#include <windows.h>
#include <ocidl.h>

#include <functional>
#include <utility>
#include <vector>

#include "Zew4400Lib.h"
#include "com/Aggregatable.h"
#include "com/ComPtr.h"
#include "com/ConnectionPointContainer.h"
#include "com/EventFiring.h"
#include "com/Module.h"
#include "com/ProvideClassInfo.h"

namespace zewtest {
namespace {

using zew::com::ComPtr;
using zew::com::ConnectionPoint;
using zew::com::FireDispatchEvent;
using zew::com::NotifyPropertyChanged;

// {6A3F0C51-9E0B-4D7A-A1C2-3B4D5E6F7081}: the test object's event dispinterface.
constexpr IID kEventIid = {0x6a3f0c51, 0x9e0b, 0x4d7a, {0xa1, 0xc2, 0x3b, 0x4d, 0x5e, 0x6f, 0x70, 0x81}};

// The calls the sinks received: the sink's number and the id it saw.
using CallList = std::vector<std::pair<int, DISPID>>;

// A sink for property changes and, unless events is false, for kEventIid
// events. Each call is logged and answered with result; then action runs.
class TestSink final : public IPropertyNotifySink, public IDispatch {
public:
    TestSink(int number, CallList* log, bool events = true) : number_(number), log_(log), events_(events) {}

    HRESULT result = S_OK;
    std::function<void()> action;
    DISPPARAMS seenParams{};
    bool sawStandardInvoke = false;

    ULONG Refs() const { return refs_; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IPropertyNotifySink) *ppv = static_cast<IPropertyNotifySink*>(this);
        if (events_ && (riid == IID_IDispatch || riid == kEventIid)) *ppv = static_cast<IDispatch*>(this);
        if (!*ppv) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

    STDMETHODIMP OnChanged(DISPID id) override { return Called(id); }
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    // Checks the form of the call, then leaves a result the caller must free
    // (a caller reusing it unfreed for the next sink fails that sink's check).
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override {
        sawStandardInvoke = riid == IID_NULL && lcid == 0x400 && flags == DISPATCH_METHOD && result &&
                            result->vt == VT_EMPTY && !exception && !argError;
        if (params) seenParams = *params;
        if (result) {
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(L"ignored");
        }
        return Called(id);
    }

private:
    ~TestSink() = default;
    HRESULT Called(DISPID id) {
        log_->emplace_back(number_, id);
        if (action) action();
        return result;
    }

    int number_;
    CallList* log_;
    bool events_;
    ULONG refs_ = 1;
};

// Connectable as the driver object is: Aggregatable, delegating IUnknown and
// FindInterface, with an event point (0) and a property-change point (1).
class TestObject final : public zew::com::Aggregatable, public zew::com::ProvideClassInfo {
public:
    // The new object's identity; raw receives the object.
    static ComPtr<IUnknown> Create(bool* destroyed, TestObject** raw) {
        *raw = new TestObject(destroyed);
        return ComPtr<IUnknown>::Attach((*raw)->InnerUnknown());
    }

    ZEW_DELEGATE_IUNKNOWN

    zew::com::ConnectionPoints<2> points{OuterUnknown(), {&kEventIid, &IID_IPropertyNotifySink}};

private:
    explicit TestObject(bool* destroyed)
        : Aggregatable(nullptr), ProvideClassInfo(CLSID_Zew4400, kEventIid), destroyed_(destroyed) {}
    ~TestObject() override { *destroyed_ = true; }

    IUnknown* FindInterface(REFIID riid) override {
        if (riid == IID_IConnectionPointContainer) return &points;
        if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2) return static_cast<IProvideClassInfo2*>(this);
        return nullptr;
    }

    bool* destroyed_;
};

class ConnectionPointTest : public ::testing::Test {
protected:
    void SetUp() override {
        locks_ = zew::com::ModuleLockCount();
        identity_ = TestObject::Create(&destroyed_, &object_);
        ASSERT_EQ(identity_->QueryInterface(IID_IConnectionPointContainer, container_.put_void()), S_OK);
    }
    void TearDown() override {
        container_.reset();
        identity_.reset();
        EXPECT_TRUE(destroyed_);
        EXPECT_EQ(zew::com::ModuleLockCount(), locks_);
        // Sinks still connected at the object's end are released with it.
        for (const auto& sink : sinks_) EXPECT_EQ(sink->Refs(), 1u);
    }

    ConnectionPoint& Events() { return object_->points.Point<0>(); }
    ConnectionPoint& Changes() { return object_->points.Point<1>(); }

    // A new sink, numbered in order of creation, connected to point; its cookie.
    DWORD Connect(ConnectionPoint& point) {
        sinks_.push_back(ComPtr<TestSink>::Attach(new TestSink(static_cast<int>(sinks_.size()), &log_)));
        DWORD cookie = 0;
        EXPECT_EQ(point.Advise(static_cast<IPropertyNotifySink*>(sinks_.back().get()), &cookie), S_OK);
        return cookie;
    }
    // The cookies of the next count connections, Next answering expected.
    static std::vector<DWORD> Cookies(IEnumConnections* connections, ULONG count, HRESULT expected) {
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
    CallList log_;
    std::vector<ComPtr<TestSink>> sinks_;
    TestObject* object_ = nullptr;
    ComPtr<IUnknown> identity_;
    ComPtr<IConnectionPointContainer> container_;
};

TEST_F(ConnectionPointTest, CookiesStayWithTheirSinkAndTheEnumeratorWalksASnapshot) {
    const DWORD first = Connect(Events()), second = Connect(Events()), third = Connect(Events());
    EXPECT_NE(first, 0u);
    EXPECT_TRUE(first != second && second != third && first != third);
    EXPECT_EQ(sinks_[1]->Refs(), 2u);
    ComPtr<IEnumConnections> snapshot;
    ASSERT_EQ(Events().EnumConnections(snapshot.put()), S_OK);

    EXPECT_EQ(Events().Unadvise(second), S_OK);
    for (const DWORD unknown : {second, DWORD{0}, third + 100})
        EXPECT_EQ(Events().Unadvise(unknown), CONNECT_E_NOCONNECTION) << unknown;
    const DWORD again = Connect(Events());
    EXPECT_TRUE(again != first && again != third);
    ComPtr<IEnumConnections> now;
    ASSERT_EQ(Events().EnumConnections(now.put()), S_OK);
    EXPECT_EQ(Cookies(now.get(), 4, S_FALSE), (std::vector<DWORD>{first, third, again}));

    // The snapshot still holds the disconnected sink, and its clone its place.
    EXPECT_EQ(Cookies(snapshot.get(), 1, S_OK), std::vector<DWORD>{first});
    ComPtr<IEnumConnections> clone;
    ASSERT_EQ(snapshot->Clone(clone.put()), S_OK);
    EXPECT_EQ(Cookies(snapshot.get(), 3, S_FALSE), (std::vector<DWORD>{second, third}));
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

TEST_F(ConnectionPointTest, RefusesNullsAndSinksWithoutTheInterface) {
    DWORD cookie = 7;
    EXPECT_EQ(Events().Advise(nullptr, &cookie), E_POINTER);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(container_->FindConnectionPoint(kEventIid, nullptr), E_POINTER);

    auto noEvents = ComPtr<TestSink>::Attach(new TestSink(9, &log_, false));
    cookie = 7;
    EXPECT_EQ(Events().Advise(static_cast<IPropertyNotifySink*>(noEvents.get()), &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(noEvents->Refs(), 1u);
}

TEST_F(ConnectionPointTest, ContainerFindsAndEnumeratesItsPoints) {
    ComPtr<IConnectionPoint> events, notify;
    ASSERT_EQ(container_->FindConnectionPoint(kEventIid, events.put()), S_OK);
    ASSERT_EQ(container_->FindConnectionPoint(IID_IPropertyNotifySink, notify.put()), S_OK);
    EXPECT_EQ(events.get(), &Events());
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
    EXPECT_EQ(found[0], events.get());
    EXPECT_EQ(found[1], notify.get());
    found[0]->Release();
    found[1]->Release();

    // A point is an object of its own whose container is the object's.
    ComPtr<IUnknown> pointIdentity, containerIdentity;
    events->QueryInterface(IID_IUnknown, pointIdentity.put_void());
    EXPECT_EQ(pointIdentity.get(), static_cast<IUnknown*>(events.get()));
    ComPtr<IConnectionPointContainer> owner;
    ASSERT_EQ(events->GetConnectionPointContainer(owner.put()), S_OK);
    owner->QueryInterface(IID_IUnknown, containerIdentity.put_void());
    EXPECT_EQ(containerIdentity.get(), identity_.get());
}

TEST_F(ConnectionPointTest, PointsAndTheirEnumeratorKeepTheObjectAlive) {
    Connect(Events());
    ComPtr<IConnectionPoint> events;
    ASSERT_EQ(container_->FindConnectionPoint(kEventIid, events.put()), S_OK);
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container_->EnumConnectionPoints(points.put()), S_OK);
    container_.reset();
    identity_.reset();
    EXPECT_FALSE(destroyed_);
    events.reset();
    EXPECT_FALSE(destroyed_);
    points.reset();
    EXPECT_TRUE(destroyed_);
}

TEST_F(ConnectionPointTest, CallsReachEverySinkInOrderPastFailuresInTheStandardForm) {
    Connect(Changes());
    Connect(Changes());
    sinks_[1]->result = E_FAIL;
    Connect(Events());
    Connect(Events());
    sinks_[3]->result = DISP_E_MEMBERNOTFOUND;
    Connect(Events());
    EXPECT_EQ(NotifyPropertyChanged(Changes(), 47), S_OK);
    VARIANT args[2] = {};
    DISPPARAMS params{args, nullptr, 2, 0};
    EXPECT_EQ(FireDispatchEvent(Events(), 1, params), S_OK);
    EXPECT_EQ(log_, (CallList{{0, 47}, {1, 47}, {2, 1}, {3, 1}, {4, 1}}));
    for (int i = 2; i < 5; ++i) {
        EXPECT_TRUE(sinks_[i]->sawStandardInvoke) << i;
        EXPECT_EQ(sinks_[i]->seenParams.rgvarg, args) << i;
        EXPECT_EQ(sinks_[i]->seenParams.cArgs, 2u) << i;
        EXPECT_EQ(sinks_[i]->seenParams.cNamedArgs, 0u) << i;
    }

    // The wrong point is refused rather than called through the wrong interface.
    log_.clear();
    EXPECT_EQ(NotifyPropertyChanged(Events(), 47), E_INVALIDARG);
    EXPECT_EQ(FireDispatchEvent(Changes(), 1, params), E_INVALIDARG);
    EXPECT_TRUE(log_.empty());
}

TEST_F(ConnectionPointTest, SinksMayConnectAndDisconnectDuringTheWalk) {
    const DWORD first = Connect(Events()), second = Connect(Events());
    Connect(Events());
    // The first sink drops its own connection and the second's, and connects
    // a newcomer that hears only later events.
    TestSink& leaving = *sinks_[0].get();
    ULONG refsAfterLeaving = 0;
    leaving.action = [&] {
        Events().Unadvise(first);
        Events().Unadvise(second);
        refsAfterLeaving = leaving.Refs();
        Connect(Events());
    };
    DISPPARAMS none{};
    EXPECT_EQ(FireDispatchEvent(Events(), 1, none), S_OK);
    EXPECT_EQ(log_, (CallList{{0, 1}, {2, 1}}));
    // The test's reference and the walk's: the sink outlives its connection.
    EXPECT_EQ(refsAfterLeaving, 2u);

    log_.clear();
    EXPECT_EQ(FireDispatchEvent(Events(), 2, none), S_OK);
    EXPECT_EQ(log_, (CallList{{2, 2}, {3, 2}}));
}

}  // namespace
}  // namespace zewtest
