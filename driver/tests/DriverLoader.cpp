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

ComPtr<IZew4400> CreateDriver() {
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    const auto get = DriverExport<GetClassObject>("DllGetClassObject");
    ComPtr<IZew4400> driver;
    if (!get) return driver;
    ComPtr<IClassFactory> factory;
    if (FAILED(get(CLSID_Zew4400, IID_IClassFactory, factory.put_void()))) return driver;
    factory->CreateInstance(nullptr, IID_IZew4400, driver.put_void());
    return driver;
}

}  // namespace zewtest
