// Self-registration: what clients and form designers find in the registry,
// its replacement and its removal, and the class objects' lifetime.
#include <gtest/gtest.h>

#include <string>

#include "DriverTestSupport.h"

namespace zewtest {
namespace {

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring ClsidKey(REFCLSID clsid) { return L"CLSID\\" + GuidText(clsid); }

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

// Every class the library registers: the ones a client names by ProgID, and
// the child objects it reaches only through the driver object.
struct RegisteredClass {
    const CLSID* clsid;
    const IID* iid;
    const wchar_t* progId;   // version-independent; nullptr: none
};

const RegisteredClass kClasses[] = {
    {&CLSID_Zew4400, &IID_IZew4400, L"Zew4400.Zew4400"},
    {&CLSID_PropPageGeneral, &IID_IPropertyPage, L"Zew4400.PropPageGeneral"},
    {&CLSID_PropPageAuto, &IID_IPropertyPage, L"Zew4400.PropPageAuto"},
    {&CLSID_Register, &IID_IRegister, nullptr},
    {&CLSID_Memories, &IID_IMemories, nullptr},
    {&CLSID_Memory, &IID_IMemory, nullptr},
    {&CLSID_Programs, &IID_IPrograms, nullptr},
    {&CLSID_Program, &IID_IProgram, nullptr},
    {&CLSID_Steps, &IID_ISteps, nullptr},
    {&CLSID_Step, &IID_IStep, nullptr},
};

// Each class: its ProgIDs (or none), an in-process apartment server at the
// library's own path, and an object CoCreateInstance can make.
void ExpectRegistered() {
    for (const RegisteredClass& c : kClasses) {
        const std::wstring key = ClsidKey(*c.clsid);
        SCOPED_TRACE(key);
        if (c.progId) {
            const std::wstring progId = c.progId;
            CLSID clsid{};
            EXPECT_EQ(CLSIDFromProgID(c.progId, &clsid), S_OK);
            EXPECT_TRUE(IsEqualCLSID(clsid, *c.clsid));
            EXPECT_EQ(Value(progId + L"\\CurVer"), progId + L".1");
            EXPECT_EQ(Value(progId + L".1\\CLSID"), GuidText(*c.clsid));
            EXPECT_EQ(Value(key + L"\\ProgID"), c.progId == std::wstring(L"Zew4400.Zew4400") ? progId + L".1" : L"<missing>");
        } else {
            EXPECT_FALSE(KeyExists(key + L"\\ProgID"));
        }
        EXPECT_TRUE(KeyExists(key + L"\\Programmable"));
        EXPECT_EQ(_wcsicmp(Value(key + L"\\InprocServer32").c_str(), DriverPath().c_str()), 0);
        EXPECT_EQ(Value(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
        ComPtr<IUnknown> object;
        EXPECT_EQ(CoCreateInstance(*c.clsid, nullptr, CLSCTX_INPROC_SERVER, *c.iid, object.put_void()), S_OK);
    }

    // What a form designer looks for: a control it can insert, its toolbox
    // picture, its status bits and its type library.
    const std::wstring key = ClsidKey(CLSID_Zew4400);
    EXPECT_EQ(Value(key + L"\\VersionIndependentProgID"), L"Zew4400.Zew4400");
    EXPECT_TRUE(KeyExists(key + L"\\Control") && KeyExists(key + L"\\Insertable"));
    EXPECT_EQ(Value(key + L"\\ToolboxBitmap32"), Value(key + L"\\InprocServer32") + L", 101");
    EXPECT_EQ(Value(key + L"\\MiscStatus\\1"), L"132497");
    EXPECT_EQ(Value(key + L"\\TypeLib"), GuidText(LIBID_ZEW4400Lib));
    ComPtr<ITypeLib> typeLib;
    EXPECT_EQ(LoadRegTypeLib(LIBID_ZEW4400Lib, 1, 0, 0x409, typeLib.put()), S_OK);
}

TEST(RegistrationTest, RegisteringWritesOneCleanCopyAndUnregisteringRemovesIt) {
    ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    ExpectRegistered();
    EXPECT_EQ(Call("DllCanUnloadNow"), S_OK);   // the objects made are gone

    // Stale content from an older copy goes away on the next registration.
    HKEY stale = nullptr;
    for (const std::wstring& key : {ClsidKey(CLSID_Zew4400) + L"\\Stale\\Deeper", std::wstring(L"Zew4400.Zew4400\\Stale")}) {
        ASSERT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, key.c_str(), &stale), ERROR_SUCCESS);
        RegCloseKey(stale);
    }
    ASSERT_EQ(Call("DllRegisterServer"), S_OK);
    ExpectRegistered();
    EXPECT_FALSE(KeyExists(ClsidKey(CLSID_Zew4400) + L"\\Stale"));
    EXPECT_FALSE(KeyExists(L"Zew4400.Zew4400\\Stale"));

    ASSERT_EQ(Call("DllUnregisterServer"), S_OK);
    for (const RegisteredClass& c : kClasses) {
        EXPECT_FALSE(KeyExists(ClsidKey(*c.clsid))) << ClsidKey(*c.clsid);
        if (c.progId) {
            EXPECT_FALSE(KeyExists(c.progId)) << c.progId;
            EXPECT_FALSE(KeyExists(c.progId + std::wstring(L".1"))) << c.progId;
        }
    }
    EXPECT_FALSE(KeyExists(L"TypeLib\\" + GuidText(LIBID_ZEW4400Lib)));
    EXPECT_FALSE(KeyExists(L"Interface\\" + GuidText(IID_IZew4400)));
    EXPECT_TRUE(KeyExists(L"CLSID"));
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
    factory->LockServer(FALSE);   // live objects count as ProcessStateTest shows
    EXPECT_EQ(Call("DllCanUnloadNow"), S_OK);
}

}  // namespace
}  // namespace zewtest
