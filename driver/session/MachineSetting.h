// The driver's settings of a machine's installation (not of a client): string
// values under Software\Orvanta\Zew4400, the user's first, then the machine's.
#pragma once

#include <optional>
#include <string>

namespace zew::session {

// The value under HKEY_CURRENT_USER, else HKEY_LOCAL_MACHINE; nothing when
// neither holds a non-empty string of fewer than MAX_PATH characters.
std::optional<std::wstring> MachineSetting(const wchar_t* name);

}  // namespace zew::session
