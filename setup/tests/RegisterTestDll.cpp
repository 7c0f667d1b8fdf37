// A library for the installer's tests. Built several times: with a
// registration export that succeeds (ZEW_REGISTER_RESULT 0) or answers S_FALSE
// (1), or without the export. A called export records its library's path under
// HKEY_CURRENT_USER\Software\ZewSetupTest, named by the library's file name.
#include <windows.h>

namespace {

HINSTANCE g_module = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = module;
    return TRUE;
}

#ifdef ZEW_REGISTER_RESULT
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(g_module, path, MAX_PATH);
    const wchar_t* name = path;
    for (const wchar_t* p = path; *p; ++p)
        if (*p == L'\\' || *p == L'/') name = p + 1;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\ZewSetupTest", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(path),
                       static_cast<DWORD>((lstrlenW(path) + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    return ZEW_REGISTER_RESULT;
}
#endif
