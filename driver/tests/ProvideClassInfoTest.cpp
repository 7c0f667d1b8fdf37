// The class information an object gives a container: its coclass from the
// library's type library and its default source interface.
#include <gtest/gtest.h>

#include "DriverTestSupport.h"
#include "EventTestObjects.h"
#include "com/Module.h"
#include "com/TypeLibrary.h"

namespace zewtest {
namespace {

TEST(ProvideClassInfoTest, GivesTheCoclassAndTheDefaultSourceOnly) {
    bool destroyed = false;
    ComPtr<IProvideClassInfo2> info;
    ASSERT_EQ(TestObject::Create(&destroyed)->QueryInterface(IID_IProvideClassInfo2, info.put_void()), S_OK);

    GUID guid{};
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &guid), S_OK);
    EXPECT_EQ(guid, kEventIid);
    for (DWORD kind : {0ul, 2ul, 0xFFFFFFFFul}) {
        EXPECT_EQ(info->GetGUID(kind, &guid), E_INVALIDARG) << kind;
        EXPECT_EQ(guid, GUID_NULL);
    }
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, nullptr), E_POINTER);
    EXPECT_EQ(info->GetClassInfo(nullptr), E_POINTER);

    // The type library is that of the built library beside the test program.
    ASSERT_NE(DriverModule(), nullptr);
    zew::com::SetModuleInstance(DriverModule());
    ComPtr<ITypeInfo> typeInfo;
    ASSERT_EQ(info->GetClassInfo(typeInfo.put()), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(typeInfo->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_COCLASS);
    EXPECT_EQ(attributes->guid, CLSID_Zew4400);
    typeInfo->ReleaseTypeAttr(attributes);
    typeInfo.reset();
    zew::com::ReleaseModuleTypeLib();
    zew::com::SetModuleInstance(nullptr);

    info.reset();
    EXPECT_TRUE(destroyed);
}

}  // namespace
}  // namespace zewtest
