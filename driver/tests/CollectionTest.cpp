// The Memories and Programs collections: Item by every kind of index, by name
// with its refresh walk, Count, and the _NewEnum snapshot.
#include <gtest/gtest.h>

#include <string>

#include "DriverFixture.h"

namespace zewtest {
namespace {

// Item's result, and the index of the memory it gave (-2 when none).
std::pair<HRESULT, short> ItemIndex(IMemories* memories, const VARIANT& index) {
    ComPtr<IMemory> memory;
    const HRESULT hr = memories->get_Item(index, memory.put());
    short n = -2;
    if (memory) memory->get_Index(&n);
    return {hr, n};
}

std::pair<HRESULT, short> ItemNamed(IMemories* memories, const wchar_t* name) {
    return ItemIndex(memories, Name(Bstr(name)));
}

// A variable passed by reference, as script hosts pass them.
VARIANT ByRef(VARTYPE vt, const void* value) {
    VARIANT v = Number(VT_EMPTY, 0);
    v.vt = vt | VT_BYREF;
    v.byref = const_cast<void*>(value);
    return v;
}

// No error information is left for the caller.
bool NoErrorInfo() {
    ComPtr<IErrorInfo> info;
    return GetErrorInfo(0, info.put()) == S_FALSE;
}

class Collections : public ConnectedDriverTest {
protected:
    void SetUp() override {
        ConnectedDriverTest::SetUp();
        memories = MemoriesOf(driver.get());
        ASSERT_TRUE(memories);
    }
    ComPtr<IMemories> memories;
};

TEST_F(Collections, ItemTakesA16BitNumberAndNoOtherType) {
    const std::pair<VARIANT, short> found[] = {
        {Number(VT_I2, 0), 0},      {Number(VT_I2, 99), 99}, {Number(VT_I4, 5), 5},
        {Number(VT_I4, 65536), 0},  {Number(VT_I4, 65536 + 42), 42},
    };
    for (const auto& [index, n] : found) EXPECT_EQ(ItemIndex(memories.get(), index), std::pair(S_OK, n));

    // A script's variable arrives by reference, directly or inside a VARIANT:
    // it finds what its value finds. Only one level, and nothing else by reference.
    SHORT referenced = 5;
    LONG referencedLong = 65536 + 6;
    double referencedReal = 5.0;
    VARIANT inner = Number(VT_I4, 8);
    const VARIANT byRefVariant = ByRef(VT_VARIANT, &inner);
    EXPECT_EQ(ItemIndex(memories.get(), ByRef(VT_I2, &referenced)), std::pair(S_OK, short{5}));
    EXPECT_EQ(ItemIndex(memories.get(), ByRef(VT_I4, &referencedLong)), std::pair(S_OK, short{6}));
    EXPECT_EQ(ItemIndex(memories.get(), byRefVariant), std::pair(S_OK, short{8}));

    const VARIANT refused[] = {Number(VT_EMPTY, 0), Number(VT_NULL, 0), Number(VT_I2, 100), Number(VT_I2, -1),
                               Number(VT_I4, -1),   Number(VT_I4, 100), Number(VT_I4, 65535), Number(VT_UI2, 5),
                               Number(VT_UI4, 5),   Number(VT_R8, 5),   Number(VT_BOOL, VARIANT_TRUE),
                               ByRef(VT_VARIANT, &byRefVariant), ByRef(VT_R8, &referencedReal),
                               ByRef(VT_I2, nullptr)};
    SetErrorInfo(0, nullptr);
    for (const VARIANT& index : refused) {
        EXPECT_EQ(ItemIndex(memories.get(), index), std::pair(E_INVALIDARG, short{-2})) << index.vt;
        EXPECT_TRUE(NoErrorInfo());
    }
    ComPtr<IMemory> memory;
    EXPECT_EQ(memories->get_Item(Number(VT_I2, 1), nullptr), E_POINTER);
    EXPECT_EQ(WireLog("GPIB0::1"), "");

    long count = 0;
    EXPECT_EQ(memories->get_Count(&count), S_OK);
    EXPECT_EQ(count, 100);
    // The same object every time.
    ComPtr<IMemory> again;
    memories->get_Item(Number(VT_I2, 7), memory.put());
    memories->get_Item(Number(VT_I4, 7), again.put());
    EXPECT_EQ(memory.get(), again.get());
}

TEST_F(Collections, ANameIsLookedUpByRefreshingEachNameUpToTheMatch) {
    Instrument("MEMORY 5,\"FIVE\",10.0,0.500,0.010,2.0,60,1,0,1");
    Instrument("MEMORY 8,\"FIVE\",10.0,0.500,0.010,2.0,60,1,0,1");
    EXPECT_EQ(ItemNamed(memories.get(), L"FIVE"), std::pair(S_OK, short{5}));
    EXPECT_EQ(WireLog("GPIB0::1"), "MEMORY? 0\nMEMORY? 1\nMEMORY? 2\nMEMORY? 3\nMEMORY? 4\nMEMORY? 5\n");
    Bstr name;
    MemoryOf(driver.get(), 5)->get_Name(name.put());
    EXPECT_EQ(name.view(), L"FIVE");

    ZvClearLogs(nullptr);
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(ItemNamed(memories.get(), L"THIRTEEN CHAR"), std::pair(E_INVALIDARG, short{-2}));
    EXPECT_EQ(WireLog("GPIB0::1"), "");
    EXPECT_EQ(ItemNamed(memories.get(), L"five"), std::pair(E_INVALIDARG, short{-2}));   // case counts
    EXPECT_TRUE(NoErrorInfo());
    EXPECT_EQ(ItemNamed(memories.get(), L""), std::pair(S_OK, short{0}));
}

TEST_F(Collections, TheEnumeratorIsASnapshotThatOutlivesTheDriver) {
    ComPtr<IUnknown> unknown;
    EXPECT_EQ(memories->get__NewEnum(nullptr), E_POINTER);
    ASSERT_EQ(memories->get__NewEnum(unknown.put()), S_OK);
    ComPtr<IEnumVARIANT> items;
    ASSERT_EQ(unknown->QueryInterface(IID_IEnumVARIANT, items.put_void()), S_OK);

    // The items outlive the driver and its collection in the enumerator.
    memories.reset();
    driver.reset();
    VARIANT got[101];
    ULONG fetched = 0;
    ASSERT_EQ(items->Next(101, got, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 100u);
    for (ULONG i = 0; i < fetched; ++i) {
        ASSERT_EQ(got[i].vt, VT_DISPATCH);
        ComPtr<IMemory> memory;
        ASSERT_EQ(got[i].pdispVal->QueryInterface(IID_IMemory, memory.put_void()), S_OK);
        short n = -1;
        memory->get_Index(&n);
        EXPECT_EQ(n, static_cast<short>(i));
        VariantClear(&got[i]);
    }

    // Next, Skip, Reset and Clone are the snapshot enumerator's
    // (ConnectionPointTest walks its connections).
}

TEST_F(Collections, ProgramsHoldAHundredNumberedProgramsFoundByNumberOrName) {
    ComPtr<IPrograms> programs;
    ASSERT_EQ(driver->get_Programs(programs.put()), S_OK);
    long count = 0;
    programs->get_Count(&count);
    EXPECT_EQ(count, 100);
    ComPtr<IProgram> program;
    EXPECT_EQ(programs->get_Item(Number(VT_EMPTY, 0), program.put()), E_INVALIDARG);
    ASSERT_EQ(programs->get_Item(Number(VT_I2, 42), program.put()), S_OK);
    short n = 0;
    program->get_Index(&n);
    EXPECT_EQ(n, 42);

    ASSERT_EQ(programs->get_Item(Name(Bstr(L"NONAME-2")), program.put()), S_OK);
    program->get_Index(&n);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(WireLog("GPIB0::1"), "PRGNAME? 0\nPRGNAME? 1\nPRGNAME? 2\n");
}

}  // namespace
}  // namespace zewtest
