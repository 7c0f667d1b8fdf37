// Setup.exe with its windows, driven through the window tree as a user would:
// the wizard's pages, the progress dialog and the message boxes.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include "SetupTestSupport.h"
#include "engine/UniqueAny.h"

namespace zewtest {
namespace {

constexpr int kBackButton = 0x3023;  // the wizard's Back button
constexpr int kNextButton = 0x3024;

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override { ClearRegistered(); }
    void TearDown() override {
        if (process.hProcess) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 99);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        ClearRegistered();
    }

    void Start() { process = StartSetup(source); }
    HWND Window(const std::wstring& className, const std::wstring& caption) {
        return WaitForWindow(process.dwProcessId, className, caption);
    }
    DWORD ExitCode() {
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
        DWORD code = 99;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }
    // The wizard: the property sheet with the Next button. Its caption is the
    // platform's choice (the sheet's or the page's).
    HWND Sheet() {
        return WaitForWindowIf(
            process.dwProcessId, [](HWND hwnd) { return GetDlgItem(hwnd, kNextButton) != nullptr; }, "wizard");
    }
    // Presses a wizard button and waits for the page to change.
    HWND Press(HWND sheet, int button) {
        HWND before = CurrentPage(sheet);
        PostMessageW(sheet, PSM_PRESSBUTTON, button, 0);
        for (int i = 0; i < 200; ++i) {
            HWND page = CurrentPage(sheet);
            if (page && page != before) return page;
            Sleep(50);
        }
        return nullptr;
    }
    // Whether the sheet's button reaches the state within 10 s: a page sets
    // its buttons when it becomes active, which another process may see a
    // moment after the page itself.
    static bool ButtonEnabled(HWND sheet, int button, bool enabled) {
        for (int i = 0; i < 200; ++i) {
            if ((IsWindowEnabled(GetDlgItem(sheet, button)) != FALSE) == enabled) return true;
            Sleep(50);
        }
        return false;
    }
    static HWND CurrentPage(HWND sheet) {
        return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    static std::wstring Item(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }
    // Waits until a window's caption reads `caption`.
    static bool WaitForCaption(HWND hwnd, const std::wstring& caption) {
        for (int i = 0; i < 400; ++i) {
            if (WindowText(hwnd) == caption) return true;
            Sleep(50);
        }
        return false;
    }
    static std::vector<std::string> LogLines(HWND progress) {
        HWND list = GetDlgItem(progress, 1000);
        std::vector<std::string> lines;
        LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[1024] = {};
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            lines.push_back(Narrow(text));
        }
        return lines;
    }
    // Reads a message box's text and presses its OK button.
    HWND MessageBoxWindow() {
        return WaitForWindowIf(
            process.dwProcessId,
            [](HWND hwnd) {
                wchar_t cls[64] = {};
                GetClassNameW(hwnd, cls, 64);
                return std::wstring(cls) == L"#32770" && WindowText(hwnd) == L"Setup" &&
                       !GetDlgItem(hwnd, kNextButton);
            },
            "message box");
    }
    std::wstring AnswerMessageBox() {
        HWND box = MessageBoxWindow();
        if (!box) return L"(no message box)";
        std::wstring text = MessageBoxText(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return text;
    }
    std::string In(const std::string& name) const { return target.folderA() + name; }
    // Starts the installer and goes through the wizard with Next and Finish:
    // the progress dialog, or nullptr.
    HWND StartAndFinishTheWizard() {
        Start();
        HWND sheet = Sheet();
        if (!sheet || !Press(sheet, PSBTN_NEXT)) return nullptr;
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
        return Window(L"#32770", L"Setup in progress...");
    }

    SetupSource source;
    AppKeyTarget target;
    PROCESS_INFORMATION process{};
};

// Wine's loader prefers its own COMCTL32.dll to a file of that name beside the
// program; for Setup.exe in this test's prefix it searches as Windows does.
class NativeCommonControls {
public:
    NativeCommonControls() {
        RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"comctl32", REG_SZ, L"native,builtin", sizeof L"native,builtin");
    }
    ~NativeCommonControls() { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
    NativeCommonControls(const NativeCommonControls&) = delete;
    NativeCommonControls& operator=(const NativeCommonControls&) = delete;

private:
    static constexpr const wchar_t* kKey = L"Software\\Wine\\AppDefaults\\Setup.exe\\DllOverrides";
};

// A COMCTL32.dll planted beside Setup.exe never runs. A file in use is not
// replaced: the log shows it, the verdict follows the registration, and the
// exit code tells it.
TEST_F(WizardTest, FullRunThroughBothPagesAndTheProgressDialog) {
    SystemFile visa(L"VISA32.DLL", L"VISA32.DLL");
    NativeCommonControls nativeCommonControls;
    source.AddBuilt(L"zew_planted.dll", L"COMCTL32.dll");
    source.AddBuilt(L"zew_reg_ok.dll", L"REGA.DLL");
    source.AddText(L"README.TXT", "read me");
    source.AddText(L"INUSE.TXT", "new");
    source.WriteList(ListHead(target, "Visa=1\r\nHelpFile=ZEW4400.HLP\r\n") +
                     "File01=README.TXT,APPKEY,COPY\r\nFile02=REGA.DLL,APPKEY,REGISTER\r\nFile03=INUSE.TXT,APPKEY,COPY\r\n");
    zew::setup::UniqueHandle inUse = zew::setup::FileHandle(CreateFileW((target.folder() + L"INUSE.TXT").c_str(),
        GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(inUse);
    Start();
    HWND background = Window(L"ZewSetupBackground", L"Orvanta Setup");
    // By now the common controls are loaded.
    EXPECT_FALSE(FileExists(source.path() + L"COMCTL32.dll.ran"));
    ASSERT_TRUE(background);
    EXPECT_TRUE(IsZoomed(background));

    HWND sheet = Sheet();
    ASSERT_TRUE(sheet);
    HWND welcome = CurrentPage(sheet);
    ASSERT_TRUE(welcome);
    const std::wstring kWelcome =
        L"Welcome to Orvanta ZEW4400 Driver SETUP program.  This program installs ZEW4400 Driver onto your hard "
        L"disk and registers to the system registry.";
    EXPECT_EQ(Item(welcome, 1004), L"ZEW4400 Driver SETUP");
    EXPECT_EQ(Item(welcome, 1000), kWelcome);
    EXPECT_EQ(Item(welcome, 1002), L"Copyright (C) 2026 Orvanta");
    EXPECT_TRUE(ButtonEnabled(sheet, kBackButton, false)) << "Back is enabled on the first page";
    SetWindowTextW(GetDlgItem(welcome, 1000), L"changed");

    HWND finish = Press(sheet, PSBTN_NEXT);
    ASSERT_TRUE(finish);
    EXPECT_EQ(Narrow(Item(finish, 1007)),
              "Instrument Drivers and HELP files will be copied to\n  " + SharedFolder() +
                  "\n\nSystem shared components will  be copied to\n  " + SystemFolder() + "\n\n");
    EXPECT_TRUE(ButtonEnabled(sheet, kBackButton, true)) << "Back is disabled on the second page";

    // Back activates the welcome page again: its texts are set afresh.
    ASSERT_EQ(Press(sheet, PSBTN_BACK), welcome);
    EXPECT_EQ(Item(welcome, 1000), kWelcome);
    ASSERT_EQ(Press(sheet, PSBTN_NEXT), finish);
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);

    HWND progress = Window(L"#32770", L"Setup in progress...");
    ASSERT_TRUE(progress);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(progress, 1001)));
    ASSERT_TRUE(WaitForCaption(progress, L"Setup complete !"));
    EXPECT_EQ(LogLines(progress), (std::vector<std::string>{In("README.TXT") + " - successfully copied",
                                                            In("REGA.DLL") + " - successfully copied",
                                                            In("INUSE.TXT") + " - SHARINGVIOLATION",
                                                            In("REGA.DLL") + " - successfully registered", ""}));
    EXPECT_EQ(Item(progress, IDCANCEL), L"&Close");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(progress, 1001)));
    EXPECT_EQ(SendDlgItemMessageW(progress, 1002, PBM_GETPOS, 0, 0), 3);
    EXPECT_TRUE(Registered(L"REGA.DLL"));

    PostMessageW(progress, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(ExitCode(), 5u);
}

TEST_F(WizardTest, InvalidListIsRefusedBeforeAnyWindow) {
    source.WriteList("[SetupHead]\r\nVendor=\r\n");
    Start();
    ASSERT_TRUE(MessageBoxWindow());
    EXPECT_EQ(WaitForWindow(process.dwProcessId, L"ZewSetupBackground", L"", 0), nullptr);
    EXPECT_EQ(AnswerMessageBox(), L"Invalid SETUP.LST or contents corrupted");
    EXPECT_EQ(ExitCode(), 2u);
}

TEST_F(WizardTest, ListErrorShowsTheEntryAndAbortsWithNothingCopied) {
    source.AddText(L"A.TXT", "a");
    source.WriteList(ListHead(target) + "File01=A.TXT,APPKEY,COPY\r\nFile02=B.TXT,NOWHERE,COPY\r\n");
    HWND progress = StartAndFinishTheWizard();
    ASSERT_TRUE(progress);
    EXPECT_EQ(AnswerMessageBox(), L"File02 : Dest");
    ASSERT_TRUE(WaitForCaption(progress, L"Setup aborted !"));
    EXPECT_EQ(LogLines(progress), (std::vector<std::string>{""}));
    EXPECT_FALSE(FileExists(target.folder() + L"A.TXT"));
    PostMessageW(progress, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(ExitCode(), 2u);
}

TEST_F(WizardTest, FailedRegistrationAbortsWithTheLogKept) {
    source.AddBuilt(L"zew_reg_ok.dll", L"REGA.DLL");
    source.AddBuilt(L"zew_reg_noexport.dll", L"NOEXP.DLL");
    source.WriteList(ListHead(target) + "File01=REGA.DLL,APPKEY,REGISTER\r\nFile02=NOEXP.DLL,APPKEY,REGISTER\r\n");
    HWND progress = StartAndFinishTheWizard();
    ASSERT_TRUE(progress);
    ASSERT_TRUE(WaitForCaption(progress, L"Setup aborted !"));
    EXPECT_EQ(LogLines(progress), (std::vector<std::string>{In("REGA.DLL") + " - successfully copied",
                                                            In("NOEXP.DLL") + " - successfully copied",
                                                            In("REGA.DLL") + " - successfully registered",
                                                            In("NOEXP.DLL") + " - loaded but DllRegisterServer not found",
                                                            ""}));
    EXPECT_EQ(Item(progress, IDCANCEL), L"&Close");
    PostMessageW(progress, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCode(), 1u);
}

TEST_F(WizardTest, VisaCheckRunsAgainOnBackAndEndsTheProgramWhenTheLibraryIsGone) {
    SystemFile visa(L"VISA32.DLL", L"VISA32.DLL");
    source.AddText(L"A.TXT", "a");
    source.WriteList(ListHead(target, "Visa=yes\r\n") + "File01=A.TXT,APPKEY,COPY\r\n");
    Start();
    HWND sheet = Sheet();
    ASSERT_TRUE(sheet);
    ASSERT_TRUE(Press(sheet, PSBTN_NEXT));
    ASSERT_TRUE(visa.Remove());
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_BACK, 0);
    EXPECT_EQ(AnswerMessageBox(), L"VISA library (VISA32.DLL) not found.  Please install VISA library first.");
    EXPECT_EQ(ExitCode(), 3u);
    EXPECT_FALSE(FileExists(target.folder() + L"A.TXT"));
}

TEST_F(WizardTest, CancelWithinTheFirstSecondCopiesNothing) {
    source.AddText(L"A.TXT", "a");
    source.WriteList(ListHead(target) + "File01=A.TXT,APPKEY,COPY\r\n");
    HWND progress = StartAndFinishTheWizard();
    ASSERT_TRUE(progress);
    EXPECT_TRUE(LogLines(progress).empty());
    PostMessageW(progress, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(ExitCode(), 4u);
    EXPECT_FALSE(FileExists(target.folder() + L"A.TXT"));
}

TEST_F(WizardTest, CancellingTheWizardEndsTheProgram) {
    source.WriteList(ListHead(target));
    Start();
    HWND sheet = Sheet();
    ASSERT_TRUE(sheet);
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    EXPECT_EQ(ExitCode(), 4u);
}

}  // namespace
}  // namespace zewtest
