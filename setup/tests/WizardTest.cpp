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

using Lines_ = std::vector<std::string>;

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

    HWND Start() {
        process = StartSetup(source);
        return WaitForWizard(process.dwProcessId);
    }
    DWORD ExitCode() {
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
        DWORD code = 99;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }
    HWND Progress() { return WaitForWindow(process.dwProcessId, L"#32770", L"Setup in progress..."); }
    // Starts the installer and goes through the wizard with Next and Finish:
    // the progress dialog, or nullptr.
    HWND StartAndFinishTheWizard() {
        HWND sheet = Start();
        if (!sheet || !Press(sheet, PSBTN_NEXT)) return nullptr;
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
        return Progress();
    }
    static std::wstring Item(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }
    static Lines_ LogLines(HWND progress) {
        HWND list = GetDlgItem(progress, 1000);
        Lines_ lines;
        for (LRESULT i = 0, count = SendMessageW(list, LB_GETCOUNT, 0, 0); i < count; ++i) {
            wchar_t text[1024] = {};
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            lines.push_back(Narrow(text));
        }
        return lines;
    }
    // Reads the text of the program's message box and presses its OK button.
    std::wstring AnswerMessageBox() {
        HWND box = WaitForWindowIf(
            process.dwProcessId,
            [](HWND hwnd) { return WindowText(hwnd) == L"Setup" && !GetDlgItem(hwnd, kNextButton); }, "message box");
        if (!box) return L"(no message box)";
        std::wstring text = WindowText(GetDlgItem(box, 0xFFFF));  // the message's static text
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return text;
    }
    std::string In(const std::string& name) const { return target.folderA() + name; }

    SetupSource source;
    AppKeyTarget target;
    PROCESS_INFORMATION process{};
};

// Wine's loader prefers its own COMCTL32.dll to a file of that name beside the
// program; for Setup.exe in this test's prefix it searches as Windows does.
struct NativeCommonControls {
    static constexpr const wchar_t* kKey = L"Software\\Wine\\AppDefaults\\Setup.exe\\DllOverrides";
    NativeCommonControls() {
        RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"comctl32", REG_SZ, L"native,builtin", sizeof L"native,builtin");
    }
    ~NativeCommonControls() { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
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
    HWND sheet = Start();
    ASSERT_TRUE(sheet);
    // By now the common controls are loaded.
    EXPECT_FALSE(FileExists(source.path() + L"COMCTL32.dll.ran"));
    HWND background = WaitForWindow(process.dwProcessId, L"ZewSetupBackground", L"Orvanta Setup");
    EXPECT_TRUE(background && IsZoomed(background));

    HWND welcome = CurrentPage(sheet);
    ASSERT_TRUE(welcome);
    EXPECT_EQ(Item(welcome, 1004), L"ZEW4400 Driver SETUP");
    EXPECT_EQ(Item(welcome, 1000),
              L"Welcome to Orvanta ZEW4400 Driver SETUP program.  This program installs ZEW4400 Driver onto your "
              L"hard disk and registers to the system registry.");
    EXPECT_EQ(Item(welcome, 1002), L"Copyright (C) 2026 Orvanta");
    // A page sets the sheet's buttons when it becomes active, which this
    // process may see a moment after the page itself.
    auto backEnabled = [&](bool enabled) {
        return WaitFor([&] { return (IsWindowEnabled(GetDlgItem(sheet, kBackButton)) != FALSE) == enabled; }, 10000);
    };
    EXPECT_TRUE(backEnabled(false)) << "Back is enabled on the first page";

    HWND finish = Press(sheet, PSBTN_NEXT);
    ASSERT_TRUE(finish);
    EXPECT_EQ(Narrow(Item(finish, 1007)),
              "Instrument Drivers and HELP files will be copied to\n  " + SharedFolder() +
                  "\n\nSystem shared components will  be copied to\n  " + SystemFolder() + "\n\n");
    EXPECT_TRUE(backEnabled(true)) << "Back is disabled on the second page";

    ASSERT_EQ(Press(sheet, PSBTN_BACK), welcome);
    ASSERT_EQ(Press(sheet, PSBTN_NEXT), finish);
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);

    HWND progress = Progress();
    ASSERT_TRUE(progress);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(progress, 1001)));
    ASSERT_TRUE(WaitFor([&] { return WindowText(progress) == L"Setup complete !"; }));
    EXPECT_EQ(LogLines(progress), (Lines_{In("README.TXT") + " - successfully copied",
                                          In("REGA.DLL") + " - successfully copied", In("INUSE.TXT") + " - SHARINGVIOLATION",
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
    process = StartSetup(source);
    ASSERT_TRUE(WaitForWindow(process.dwProcessId, L"#32770", L"Setup"));
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
    ASSERT_TRUE(WaitFor([&] { return WindowText(progress) == L"Setup aborted !"; }));
    EXPECT_EQ(LogLines(progress), (Lines_{""}));
    PostMessageW(progress, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCode(), 2u);
}

TEST_F(WizardTest, VisaCheckRunsAgainOnBackAndEndsTheProgramWhenTheLibraryIsGone) {
    SystemFile visa(L"VISA32.DLL", L"VISA32.DLL");
    source.AddText(L"A.TXT", "a");
    source.WriteList(ListHead(target, "Visa=yes\r\n") + "File01=A.TXT,APPKEY,COPY\r\n");
    HWND sheet = Start();
    ASSERT_TRUE(sheet);
    ASSERT_TRUE(Press(sheet, PSBTN_NEXT));
    ASSERT_TRUE(visa.Remove());
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_BACK, 0);
    EXPECT_EQ(AnswerMessageBox(), L"VISA library (VISA32.DLL) not found.  Please install VISA library first.");
    EXPECT_EQ(ExitCode(), 3u);
    EXPECT_FALSE(FileExists(target.folder() + L"A.TXT"));
}

// Cancel on the wizard, or on the progress dialog before the run begins a
// second after it opens: nothing is installed.
TEST_F(WizardTest, CancellingEndsTheProgramWithNothingCopied) {
    source.AddText(L"A.TXT", "a");
    source.WriteList(ListHead(target) + "File01=A.TXT,APPKEY,COPY\r\n");
    HWND sheet = Start();
    ASSERT_TRUE(sheet);
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    EXPECT_EQ(ExitCode(), 4u);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    HWND progress = StartAndFinishTheWizard();
    ASSERT_TRUE(progress);
    EXPECT_TRUE(LogLines(progress).empty());
    PostMessageW(progress, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(ExitCode(), 4u);
    EXPECT_FALSE(FileExists(target.folder() + L"A.TXT"));
}

}  // namespace
}  // namespace zewtest
