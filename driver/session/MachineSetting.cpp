#include "MachineSetting.h"

#include <windows.h>

#include <zewhandles/WindowsHandles.h>

namespace zew::session {
namespace {

constexpr wchar_t kKey[] = L"Software\\Orvanta\\Zew4400";

std::optional<std::wstring> ReadString(HKEY root, REGSAM view, const wchar_t* name) {
    handles::UniqueHkey key;
    if (RegOpenKeyExW(root, kKey, 0, KEY_QUERY_VALUE | view, key.put()) != ERROR_SUCCESS) return std::nullopt;
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    if (RegGetValueW(key.get(), nullptr, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS ||
        value[0] == L'\0')
        return std::nullopt;
    return std::wstring(value);
}

}  // namespace

std::optional<std::wstring> MachineSetting(const wchar_t* name) {
    return ReadString(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, name);
}

std::optional<std::wstring> UserOrMachineSetting(const wchar_t* name) {
    if (auto value = ReadString(HKEY_CURRENT_USER, 0, name)) return value;
    return ReadString(HKEY_LOCAL_MACHINE, 0, name);
}

bool UserHasSetting(const wchar_t* name) {
    return RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace zew::session
