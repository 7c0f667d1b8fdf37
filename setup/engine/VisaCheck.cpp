#include "VisaCheck.h"

#include <string>

#include "UniqueAny.h"

namespace zew::setup {

bool VisaLibraryPresent() {
    // The names the driver of the installer's own architecture looks for.
#ifdef _WIN64
    const wchar_t* const names[] = {L"visa64.dll", L"VISA32.DLL"};
#else
    const wchar_t* const names[] = {L"VISA32.DLL"};
#endif
    wchar_t folder[MAX_PATH] = {};
    UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    for (const wchar_t* name : names) {
        std::wstring path = std::wstring(folder, length) + L"\\" + name;
        // Mapped as data: none of its code runs in the installer.
        UniqueModule visa(
            LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        if (visa) return true;
    }
    return false;
}

}  // namespace zew::setup
