#include "SetupTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <prsht.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/UniqueAny.h"

namespace zewtest {

using zew::setup::UniqueHandle;

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring Widen(const std::string& text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string Narrow(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

namespace {

int g_counter = 0;
const char kAppPaths[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

}  // namespace

TempFolder::TempFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"zewsetup" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(++g_counter) + L"\\";
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void SetupSource::AddBuilt(const std::wstring& built, const std::wstring& name) const {
    ASSERT_TRUE(CopyFileW((ProgramFolder() + built).c_str(), (path() + name).c_str(), FALSE)) << Narrow(built);
}

void SetupSource::AddText(const std::wstring& name, const std::string& text) const {
    std::ofstream(Narrow(path() + name), std::ios::binary) << text;
}

SystemFile::SystemFile(const std::wstring& built, const std::wstring& name) : path_(Widen(SystemFolder()) + name) {
    EXPECT_TRUE(CopyFileW((ProgramFolder() + built).c_str(), path_.c_str(), FALSE)) << Narrow(path_);
}

bool SystemFile::Remove() const { return DeleteFileW(path_.c_str()) || !FileExists(path_); }

AppKeyTarget::AppKeyTarget() {
    key_ = "ZewSetupTest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++g_counter) + ".exe";
    std::string folder = folderA();
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, (kAppPaths + key_).c_str(), "Path", REG_SZ, folder.c_str(),
                    static_cast<DWORD>(folder.size() + 1));
}

AppKeyTarget::~AppKeyTarget() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, (kAppPaths + key_).c_str()); }

std::string ListHead(const AppKeyTarget& target, const std::string& extra) {
    return "[SetupHead]\r\nVendor=Orvanta\r\nProduct=ZEW4400 Driver\r\nCopyright=Copyright (C) 2026 Orvanta\r\n"
           "AppKey=" + target.key() + "\r\n" + extra + "[SetupList]\r\n";
}

namespace {

// Starts Setup.exe in `folder` (by default the source folder), its standard
// output and error going to `output` when given.
PROCESS_INFORMATION Start(const SetupSource& source, const std::wstring& args, const std::wstring& folder,
                          HANDLE output) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (output) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = si.hStdError = output;
    }
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + source.path() + L"Setup.exe\"" + (args.empty() ? L"" : L" " + args);
    EXPECT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, output != nullptr, 0, nullptr,
                               (folder.empty() ? source.path() : folder).c_str(), &si, &pi));
    return pi;
}

}  // namespace

SetupResult RunSetup(const SetupSource& source, const std::wstring& args, const std::wstring& workingFolder) {
    // Standard output goes to a file, read once the installer has ended:
    // helper processes Wine starts may hold on to an inherited pipe.
    TempFolder scratch;
    std::wstring outPath = scratch.path() + L"stdout.txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    UniqueHandle out = zew::setup::FileHandle(CreateFileW(outPath.c_str(), GENERIC_WRITE,
        FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    PROCESS_INFORMATION pi = Start(source, args, workingFolder, out.get());
    out.reset();
    SetupResult result;
    if (!pi.hProcess) return result;
    UniqueHandle process(pi.hProcess), thread(pi.hThread);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
    GetExitCodeProcess(pi.hProcess, &result.exitCode);
    result.output = ReadFileText(outPath);
    return result;
}

PROCESS_INFORMATION StartSetup(const SetupSource& source) { return Start(source, L"", L"", nullptr); }

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string ReadFileText(const std::wstring& path) {
    std::ostringstream out;
    out << std::ifstream(Narrow(path), std::ios::binary).rdbuf();
    return out.str();
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void ClearRegistered() { RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\ZewSetupTest"); }

bool Registered(const std::wstring& libraryName) {
    return RegGetValueW(HKEY_CURRENT_USER, L"Software\\ZewSetupTest", libraryName.c_str(), RRF_RT_ANY, nullptr,
                        nullptr, nullptr) == ERROR_SUCCESS;
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    for (DWORD start = GetTickCount();; Sleep(50)) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
    }
}

namespace {

struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
    auto* windows = reinterpret_cast<ProcessWindows*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == windows->processId) windows->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    ProcessWindows windows{processId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows.found;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

}  // namespace

HWND WaitForWindowIf(DWORD processId, const std::function<bool(HWND)>& match, const std::string& what,
                     DWORD timeoutMs) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND hwnd : TopLevelWindows(processId))
                if (IsWindowVisible(hwnd) && match(hwnd)) return (found = hwnd) != nullptr;
            return false;
        },
        timeoutMs);
    if (!found && timeoutMs > 0) ADD_FAILURE() << "no window " << what << "; the process has " << DescribeWindows(processId);
    return found;
}

HWND WaitForWindow(DWORD processId, const std::wstring& className, const std::wstring& caption, DWORD timeoutMs) {
    auto match = [&](HWND hwnd) {
        return (className.empty() || className == ClassName(hwnd)) && (caption.empty() || caption == WindowText(hwnd));
    };
    return WaitForWindowIf(processId, match, Narrow(className) + " \"" + Narrow(caption) + "\"", timeoutMs);
}

std::string DescribeWindows(DWORD processId) {
    std::string text;
    for (HWND hwnd : TopLevelWindows(processId))
        text += "[" + Narrow(ClassName(hwnd)) + " \"" + Narrow(WindowText(hwnd)) + "\"" +
                (IsWindowVisible(hwnd) ? "] " : " hidden] ");
    return text.empty() ? "no windows" : text;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t text[2048] = {};
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

HWND WaitForWizard(DWORD processId) {
    return WaitForWindowIf(processId, [](HWND hwnd) { return GetDlgItem(hwnd, kNextButton) != nullptr; }, "wizard");
}

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

HWND Press(HWND sheet, int button) {
    HWND before = CurrentPage(sheet), page = nullptr;
    PostMessageW(sheet, PSM_PRESSBUTTON, button, 0);
    WaitFor([&] { return (page = CurrentPage(sheet)) && page != before; }, 10000);
    return page != before ? page : nullptr;
}

std::string SharedFolder() {
    char value[260] = {};
    DWORD size = sizeof value;
    RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "CommonFilesDir", RRF_RT_REG_SZ,
                 nullptr, value, &size);
    return std::string(value) + "\\Orvanta Shared\\";
}

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\";
}

}  // namespace zewtest
