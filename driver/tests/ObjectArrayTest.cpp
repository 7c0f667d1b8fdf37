// The fixed storage of the collections: its capacity holds, and what it
// releases stays valid for those who still hold it.
#include <gtest/gtest.h>

#include "com/ObjectCreation.h"
#include "objects/CMemory.h"
#include "objects/CObjectArray.h"

namespace {

using zew::com::ComPtr;
using zew::com::MakeObject;
using zew::objects::CMemory;
using zew::objects::CObjectArray;

template <class T>
ULONG References(T* object) {
    object->AddRef();
    return object->Release();
}

TEST(ObjectArrayTest, HoldsAtMostAHundredAndReleasesThemAll) {
    CObjectArray<CMemory> array;
    const ComPtr<CMemory> first = MakeObject<CMemory>();
    ASSERT_TRUE(first);
    ASSERT_TRUE(array.Add(first));
    for (int i = 1; i < 100; ++i) ASSERT_TRUE(array.Add(MakeObject<CMemory>())) << i;
    EXPECT_EQ(array.GetCount(), 100);
    EXPECT_EQ(References(first.get()), 2u);

    const ComPtr<CMemory> extra = MakeObject<CMemory>();
    EXPECT_FALSE(array.Add(extra));
    EXPECT_EQ(array.GetCount(), 100);
    EXPECT_EQ(References(extra.get()), 1u);   // not kept
    EXPECT_FALSE(array.Add(ComPtr<CMemory>()));
    EXPECT_EQ(array.GetAt(0), first.get());
    EXPECT_EQ(array.GetAt(100), nullptr);
    EXPECT_EQ(array.GetAt(-1), nullptr);

    array.RemoveAll();
    EXPECT_EQ(array.GetCount(), 0);
    EXPECT_EQ(array.GetAt(0), nullptr);
    EXPECT_EQ(References(first.get()), 1u);
    EXPECT_TRUE(array.Add(extra));
    EXPECT_EQ(array.GetCount(), 1);
}

}  // namespace
