// Text between the automation interface (UTF-16) and the instrument and VISA
// (8-bit characters of the system's default code page).
#pragma once

#include <string>
#include <string_view>

namespace zew::session {

std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view text);

// The same for UTF-8, the text of the I/O trace.
std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

}  // namespace zew::session
