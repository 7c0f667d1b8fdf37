// Zew4400.ocx loaded from beside the program and its objects made through its
// class object, as a client does; no test framework, so tools link it too.
#include "DriverTestSupport.h"

namespace zewtest {

std::wstring DriverPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path);
    directory.erase(directory.find_last_of(L"\\/") + 1);
    return directory + L"Zew4400.ocx";
}

HMODULE DriverModule() {
    static HMODULE module = LoadLibraryW(DriverPath().c_str());
    return module;
}

ComPtr<IClassFactory> ClassFactory(REFCLSID clsid) {
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    ComPtr<IClassFactory> factory;
    if (const auto get = DriverExport<GetClassObject>("DllGetClassObject")) {
        if (FAILED(get(clsid, IID_IClassFactory, factory.put_void()))) factory.reset();
    }
    return factory;
}

ComPtr<IZew4400> CreateDriver() {
    ComPtr<IZew4400> driver;
    if (ComPtr<IClassFactory> factory = ClassFactory(CLSID_Zew4400))
        factory->CreateInstance(nullptr, IID_IZew4400, driver.put_void());
    return driver;
}

}  // namespace zewtest
