// A library for the installer's tests, built several times. With
// ZEW_REGISTER_RESULT it exports a registration that answers that result and
// records its library's path under HKEY_CURRENT_USER\Software\ZewSetupTest,
// named by the library's file name; without it, it has no such export. With
// ZEW_PLANTED it records that its code ran: when a process loads it, it creates
// an empty file beside itself named after it with ".ran" appended
// (VISA32.DLL.ran). The tests plant that one under the names of the libraries
// the installer must never run from its own or the current folder.
#include <windows.h>

namespace {

wchar_t g_path[MAX_PATH + 8] = {};

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    [[maybe_unused]] DWORD length = GetModuleFileNameW(module, g_path, MAX_PATH);
#ifdef ZEW_PLANTED
    if (length == 0 || length >= MAX_PATH) return TRUE;
    wchar_t marker[MAX_PATH + 8] = {};
    lstrcpyW(marker, g_path);
    lstrcpyW(marker + length, L".ran");
    HANDLE file = CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
#endif
    return TRUE;
}

#ifdef ZEW_REGISTER_RESULT
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() {
    const wchar_t* name = g_path;
    for (const wchar_t* p = g_path; *p; ++p)
        if (*p == L'\\' || *p == L'/') name = p + 1;
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\ZewSetupTest", name, REG_SZ, g_path,
                    static_cast<DWORD>((lstrlenW(g_path) + 1) * sizeof(wchar_t)));
    return ZEW_REGISTER_RESULT;
}
#endif
