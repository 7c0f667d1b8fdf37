// The children follow the driver's connection: every instrument method fails
// with message 1232 before Connect, after Disconnect and once the driver
// object is gone; a reconnect takes them along; the lock is always released.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "DriverFixture.h"

namespace zewtest {
namespace {

// Looks an item up by a name that no item has.
template <class Item, class Collection>
HRESULT LookUpUnknownName(Collection* collection) {
    ComPtr<Item> found;
    return collection->get_Item(Name(Bstr(L"X")), found.put());
}

struct Children {
    explicit Children(IZew4400* driver)
        : reg(RegisterOf(driver)), memories(MemoriesOf(driver)), memory(MemoryOf(driver, 6)),
          program(ProgramOf(driver, 6)) {
        driver->get_Programs(programs.put());
    }
    ComPtr<IRegister> reg;
    ComPtr<IPrograms> programs;
    ComPtr<IMemories> memories;
    ComPtr<IMemory> memory;
    ComPtr<IProgram> program;

    // Every instrument method of the children, by name (one register for all).
    std::vector<std::pair<const char*, std::function<HRESULT()>>> Methods() {
        short value = 42;
        auto memoryNamed = [this] { return LookUpUnknownName<IMemory>(memories.get()); };
        auto programNamed = [this] { return LookUpUnknownName<IProgram>(programs.get()); };
        return {
            {"Stb", [=, this]() mutable { return reg->get_Stb(&value); }},   // the registers share one path
            {"Save", [this] { return memory->Save(); }},
            {"Load", [this] { return memory->Load(); }},
            {"Start", [this] { return memory->Start(); }},
            {"Memories(name)", memoryNamed},
            {"Programs(name)", programNamed},
            {"Allocate(0)", [this] { return program->Allocate(0); }},
            {"Free", [this] { return program->Free(); }},
            {"Program.Start", [this] { return program->Start(); }},
        };
    }

    void ExpectNotInitialized(const wchar_t* device) {
        for (auto& [name, method] : Methods()) {
            EXPECT_EQ(method(), kNotInitialized) << name;
            EXPECT_EQ(ErrorDescription(), Message(L"Instrument not initialized in device %s.", device)) << name;
        }
        short value = 42;
        reg->get_Stb(&value);
        EXPECT_EQ(value, 42);   // left as it was
    }
};

using ChildLifecycle = DriverTest;

TEST_F(ChildLifecycle, InstrumentMethodsNeedAConnectedDriver) {
    Children children(driver.get());
    ASSERT_TRUE(children.reg && children.memories && children.memory);
    children.ExpectNotInitialized(L"???");

    ASSERT_EQ(Connect(driver.get(), L"dev1"), S_OK);
    ZvClearLogs(nullptr);
    for (auto& [name, method] : children.Methods()) {
        EXPECT_EQ(method(), std::string(name).find("(name)") != std::string::npos ? E_INVALIDARG : S_OK) << name;
    }
    EXPECT_NE(WireLog("GPIB0::1"), "");

    ASSERT_EQ(driver->Disconnect(), S_OK);
    ZvClearLogs(nullptr);
    children.ExpectNotInitialized(L"GPIB0::1");
    EXPECT_EQ(Trace("GPIB0::1"), "");
}

TEST_F(ChildLifecycle, ChildrenKeptAfterTheDriverIsReleasedReachNothing) {
    ASSERT_EQ(Connect(driver.get(), L"dev1"), S_OK);
    Children children(driver.get());
    // A step in its program, and one that left it, both made while connected.
    ASSERT_EQ(children.program->Allocate(1), S_OK);
    ComPtr<IStep> left = StepOf(children.program.get(), 0);
    ASSERT_EQ(children.program->Allocate(1), S_OK);
    ComPtr<IStep> kept = StepOf(children.program.get(), 0);
    driver.reset();   // still connected when it goes
    ZvClearLogs(nullptr);
    children.ExpectNotInitialized(L"GPIB0::1");
    for (IStep* step : {left.get(), kept.get()}) EXPECT_EQ(step->put_Memory(Name(Bstr(L"ANY"))), kNotInitialized);
    EXPECT_EQ(Trace("GPIB0::1"), "");
    // The memory's checks keep the last model's limits.
    EXPECT_EQ(children.memory->put_Current(30.0), S_OK);
    EXPECT_EQ(children.memory->put_Current(31.0), E_INVALIDARG);   // a ZEW4410 would take it
}

TEST_F(ChildLifecycle, ChildrenFollowAReconnectToAnotherResource) {
    Children children(driver.get());
    ASSERT_EQ(Connect(driver.get(), L"dev1"), S_OK);
    ASSERT_EQ(Connect(driver.get(), L"dev2"), S_OK);
    ZvClearLogs(nullptr);
    short value = 0;
    EXPECT_EQ(children.reg->get_Stb(&value), S_OK);
    EXPECT_EQ(children.memory->Start(), S_OK);
    EXPECT_EQ(WireLog("GPIB0::1"), "");
    EXPECT_EQ(WireLog("GPIB0::2"), "*STB?\nRECALL 6\nSTART\n");

    driver->Disconnect();
    ASSERT_EQ(Connect(driver.get(), L"dev3"), S_OK);
    ZvClearLogs(nullptr);
    EXPECT_EQ(children.reg->get_Err(&value), S_OK);
    EXPECT_EQ(WireLog("GPIB0::3"), "ERR?\n");
}

TEST_F(ChildLifecycle, TheLockIsReleasedWhenAWriteOrAReadFails) {
    ASSERT_EQ(Connect(driver.get(), L"dev1"), S_OK);
    Children children(driver.get());
    for (const auto& [op, hr, text] : {std::tuple{ZV_OP_WRITE, kWriteFailed, L"Error writing to instrument in device %s."},
                                       {ZV_OP_READ, kReadFailed, L"Error reading from instrument in device %s."}}) {
        for (auto& [name, method] : children.Methods()) {
            const std::string called = name;
            if (op == ZV_OP_READ && (called == "Save" || called == "Start" || called == "Free")) continue;   // no reply read
            ZvFailNext(op, 0, op == ZV_OP_READ ? VI_ERROR_TMO : VI_ERROR_IO);
            EXPECT_EQ(method(), hr) << name;
            EXPECT_EQ(ErrorDescription(), Message(text, L"GPIB0::1")) << name;
            EXPECT_TRUE(InstrumentLockIsFree()) << name;
        }
    }
    // A failure between the two lines of Start: no test, and the lock is free.
    ZvFailNext(ZV_OP_WRITE, 1, VI_ERROR_IO);
    EXPECT_EQ(children.memory->Start(), kWriteFailed);
    EXPECT_EQ(InstrumentLine("GPIB0::1", "DSR?"), "0\n");
    EXPECT_TRUE(InstrumentLockIsFree());
}

}  // namespace
}  // namespace zewtest
