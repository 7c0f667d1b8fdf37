// The driver's settings of an installation (not of a client): string values
// under Software\Orvanta\Zew4400.
#pragma once

#include <optional>
#include <string>

namespace zew::session {

// The machine's value: HKEY_LOCAL_MACHINE only, in the 64-bit registry view
// (the only one on 32-bit Windows), so that one value serves the 32- and the
// 64-bit driver. What chooses code to load is read here: any program of the
// user can write HKEY_CURRENT_USER, and an elevated process would trust it.
// Nothing when the value is absent, empty or not shorter than MAX_PATH.
std::optional<std::wstring> MachineSetting(const wchar_t* name);

// The user's value under HKEY_CURRENT_USER, else the machine's (in the
// process's own view): for settings that choose neither code nor a file of
// someone else to change.
std::optional<std::wstring> UserOrMachineSetting(const wchar_t* name);

// Whether HKEY_CURRENT_USER holds the value at all (of any type), to say that
// it is ignored.
bool UserHasSetting(const wchar_t* name);

}  // namespace zew::session
