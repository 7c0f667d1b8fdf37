#include "SetupTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

namespace zewtest {

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

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + L"\\");
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

int g_counter = 0;

}  // namespace

TempFolder::TempFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"zewsetup" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(++g_counter) + L"\\";
    RemoveTree(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

SetupSource::SetupSource() { AddBuilt(L"Setup.exe", L"Setup.exe"); }

void SetupSource::WriteList(const std::string& text) const { AddText(L"SETUP.LST", text); }

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
    std::string subkey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + key_;
    HKEY hkey = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hkey, nullptr);
    std::string folder = folderA();
    RegSetValueExA(hkey, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>(folder.size() + 1));
    RegCloseKey(hkey);
}

AppKeyTarget::~AppKeyTarget() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, ("Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + key_).c_str());
}

std::string ListHead(const AppKeyTarget& target, const std::string& extra) {
    return "[SetupHead]\r\nVendor=Orvanta\r\nProduct=ZEW4400 Driver\r\nCopyright=Copyright (C) 2026 Orvanta\r\n"
           "AppKey=" + target.key() + "\r\n" + extra + "[SetupList]\r\n";
}

namespace {

std::wstring SetupCommand(const SetupSource& source, const std::wstring& args) {
    return L"\"" + source.path() + L"Setup.exe\"" + (args.empty() ? L"" : L" " + args);
}

}  // namespace

SetupResult RunSetup(const SetupSource& source, const std::wstring& args, const std::wstring& workingFolder) {
    // Standard output goes to a file, read once the installer has ended:
    // helper processes Wine starts may hold on to an inherited pipe.
    TempFolder scratch;
    std::wstring outPath = scratch.path() + L"stdout.txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = out;
    si.hStdError = out;
    si.hStdInput = nullptr;
    PROCESS_INFORMATION pi{};
    std::wstring command = SetupCommand(source, args);
    SetupResult result;
    const std::wstring& folder = workingFolder.empty() ? source.path() : workingFolder;
    BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &si, &pi);
    CloseHandle(out);
    EXPECT_TRUE(started);
    if (!started) {
        result.exitCode = 0xFFFFFFFF;
        return result;
    }
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
    GetExitCodeProcess(pi.hProcess, &result.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    result.output = ReadFileText(outPath);
    return result;
}

PROCESS_INFORMATION StartSetup(const SetupSource& source) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring command = SetupCommand(source, L"");
    EXPECT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, source.path().c_str(),
                               &si, &pi));
    return pi;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string ReadFileText(const std::wstring& path) {
    std::ifstream in(Narrow(path), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void ClearRegistered() { RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\ZewSetupTest"); }

bool Registered(const std::wstring& libraryName) {
    return RegGetValueW(HKEY_CURRENT_USER, L"Software\\ZewSetupTest", libraryName.c_str(), RRF_RT_ANY, nullptr,
                        nullptr, nullptr) == ERROR_SUCCESS;
}

namespace {

struct WindowSearch {
    DWORD processId;
    const std::function<bool(HWND)>* match;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->processId || !IsWindowVisible(hwnd) || !(*search->match)(hwnd)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

}  // namespace

HWND WaitForWindowIf(DWORD processId, const std::function<bool(HWND)>& match, const std::string& what,
                     DWORD timeoutMs) {
    DWORD start = GetTickCount();
    do {
        WindowSearch search{processId, &match, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    if (timeoutMs > 0) ADD_FAILURE() << "no window " << what << "; the process has " << DescribeWindows(processId);
    return nullptr;
}

HWND WaitForWindow(DWORD processId, const std::wstring& className, const std::wstring& caption, DWORD timeoutMs) {
    auto match = [&](HWND hwnd) {
        wchar_t cls[256] = {};
        GetClassNameW(hwnd, cls, 256);
        return (className.empty() || className == cls) && (caption.empty() || caption == WindowText(hwnd));
    };
    return WaitForWindowIf(processId, match, Narrow(className) + " \"" + Narrow(caption) + "\"", timeoutMs);
}

namespace {

BOOL CALLBACK DescribeWindow(HWND hwnd, LPARAM lParam) {
    auto* pair = reinterpret_cast<std::pair<DWORD, std::string>*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != pair->first) return TRUE;
    wchar_t cls[256] = {};
    GetClassNameW(hwnd, cls, 256);
    pair->second += "[" + Narrow(cls) + " \"" + Narrow(WindowText(hwnd)) + "\"" + (IsWindowVisible(hwnd) ? "" : " hidden") + "] ";
    return TRUE;
}

}  // namespace

std::string DescribeWindows(DWORD processId) {
    std::pair<DWORD, std::string> pair{processId, ""};
    EnumWindows(DescribeWindow, reinterpret_cast<LPARAM>(&pair));
    return pair.second.empty() ? "no windows" : pair.second;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t text[2048] = {};
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

std::wstring MessageBoxText(HWND box) {
    std::wstring longest;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[64] = {};
        GetClassNameW(child, cls, 64);
        if (lstrcmpiW(cls, L"Static") != 0) continue;
        std::wstring text = WindowText(child);
        if (text.size() > longest.size()) longest = text;
    }
    return longest;
}

namespace {

std::string CurrentVersionValue(const char* name) {
    char value[260] = {};
    DWORD size = sizeof value;
    RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", name, RRF_RT_REG_SZ, nullptr,
                 value, &size);
    return value;
}

}  // namespace

std::string SharedFolder() { return CurrentVersionValue("CommonFilesDir") + "\\Orvanta Shared\\"; }

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\";
}

}  // namespace zewtest
