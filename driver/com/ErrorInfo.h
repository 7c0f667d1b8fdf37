// Automation error information for the calling thread.
#pragma once

#include <windows.h>

#include <string>

namespace zew::com {

// Installs error information with the description and help file as the
// calling thread's and returns hr.
HRESULT SetErrorInfoDescription(HRESULT hr, const std::wstring& description, const std::wstring& helpFile);

}  // namespace zew::com
