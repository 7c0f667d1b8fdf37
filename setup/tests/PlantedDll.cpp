// A library for the installer's tests that records that its code ran: when a
// process loads it, it creates an empty file beside itself named after it with
// ".ran" appended (VISA32.DLL.ran). The tests plant it under the names of the
// libraries the installer must never run from its own or the current folder.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH + 8] = {};
    DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TRUE;
    lstrcpyW(path + length, L".ran");
    HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    return TRUE;
}
