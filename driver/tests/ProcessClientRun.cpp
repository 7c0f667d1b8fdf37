#include "ProcessClientRun.h"

#include <gtest/gtest.h>

namespace zewtest {
namespace {

std::wstring Folder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.erase(folder.find_last_of(L"\\/") + 1);
}

}  // namespace

PROCESS_INFORMATION StartClient(const std::wstring& arguments, const ClientEnvironment& env) {
    for (const auto& [name, value] : env) SetEnvironmentVariableW(name.c_str(), value.empty() ? nullptr : value.c_str());
    std::wstring command = L"\"" + Folder() + L"zew-process-client.exe\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &process);
    for (const auto& [name, value] : env) SetEnvironmentVariableW(name.c_str(), nullptr);
    EXPECT_TRUE(started);
    return process;
}

DWORD FinishClient(const PROCESS_INFORMATION& process) {
    DWORD code = 99;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

DWORD RunClient(const std::wstring& arguments, const ClientEnvironment& env) {
    return FinishClient(StartClient(arguments, env));
}

}  // namespace zewtest
