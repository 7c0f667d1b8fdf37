// The automatic monitor with its timers, its registry and the TestingR event,
// on driver objects made in this process (so the registry is the test's too).
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "DriverTestSupport.h"
#include "VisaTestSupport.h"
#include "objects/CZew4400.h"
#include "monitor/MonitorTimerRegistry.h"

namespace zewtest {
namespace {

using zew::monitor::MonitorTimerRegistry;

constexpr short kTick = 10;   // milliseconds

struct TestingR {
    short status;
    double voltage, current, resistanceMax, resistance, elapsed;
};

// Records every TestingR it receives, then runs action (which may call back
// into the driver).
class TestingRSink final : public IDispatch {
public:
    std::vector<TestingR> events;
    std::function<void()> action;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != IID_IDispatch && riid != DIID_DIZewEventSink) return E_NOINTERFACE;
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override { return --refs_; }   // lives on the test's stack
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*, UINT*) override {
        // Arguments arrive last parameter first.
        if (id == 1 && p && p->cArgs == 6 && p->rgvarg[5].vt == VT_I2 && p->rgvarg[0].vt == VT_R8) {
            events.push_back({p->rgvarg[5].iVal, p->rgvarg[4].dblVal, p->rgvarg[3].dblVal, p->rgvarg[2].dblVal,
                              p->rgvarg[1].dblVal, p->rgvarg[0].dblVal});
        }
        if (action) action();
        return S_OK;
    }

private:
    ULONG refs_ = 1;
};

// Dispatches the thread's messages (and so its timers) until done() or until
// a generous bound passes; returns done().
bool PumpUntil(const std::function<bool()>& done, int boundMs = 5000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(boundMs);
    while (!done() && std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(1);
    }
    return done();
}

// Dispatches messages for a while: long enough for several monitor ticks.
void PumpFor(int ms) { PumpUntil([] { return false; }, ms); }

ComPtr<IZew4400> NewDriver() {
    ComPtr<IZew4400> driver;
    zew::objects::CZew4400::Create(nullptr, IID_IZew4400, driver.put_void());
    return driver;
}

// A driver connected to dev<n> with a TestingR sink advised and its monitor on.
struct Monitored {
    explicit Monitored(const wchar_t* device, short interval = kTick) : driver(NewDriver()) {
        EXPECT_EQ(Connect(driver.get(), device), S_OK);
        ComPtr<IConnectionPointContainer> container;
        driver->QueryInterface(IID_IConnectionPointContainer, container.put_void());
        container->FindConnectionPoint(DIID_DIZewEventSink, point.put());
        EXPECT_EQ(point->Advise(&sink, &cookie), S_OK);
        driver->put_AutoMonitorInterval(interval);
        EXPECT_EQ(driver->put_AutoMonitorEnabled(VARIANT_TRUE), S_OK);
    }
    ~Monitored() {
        if (point) point->Unadvise(cookie);
    }
    std::vector<short> Statuses() const {
        std::vector<short> statuses;
        for (const TestingR& e : sink.events) statuses.push_back(e.status);
        return statuses;
    }
    ComPtr<IZew4400> driver;
    ComPtr<IConnectionPoint> point;
    TestingRSink sink;
    DWORD cookie = 0;
};

class AutoMonitor : public ::testing::Test {
protected:
    void SetUp() override {
        ZvReset();
        ZvSetMaxWait(50);
        baseline = MonitorTimerRegistry::Process().Count();
    }
    void TearDown() override { EXPECT_EQ(MonitorTimerRegistry::Process().Count(), baseline); }
    size_t baseline = 0;
};

TEST_F(AutoMonitor, PollsOnlyWhileATestRunsAndReportsUntilTheTestEnds) {
    Monitored m(L"dev1");
    PumpFor(100);
    EXPECT_EQ(Occurrences(WireLog("GPIB0::1"), "MON?\n"), 0u);   // no test started: not a single MON?
    EXPECT_TRUE(m.sink.events.empty());

    for (const char* reply : {"12,1,2,3,4,5\n", "12,1,2,3,4,5\n", "8,1,2,3,4,5\n", "3,0,0,0,0,0\n"})
        ZvQueueReply("GPIB0::1", "MON?", reply);
    ASSERT_EQ(m.driver->Start(), S_OK);
    ASSERT_TRUE(PumpUntil([&] { return m.sink.events.size() >= 4; }));
    PumpFor(100);
    EXPECT_EQ(m.Statuses(), (std::vector<short>{12, 12, 8, 3}));
    EXPECT_EQ(Occurrences(WireLog("GPIB0::1"), "MON?\n"), 4u);   // silence after the final state
    VARIANT_BOOL on = 0;
    m.driver->get_AutoMonitorEnabled(&on);
    EXPECT_EQ(on, VARIANT_TRUE);        // the timer runs on

    ZvQueueReply("GPIB0::1", "MON?", "12,1500.5,0.0123,0.0155,0.0150,3.2\n");
    ASSERT_EQ(m.driver->Start(), S_OK);   // the next test is monitored again
    ASSERT_TRUE(PumpUntil([&] { return m.sink.events.size() >= 5; }));
    const TestingR& e = m.sink.events[4];
    EXPECT_EQ(e.status, 12);
    EXPECT_EQ(e.voltage, 1500.5);
    EXPECT_EQ(e.current, 0.0123);
    EXPECT_EQ(e.resistanceMax, 0.0155);
    EXPECT_EQ(e.resistance, 0.0150);
    EXPECT_EQ(e.elapsed, 3.2);
    m.driver->Stop();
}

TEST_F(AutoMonitor, AMemoryStartedFromItsObjectIsMonitored) {
    Monitored m(L"dev1");
    ComPtr<IMemory> memory = MemoryOf(m.driver.get(), 4);
    ASSERT_TRUE(memory);
    ZvClearLogs(nullptr);
    for (const char* reply : {"8,1,2,3,4,5\n", "1,0,0,0,0,0\n"}) ZvQueueReply("GPIB0::1", "MON?", reply);
    ASSERT_EQ(memory->Start(), S_OK);
    ASSERT_TRUE(PumpUntil([&] { return m.sink.events.size() >= 2; }));
    PumpFor(50);
    EXPECT_EQ(m.Statuses(), (std::vector<short>{8, 1}));
    EXPECT_EQ(WireLog("GPIB0::1"), "RECALL 4\nSTART\nMON?\nMON?\n");
}

TEST_F(AutoMonitor, ATransportFailureReportsMinusOneOnceAndEndsMonitoring) {
    Monitored m(L"dev1");
    ASSERT_EQ(m.driver->Start(), S_OK);
    ZvFailNext(ZV_OP_READ, 0, VI_ERROR_TMO);
    ASSERT_TRUE(PumpUntil([&] { return !m.sink.events.empty(); }));
    PumpFor(100);
    ASSERT_EQ(m.Statuses(), std::vector<short>{-1});
    EXPECT_EQ(m.sink.events[0].voltage + m.sink.events[0].current + m.sink.events[0].resistanceMax +
                  m.sink.events[0].resistance + m.sink.events[0].elapsed,
              0.0);

    // Disconnected with a test still flagged: the next poll finds no session.
    ASSERT_EQ(m.driver->Start(), S_OK);
    ASSERT_TRUE(PumpUntil([&] { return m.sink.events.size() >= 2; }));
    const size_t before = m.sink.events.size();
    ZvQueueReply("GPIB0::1", "MON?", "12,0,0,0,0,0\n");
    ASSERT_EQ(m.driver->Start(), S_OK);
    m.driver->Disconnect();
    ASSERT_TRUE(PumpUntil([&] { return m.sink.events.size() > before; }));
    PumpFor(100);
    ASSERT_EQ(m.sink.events.size(), before + 1);
    EXPECT_EQ(m.sink.events.back().status, -1);
}

// A poll that timed out leaves its reply on the way: once the tester answers
// again, neither a client's query nor the next test's first poll takes it.
TEST_F(AutoMonitor, ALateMonitorReplyIsNeverAReading) {
    Monitored m(L"dev1");
    ZvSetReplyDelay("GPIB0::1", 200);
    ZvQueueReply("GPIB0::1", "MON?", "8,1,2,3,4,5\n");
    ZvQueueReply("GPIB0::1", "RDATA?", "0.042\n");
    ASSERT_EQ(m.driver->Start(), S_OK);
    ASSERT_TRUE(PumpUntil([&] { return !m.sink.events.empty(); }));
    EXPECT_EQ(m.Statuses(), std::vector<short>{-1});
    ZvSetReplyDelay("GPIB0::1", 0);
    Sleep(300);   // the late reply has come
    double resistance = -1;
    EXPECT_EQ(m.driver->get_MonResistance(&resistance), S_OK);
    EXPECT_EQ(resistance, 0.042);

    ZvFailNext(ZV_OP_READ, 0, VI_ERROR_IO);   // a failed poll, its reply left waiting
    ZvQueueReply("GPIB0::1", "MON?", "12,9,9,9,9,9\n");
    ZvQueueReply("GPIB0::1", "MON?", "3,7,7,7,7,7\n");
    ASSERT_EQ(m.driver->Start(), S_OK);
    ASSERT_TRUE(PumpUntil([&] { return m.sink.events.size() >= 2; }));
    ASSERT_EQ(m.driver->Start(), S_OK);
    ASSERT_TRUE(PumpUntil([&] { return m.sink.events.size() >= 3; }));
    PumpFor(50);
    EXPECT_EQ(m.Statuses(), (std::vector<short>{-1, -1, 3}));
    EXPECT_EQ(m.sink.events.back().voltage, 7.0);
    ZvSetReplyDelay("GPIB0::1", 0);
}

TEST_F(AutoMonitor, SwitchingOnAndOffAndChangingTheInterval) {
    ComPtr<IZew4400> driver = NewDriver();
    EXPECT_EQ(driver->put_AutoMonitorEnabled(1), S_FALSE);   // 1 is not true: off stays off
    VARIANT_BOOL on = -1;
    driver->get_AutoMonitorEnabled(&on);
    EXPECT_EQ(on, VARIANT_FALSE);
    EXPECT_EQ(driver->put_AutoMonitorInterval(-1), E_INVALIDARG);
    short interval = 0;
    driver->get_AutoMonitorInterval(&interval);
    EXPECT_EQ(interval, 1000);

    EXPECT_EQ(driver->put_AutoMonitorEnabled(VARIANT_TRUE), S_OK);
    EXPECT_EQ(driver->put_AutoMonitorEnabled(VARIANT_TRUE), S_FALSE);
    EXPECT_EQ(MonitorTimerRegistry::Process().Count(), baseline + 1);
    EXPECT_EQ(driver->put_AutoMonitorInterval(500), S_OK);
    EXPECT_EQ(MonitorTimerRegistry::Process().Count(), baseline + 1);   // one entry, for the new timer
    driver->get_AutoMonitorInterval(&interval);
    EXPECT_EQ(interval, 500);
    EXPECT_EQ(driver->put_AutoMonitorEnabled(1), S_OK);   // anything but true switches off
    EXPECT_EQ(driver->put_AutoMonitorEnabled(VARIANT_FALSE), S_FALSE);
    EXPECT_EQ(MonitorTimerRegistry::Process().Count(), baseline);
}

TEST_F(AutoMonitor, EachTimerLeadsToItsOwnObjectAndReleasingOneStopsItsTimer) {
    auto first = std::make_unique<Monitored>(L"dev1");
    Monitored second(L"dev2");
    EXPECT_EQ(MonitorTimerRegistry::Process().Count(), baseline + 2);
    ZvQueueReply("GPIB0::1", "MON?", "1,1,1,1,1,1\n");
    ZvQueueReply("GPIB0::2", "MON?", "2,2,2,2,2,2\n");
    first->driver->Start();
    second.driver->Start();
    ASSERT_TRUE(PumpUntil([&] { return !first->sink.events.empty() && !second.sink.events.empty(); }));
    EXPECT_EQ(first->sink.events[0].status, 1);
    EXPECT_EQ(second.sink.events[0].status, 2);

    // The first object goes with its monitor on; the second keeps working.
    first.reset();
    EXPECT_EQ(MonitorTimerRegistry::Process().Count(), baseline + 1);
    ZvQueueReply("GPIB0::2", "MON?", "9,9,9,9,9,9\n");
    second.driver->Start();
    ASSERT_TRUE(PumpUntil([&] { return second.sink.events.size() >= 2; }));
    EXPECT_EQ(second.sink.events[1].status, 9);
    second.driver->put_AutoMonitorEnabled(VARIANT_FALSE);
}

TEST_F(AutoMonitor, AFullRegistryLeavesTheMonitorOff) {
    auto& registry = MonitorTimerRegistry::Process();
    std::vector<std::uintptr_t> fillers;
    for (std::uintptr_t id = 0xF000; registry.Count() < MonitorTimerRegistry::kCapacity; ++id) {
        ASSERT_TRUE(registry.Add(&fillers, id));
        fillers.push_back(id);
    }
    ComPtr<IZew4400> driver = NewDriver();
    EXPECT_EQ(driver->put_AutoMonitorEnabled(VARIANT_TRUE), S_OK);
    VARIANT_BOOL on = -1;
    driver->get_AutoMonitorEnabled(&on);
    EXPECT_EQ(on, VARIANT_FALSE);
    EXPECT_EQ(registry.Count(), MonitorTimerRegistry::kCapacity);
    for (std::uintptr_t id : fillers) registry.RemoveById(id);
}

// The event goes out through the connection point (its walk is
// ConnectionPointTest's); here, a sink may call back into the driver.
TEST_F(AutoMonitor, ASinkMayCallTheDriverFromWithinTheEvent) {
    Monitored m(L"dev1");
    double resistance = -1;
    HRESULT inner = E_FAIL;
    m.sink.action = [&] { inner = m.driver->get_MonResistance(&resistance); };
    ZvQueueReply("GPIB0::1", "MON?", "3,0,0,0,0,0\n");
    ZvQueueReply("GPIB0::1", "RDATA?", "0.042\n");
    ASSERT_EQ(m.driver->Start(), S_OK);
    ASSERT_TRUE(PumpUntil([&] { return !m.sink.events.empty(); }));
    EXPECT_EQ(inner, S_OK);
    EXPECT_EQ(resistance, 0.042);
}

// A program is followed as a memory is, from the moment its START went out.
TEST_F(AutoMonitor, AProgramIsMonitoredOnlyOnceItsStartWentOut) {
    Monitored m(L"dev1");
    ComPtr<IProgram> program = ProgramOf(m.driver.get(), 3);
    ASSERT_EQ(program->Allocate(1), S_OK);
    ZvFailNext(ZV_OP_WRITE, 8, VI_ERROR_IO);   // START, after four lines and their *STB?
    EXPECT_EQ(program->Start(), kWriteFailed);
    PumpFor(100);
    EXPECT_EQ(Occurrences(WireLog("GPIB0::1"), "MON?\n"), 0u);

    for (const char* reply : {"8,1,2,3,4,5\n", "1,0,0,0,0,0\n"}) ZvQueueReply("GPIB0::1", "MON?", reply);
    ASSERT_EQ(program->Start(), S_OK);
    ASSERT_TRUE(PumpUntil([&] { return m.sink.events.size() >= 2; }));
    EXPECT_EQ(m.Statuses(), (std::vector<short>{8, 1}));
}

}  // namespace
}  // namespace zewtest
