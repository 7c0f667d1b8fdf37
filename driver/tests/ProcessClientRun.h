// Runs zew-process-client, from beside the test program, in a process of its
// own with environment variables of the case's own.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace zewtest {

// Variables set for the client only (an empty value: removed).
using ClientEnvironment = std::vector<std::pair<std::wstring, std::wstring>>;

PROCESS_INFORMATION StartClient(const std::wstring& arguments, const ClientEnvironment& env);
// Its exit code, 99 when it did not end within a minute.
DWORD FinishClient(const PROCESS_INFORMATION& process);
DWORD RunClient(const std::wstring& arguments, const ClientEnvironment& env);

}  // namespace zewtest
