// Support of the installer's tests: a source folder holding Setup.exe, its
// SETUP.LST and the files to install; a private AppKey destination; a file
// placed in the system folder; running the installer and finding its windows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace zewtest {

// The folder of the running test program, with a trailing backslash.
std::wstring ProgramFolder();
std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

// A fresh folder under the temporary folder, removed with its contents.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // With a trailing backslash.
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

// A folder holding Setup.exe and the files to install.
class SetupSource {
public:
    SetupSource() { AddBuilt(L"Setup.exe", L"Setup.exe"); }
    const std::wstring& path() const { return folder_.path(); }
    // Writes SETUP.LST with the given text.
    void WriteList(const std::string& text) const { AddText(L"SETUP.LST", text); }
    // Copies a file built beside the test program under another name.
    void AddBuilt(const std::wstring& built, const std::wstring& name) const;
    void AddText(const std::wstring& name, const std::string& text) const;

private:
    TempFolder folder_;
};

// A file built beside the test program, copied into the system folder (where
// a real VISA library lives) under another name, and removed from there with
// the object. Only for test programs that run in a Wine prefix of their own.
class SystemFile {
public:
    SystemFile(const std::wstring& built, const std::wstring& name);
    ~SystemFile() { static_cast<void>(Remove()); }
    SystemFile(const SystemFile&) = delete;
    SystemFile& operator=(const SystemFile&) = delete;
    // Whether the file is gone.
    bool Remove() const;

private:
    std::wstring path_;
};

// HKLM ... App Paths\<key> with its Path value set to a folder of its own, so
// that APPKEY entries land in a private folder. Both go with the object.
class AppKeyTarget {
public:
    AppKeyTarget();
    ~AppKeyTarget();
    AppKeyTarget(const AppKeyTarget&) = delete;
    AppKeyTarget& operator=(const AppKeyTarget&) = delete;
    const std::string& key() const { return key_; }
    const std::wstring& folder() const { return folder_.path(); }
    std::string folderA() const { return Narrow(folder_.path()); }

private:
    std::string key_;
    TempFolder folder_;
};

// The header lines of a list with the AppKey of `target`.
std::string ListHead(const AppKeyTarget& target, const std::string& extra = "");

struct SetupResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;  // the standard output
};

// Runs Setup.exe from `source` with `args` and waits for it to end. It runs
// in `workingFolder`, by default the source folder.
SetupResult RunSetup(const SetupSource& source, const std::wstring& args, const std::wstring& workingFolder = L"");

// Starts Setup.exe (no arguments); the caller waits on the process.
PROCESS_INFORMATION StartSetup(const SetupSource& source);

std::vector<std::string> Lines(const std::string& text);
std::string ReadFileText(const std::wstring& path);
bool FileExists(const std::wstring& path);

// Names registered by the test libraries since the last clear.
void ClearRegistered();
bool Registered(const std::wstring& libraryName);

// Whether `condition` holds within the time, asked every 50 ms.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 20000);

// A visible top-level window of a process; a failure when none comes in time.
HWND WaitForWindowIf(DWORD processId, const std::function<bool(HWND)>& match, const std::string& what,
                     DWORD timeoutMs = 20000);
HWND WaitForWindow(DWORD processId, const std::wstring& className, const std::wstring& caption, DWORD timeoutMs = 20000);
std::wstring WindowText(HWND hwnd);
// The process's top-level windows with class and caption, for failure messages.
std::string DescribeWindows(DWORD processId);

// The wizard: the property sheet with the Next button (its caption is the
// platform's choice, the sheet's or the page's), its current page, and a
// button pressed: the page that then shows, or nullptr when none other does.
constexpr int kBackButton = 0x3023;
constexpr int kNextButton = 0x3024;
HWND WaitForWizard(DWORD processId);
HWND CurrentPage(HWND sheet);
HWND Press(HWND sheet, int button);

// The shared and system folders as the installer forms them.
std::string SharedFolder();
std::string SystemFolder();

}  // namespace zewtest
