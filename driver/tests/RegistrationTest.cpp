// Self-registration: the registry content, its replacement and its removal,
// and the library's version resource.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "DriverTestSupport.h"

namespace zewtest {
namespace {

const wchar_t kClsidKey[] = L"CLSID\\{4DB8318E-7D79-4654-8EF5-312E62124161}";
const wchar_t kLibidKey[] = L"TypeLib\\{897717C1-30F6-4858-AE8D-EA45C965C803}";

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

HRESULT Call(const char* name) { return DriverExport<HRESULT(WINAPI*)()>(name)(); }

bool KeyExists(const std::wstring& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

std::wstring Value(const std::wstring& key, const wchar_t* name = nullptr) {
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return data;
}

void ExpectRegistered() {
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(L"Zew4400.Zew4400", &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_Zew4400));
    EXPECT_EQ(Value(L"Zew4400.Zew4400\\CurVer"), L"Zew4400.Zew4400.1");
    EXPECT_EQ(Value(L"Zew4400.Zew4400.1\\CLSID"), L"{4DB8318E-7D79-4654-8EF5-312E62124161}");
    const std::wstring key = kClsidKey;
    EXPECT_EQ(Value(key), L"Orvanta ZEW4400 Driver V1.52");
    EXPECT_EQ(Value(key + L"\\ProgID"), L"Zew4400.Zew4400.1");
    EXPECT_EQ(Value(key + L"\\VersionIndependentProgID"), L"Zew4400.Zew4400");
    EXPECT_TRUE(KeyExists(key + L"\\Programmable") && KeyExists(key + L"\\Control") && KeyExists(key + L"\\Insertable"));
    EXPECT_EQ(_wcsicmp(Value(key + L"\\InprocServer32").c_str(), DriverPath().c_str()), 0);
    EXPECT_EQ(Value(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(Value(key + L"\\ToolboxBitmap32"), Value(key + L"\\InprocServer32") + L", 101");
    EXPECT_EQ(Value(key + L"\\MiscStatus"), L"0");
    EXPECT_EQ(Value(key + L"\\MiscStatus\\1"), L"132497");
    EXPECT_EQ(Value(key + L"\\TypeLib"), L"{897717C1-30F6-4858-AE8D-EA45C965C803}");
    EXPECT_EQ(Value(key + L"\\Version"), L"1.0");
    ComPtr<ITypeLib> typeLib;
    EXPECT_EQ(LoadRegTypeLib(LIBID_ZEW4400Lib, 1, 0, 0x409, typeLib.put()), S_OK);
}

TEST(RegistrationTest, RegisteringWritesOneCleanCopyAndUnregisteringRemovesIt) {
    ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    ExpectRegistered();

    // Stale content from an older copy goes away on the next registration.
    HKEY stale = nullptr;
    for (const std::wstring& key : {std::wstring(kClsidKey) + L"\\Stale\\Deeper", std::wstring(L"Zew4400.Zew4400\\Stale")}) {
        ASSERT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, key.c_str(), &stale), ERROR_SUCCESS);
        RegCloseKey(stale);
    }
    ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    ExpectRegistered();
    EXPECT_FALSE(KeyExists(std::wstring(kClsidKey) + L"\\Stale"));
    EXPECT_FALSE(KeyExists(L"Zew4400.Zew4400\\Stale"));

    ASSERT_EQ(Call("DllUnregisterServer"), S_OK);
    EXPECT_FALSE(KeyExists(kClsidKey));
    EXPECT_FALSE(KeyExists(L"Zew4400.Zew4400"));
    EXPECT_FALSE(KeyExists(L"Zew4400.Zew4400.1"));
    EXPECT_FALSE(KeyExists(kLibidKey));
    EXPECT_FALSE(KeyExists(L"Interface\\{DDFEBBE8-2AC2-4129-BFC1-3E090D498B1D}"));
    EXPECT_TRUE(KeyExists(L"CLSID"));
    CLSID clsid{};
    EXPECT_NE(CLSIDFromProgID(L"Zew4400.Zew4400", &clsid), S_OK);
}

TEST(RegistrationTest, ClassObjects) {
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    const auto get = DriverExport<GetClassObject>("DllGetClassObject");
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(get(IID_IZew4400, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(get(CLSID_Zew4400, IID_IClassFactory, nullptr), E_POINTER);

    ComPtr<IClassFactory> factory;
    ASSERT_EQ(get(CLSID_Zew4400, IID_IClassFactory, factory.put_void()), S_OK);
    EXPECT_EQ(Call("DllCanUnloadNow"), S_OK);
    factory->LockServer(TRUE);
    EXPECT_EQ(Call("DllCanUnloadNow"), S_FALSE);
    factory->LockServer(FALSE);
    {
        ComPtr<IZew4400> driver = CreateDriver();
        EXPECT_EQ(Call("DllCanUnloadNow"), S_FALSE);
    }
    EXPECT_EQ(Call("DllCanUnloadNow"), S_OK);
}

struct ChildClass {
    const CLSID* clsid;
    const IID* iid;
    const wchar_t* key;
    const wchar_t* className;
    const wchar_t* interfaceName;
};

const ChildClass kChildClasses[] = {
    {&CLSID_Register, &IID_IRegister, L"CLSID\\{91C808BD-5503-42C6-BEBD-9C63141E2DDE}", L"Register Class",
     L"IRegister Interface"},
    {&CLSID_Memories, &IID_IMemories, L"CLSID\\{0CE80597-4C0C-4B0A-A824-321056AE6E39}", L"Memories Class",
     L"IMemories Interface"},
    {&CLSID_Memory, &IID_IMemory, L"CLSID\\{9444C55B-D29D-4653-95B3-D58042AAA3D4}", L"Memory Class",
     L"IMemory Interface"},
    {&CLSID_Programs, &IID_IPrograms, L"CLSID\\{A76F161C-3D26-4E72-BE77-5E8170F0D329}", L"Programs Class",
     L"IPrograms Interface"},
    {&CLSID_Program, &IID_IProgram, L"CLSID\\{21B57ABA-5B71-459A-B549-FED66613640C}", L"Program Class",
     L"IProgram Interface"},
    {&CLSID_Steps, &IID_ISteps, L"CLSID\\{9B09C1B3-A618-40C7-A812-CECF1CF4B10F}", L"Steps Class",
     L"ISteps Interface"},
    {&CLSID_Step, &IID_IStep, L"CLSID\\{A15FAAC1-DB98-4D4D-BE27-E7E5FE0BB73C}", L"Step Class",
     L"IStep Interface"},
};

std::wstring Documentation(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
    Bstr name, help;
    info->GetDocumentation(id, name.put(), help.put(), nullptr, nullptr);
    return std::wstring(name.view()) + L": " + std::wstring(help.view());
}

TEST(RegistrationTest, ChildClassesAreRegisteredCreatableAndDescribedAsNotCreatable) {
    ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    for (const ChildClass& c : kChildClasses) {
        SCOPED_TRACE(c.className);
        const std::wstring key = c.key;
        EXPECT_EQ(Value(key), c.className);
        EXPECT_TRUE(KeyExists(key + L"\\Programmable"));
        EXPECT_FALSE(KeyExists(key + L"\\ProgID"));
        EXPECT_EQ(_wcsicmp(Value(key + L"\\InprocServer32").c_str(), DriverPath().c_str()), 0);
        EXPECT_EQ(Value(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");

        // Made on its own, an object of the class works unattached.
        ComPtr<IDispatch> object;
        EXPECT_EQ(CoCreateInstance(*c.clsid, nullptr, CLSCTX_INPROC_SERVER, *c.iid, object.put_void()), S_OK);
        ASSERT_TRUE(object);
        EXPECT_EQ(Call("DllCanUnloadNow"), S_FALSE);

        ComPtr<ITypeLib> typeLib;
        ASSERT_EQ(LoadRegTypeLib(LIBID_ZEW4400Lib, 1, 0, 0x409, typeLib.put()), S_OK);
        ComPtr<ITypeInfo> coclass, iface;
        ASSERT_EQ(typeLib->GetTypeInfoOfGuid(*c.clsid, coclass.put()), S_OK);
        TYPEATTR* attr = nullptr;
        coclass->GetTypeAttr(&attr);
        EXPECT_EQ(attr->typekind, TKIND_COCLASS);
        EXPECT_EQ(attr->wTypeFlags & TYPEFLAG_FCANCREATE, 0);
        coclass->ReleaseTypeAttr(attr);
        EXPECT_EQ(Documentation(coclass.get()), std::wstring(c.className).substr(0, std::wcslen(c.className) - 6) + L": " + c.className);
        ASSERT_EQ(typeLib->GetTypeInfoOfGuid(*c.iid, iface.put()), S_OK);
        iface->GetTypeAttr(&attr);
        EXPECT_EQ(attr->typekind, TKIND_DISPATCH);   // dual: the dispatch side first
        EXPECT_NE(attr->wTypeFlags & TYPEFLAG_FDUAL, 0);
        iface->ReleaseTypeAttr(attr);
        EXPECT_EQ(Documentation(iface.get()), std::wstring(c.interfaceName).substr(0, std::wcslen(c.interfaceName) - 10) + L": " + c.interfaceName);
    }
    EXPECT_EQ(Call("DllCanUnloadNow"), S_OK);

    ComPtr<ITypeLib> typeLib;
    ASSERT_EQ(LoadRegTypeLib(LIBID_ZEW4400Lib, 1, 0, 0x409, typeLib.put()), S_OK);
    ComPtr<ITypeInfo> memories;
    ASSERT_EQ(typeLib->GetTypeInfoOfGuid(IID_IMemories, memories.put()), S_OK);
    EXPECT_EQ(Documentation(memories.get(), DISPID_VALUE), L"Item: Returns ref to indexed object");
    EXPECT_EQ(Documentation(memories.get(), 1), L"Count: Returns number of items");
    EXPECT_EQ(Documentation(memories.get(), DISPID_NEWENUM).substr(0, 9), L"_NewEnum:");
    ComPtr<ITypeInfo> reg;
    ASSERT_EQ(typeLib->GetTypeInfoOfGuid(IID_IRegister, reg.put()), S_OK);
    EXPECT_EQ(Documentation(reg.get(), 6), L"Protection: Returns protectin register");
    // The program's members, by their DISPIDs.
    ComPtr<ITypeInfo> program, step;
    ASSERT_EQ(typeLib->GetTypeInfoOfGuid(IID_IProgram, program.put()), S_OK);
    EXPECT_EQ(Documentation(program.get(), 1), L"Steps: Returns ref to Steps object");
    EXPECT_EQ(Documentation(program.get(), 4), L"ReturnOn: Sets/gets ReturnOn on/off setting");
    EXPECT_EQ(Documentation(program.get(), 5), L"Allocate: Allocate step object");
    EXPECT_EQ(Documentation(program.get(), 6), L"Free: Free step object");
    EXPECT_EQ(Documentation(program.get(), 7), L"Start: Starts test");
    ASSERT_EQ(typeLib->GetTypeInfoOfGuid(IID_IStep, step.put()), S_OK);
    EXPECT_EQ(Documentation(step.get(), 0), L"Index: Returns Index in the collection");
    EXPECT_EQ(Documentation(step.get(), 2), L"Memory: Sets/gets memory number or name");
    EXPECT_EQ(Documentation(step.get(), 3), L"NextInterval: Sets/gets next interval");

    ASSERT_EQ(Call("DllUnregisterServer"), S_OK);
    for (const ChildClass& c : kChildClasses) EXPECT_FALSE(KeyExists(c.key)) << c.className;
}

TEST(RegistrationTest, AChildKeptByAClientKeepsTheLibraryLoaded) {
    ComPtr<IMemories> memories;
    {
        ComPtr<IZew4400> driver = CreateDriver();
        ASSERT_EQ(driver->get_Memories(memories.put()), S_OK);
    }
    EXPECT_EQ(Call("DllCanUnloadNow"), S_FALSE);
    memories.reset();
    EXPECT_EQ(Call("DllCanUnloadNow"), S_OK);
}

std::wstring VersionString(const std::wstring& name) {
    const std::wstring path = DriverPath();
    DWORD ignored = 0;
    std::wstring block(GetFileVersionInfoSizeW(path.c_str(), &ignored), L'\0');
    if (block.empty() || !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()))
        return L"<none>";
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = L"\\StringFileInfo\\040904B0\\" + name;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &length)) return L"<missing>";
    return static_cast<const wchar_t*>(value);
}

TEST(RegistrationTest, VersionResourceAnnouncesSelfRegistration) {
    EXPECT_EQ(VersionString(L"FileVersion"), L"1.54.0.1");
    EXPECT_EQ(VersionString(L"ProductVersion"), L"1.54.0.0");
    EXPECT_EQ(VersionString(L"FileDescription"), L"Zew4400 Driver Objects");
    EXPECT_EQ(VersionString(L"OriginalFilename"), L"Zew4400.OCX");
    EXPECT_EQ(VersionString(L"OLESelfRegister"), L"");
    EXPECT_EQ(VersionString(L"ProductName"), L"Zew4400 Driver Objects");
    EXPECT_EQ(VersionString(L"InternalName"), L"Zew4400");
}

// The control's property pages: a ProgID each, hidden coclasses with an
// event interface of no members, and pages made by CoCreateInstance.
TEST(RegistrationTest, PropertyPagesAreRegisteredWithTheirProgIds) {
    struct Page {
        const CLSID* clsid;
        const IID* events;
        const wchar_t* name;
        const wchar_t* clsidKey;
    };
    const Page pages[] = {
        {&CLSID_PropPageGeneral, &DIID__IPropPageGeneralEvents, L"PropPageGeneral",
         L"CLSID\\{3CF9058D-1D4D-4F8A-9735-640799042219}"},
        {&CLSID_PropPageAuto, &DIID__IPropPageAutoEvents, L"PropPageAuto",
         L"CLSID\\{1C5F77B1-5C45-47BA-8334-164D53ED3B9B}"},
    };
    ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    ComPtr<ITypeLib> typeLib;
    ASSERT_EQ(LoadRegTypeLib(LIBID_ZEW4400Lib, 1, 0, 0x409, typeLib.put()), S_OK);
    for (const Page& page : pages) {
        SCOPED_TRACE(page.name);
        const std::wstring progId = std::wstring(L"Zew4400.") + page.name;
        const std::wstring className = std::wstring(page.name) + L" Class";
        CLSID clsid{};
        EXPECT_EQ(CLSIDFromProgID(progId.c_str(), &clsid), S_OK);
        EXPECT_TRUE(IsEqualCLSID(clsid, *page.clsid));
        EXPECT_EQ(Value(progId), className);
        EXPECT_EQ(Value(progId + L"\\CurVer"), progId + L".1");
        EXPECT_EQ(Value(progId + L".1"), className);
        EXPECT_EQ(Value(progId + L".1\\CLSID"), GuidText(*page.clsid));
        const std::wstring key = page.clsidKey;
        EXPECT_EQ(Value(key), className);
        EXPECT_TRUE(KeyExists(key + L"\\Programmable"));
        EXPECT_EQ(_wcsicmp(Value(key + L"\\InprocServer32").c_str(), DriverPath().c_str()), 0);
        EXPECT_EQ(Value(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");

        ComPtr<IPropertyPage> object;
        EXPECT_EQ(CoCreateInstance(*page.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage, object.put_void()), S_OK);
        object.reset();

        ComPtr<ITypeInfo> coclass, events;
        ASSERT_EQ(typeLib->GetTypeInfoOfGuid(*page.clsid, coclass.put()), S_OK);
        TYPEATTR* attr = nullptr;
        coclass->GetTypeAttr(&attr);
        EXPECT_NE(attr->wTypeFlags & TYPEFLAG_FHIDDEN, 0);
        coclass->ReleaseTypeAttr(attr);
        ASSERT_EQ(typeLib->GetTypeInfoOfGuid(*page.events, events.put()), S_OK);
        events->GetTypeAttr(&attr);
        EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
        EXPECT_EQ(attr->cFuncs, 0);
        EXPECT_EQ(attr->cVars, 0);
        events->ReleaseTypeAttr(attr);
    }
    ASSERT_EQ(Call("DllUnregisterServer"), S_OK);
    for (const Page& page : pages) {
        EXPECT_FALSE(KeyExists(page.clsidKey));
        EXPECT_FALSE(KeyExists(std::wstring(L"Zew4400.") + page.name));
        EXPECT_FALSE(KeyExists(std::wstring(L"Zew4400.") + page.name + L".1"));
    }
}

}  // namespace
}  // namespace zewtest
