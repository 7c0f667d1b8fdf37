#include "MachineSetting.h"

#include <windows.h>

namespace zew::session {

std::optional<std::wstring> MachineSetting(const wchar_t* name) {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        wchar_t value[MAX_PATH] = {};
        DWORD size = sizeof value - sizeof(wchar_t);
        if (RegGetValueW(root, L"Software\\Orvanta\\Zew4400", name, RRF_RT_REG_SZ, nullptr, value, &size) ==
                ERROR_SUCCESS &&
            value[0] != L'\0')
            return std::wstring(value);
    }
    return std::nullopt;
}

}  // namespace zew::session
