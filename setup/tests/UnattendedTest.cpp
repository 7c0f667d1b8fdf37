// Setup.exe /S: the install run without windows, seen through its exit code,
// its lines and the files and registrations it leaves.
#include <gtest/gtest.h>

#include "SetupTestSupport.h"
#include "engine/UniqueAny.h"

namespace zewtest {
namespace {

using Lines_ = std::vector<std::string>;

class UnattendedTest : public ::testing::Test {
protected:
    void SetUp() override { ClearRegistered(); }
    void TearDown() override { ClearRegistered(); }

    std::string In(const std::string& name) const { return target.folderA() + name; }
    SetupResult Run(const std::wstring& args = L"/S") const { return RunSetup(source, args); }

    SetupSource source;
    AppKeyTarget target;
};

// The lines go to the log file named, appended, and none to the standard
// output.
TEST_F(UnattendedTest, CopiesAndRegistersEveryListedFileInListOrder) {
    source.AddBuilt(L"zew_reg_ok.dll", L"REGA.DLL");
    source.AddBuilt(L"zew_reg_ok.dll", L"REGB.DLL");
    source.AddText(L"readme.txt", "read me");
    source.WriteList(ListHead(target) +
                     "File01=rega.dll,APPKEY,REGISTER\r\nFile02= ReadMe.txt ,,appkey,copy\r\n"
                     "File03=REGB.DLL,APPKEY,REGISTER\r\nFile05=LOST.DLL,APPKEY,COPY\r\n");
    std::wstring log = target.folder() + L"setup log.txt";
    SetupResult r = Run(L"/S \"/LOG=" + log + L"\"");
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(r.output, "");
    const Lines_ lines{In("REGA.DLL") + " - successfully copied", In("README.TXT") + " - successfully copied",
                       In("REGB.DLL") + " - successfully copied", In("REGA.DLL") + " - successfully registered",
                       In("REGB.DLL") + " - successfully registered", "", "Setup complete !"};
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    EXPECT_EQ(ReadFileText(log), text);
    EXPECT_EQ(ReadFileText(target.folder() + L"README.TXT"), "read me");
    EXPECT_TRUE(Registered(L"REGA.DLL"));
    EXPECT_TRUE(Registered(L"REGB.DLL"));
    r = Run(L"/s /log=\"" + log + L"\"");
    EXPECT_EQ(ReadFileText(log), text + text);
}

// The second of three marked files fails, in each of the ways a registration
// can; the first stays registered and the third is never registered.
TEST_F(UnattendedTest, AFailedRegistrationStopsTheRegisterPassAndEndsAsFailure) {
    source.AddBuilt(L"zew_reg_ok.dll", L"FIRST.DLL");
    source.AddBuilt(L"zew_reg_ok.dll", L"THIRD.DLL");
    source.WriteList(ListHead(target) + "File01=FIRST.DLL,APPKEY,REGISTER\r\nFile02=SECOND.DLL,APPKEY,REGISTER\r\n"
                                        "File03=THIRD.DLL,APPKEY,REGISTER\r\n");
    const std::pair<const wchar_t*, const char*> failures[] = {
        {nullptr, "could not be loaded"},  // a text file in place of a library
        {L"zew_reg_sfalse.dll", "DllRegisterServer found but call was failed"},
        {L"zew_reg_noexport.dll", "loaded but DllRegisterServer not found"}};
    for (const auto& [built, text] : failures) {
        ClearRegistered();
        if (built)
            source.AddBuilt(built, L"SECOND.DLL");
        else
            source.AddText(L"SECOND.DLL", "not a library");
        SetupResult r = Run();
        EXPECT_EQ(r.exitCode, 1u) << text;
        EXPECT_EQ(Lines(r.output), (Lines_{In("FIRST.DLL") + " - successfully copied",
                                           In("SECOND.DLL") + " - successfully copied",
                                           In("THIRD.DLL") + " - successfully copied",
                                           In("FIRST.DLL") + " - successfully registered",
                                           In("SECOND.DLL") + " - " + text, "", "Setup aborted !"}));
        EXPECT_TRUE(Registered(L"FIRST.DLL")) << text;
        EXPECT_FALSE(Registered(L"THIRD.DLL")) << text;
    }
    EXPECT_TRUE(FileExists(target.folder() + L"THIRD.DLL"));
}

TEST_F(UnattendedTest, OlderSourceIsNotInstalledAndThePresentCopyIsRegistered) {
    ASSERT_TRUE(CopyFileW((ProgramFolder() + L"zew_reg_new.dll").c_str(), (target.folder() + L"VERTEST.DLL").c_str(),
                          FALSE));
    source.AddBuilt(L"zew_reg_ok.dll", L"VERTEST.DLL");
    source.WriteList(ListHead(target) + "File01=VERTEST.DLL,APPKEY,REGISTER\r\n");
    SetupResult r = Run();
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(Lines(r.output), (Lines_{In("VERTEST.DLL") + " - SRCOLD", In("VERTEST.DLL") + " - successfully registered",
                                       "", "Setup complete !"}));
    EXPECT_EQ(ReadFileText(target.folder() + L"VERTEST.DLL"), ReadFileText(ProgramFolder() + L"zew_reg_new.dll"));
}

// A list without a vendor or with a failing entry stops the run before
// anything is copied; an empty list succeeds with nothing done.
TEST_F(UnattendedTest, TheListIsCheckedWholeBeforeAnythingIsCopied) {
    source.AddText(L"A.TXT", "a");
    const std::string first = ListHead(target) + "File01=A.TXT,APPKEY,COPY\r\n";
    const struct { std::string list; DWORD code; const char* verdict; } cases[] = {
        {ListHead(target), 0, "Setup complete !"},
        {"[SetupHead]\r\nProduct=ZEW4400\r\n[SetupList]\r\n", 2, "Invalid SETUP.LST or contents corrupted"},
        {first + "File02=B.TXT,PROGRAMS,COPY\r\n", 2, "File02 : Dest"},
    };
    for (const auto& c : cases) {
        source.WriteList(c.list);
        SetupResult r = Run();
        EXPECT_EQ(r.exitCode, c.code) << c.list;
        EXPECT_EQ(Lines(r.output), (c.code ? Lines_{c.verdict, "", "Setup aborted !"} : Lines_{"", c.verdict}));
        EXPECT_FALSE(FileExists(target.folder() + L"A.TXT")) << c.list;
    }
}

TEST_F(UnattendedTest, VisaCheckLooksInTheSystemFolderOnlyAndRunsNoPlantedLibrary) {
    source.AddText(L"A.TXT", "a");
    source.WriteList(ListHead(target, "Visa=yes\r\n") + "File01=A.TXT,APPKEY,COPY\r\n");
    TempFolder working;
    // A VISA library beside Setup.exe or in the current folder is not installed.
    source.AddBuilt(L"VISA32.DLL", L"VISA32.DLL");
    ASSERT_TRUE(CopyFileW((ProgramFolder() + L"VISA32.DLL").c_str(), (working.path() + L"VISA32.DLL").c_str(), FALSE));
    SetupResult r = RunSetup(source, L"/S", working.path());
    EXPECT_EQ(r.exitCode, 3u);
    EXPECT_EQ(Lines(r.output), (Lines_{"VISA library (VISA32.DLL) not found.  Please install VISA library first.", "",
                                       "Setup aborted !"}));
    EXPECT_FALSE(FileExists(target.folder() + L"A.TXT"));
    // A 64-bit installer accepts either name of a 64-bit VISA library; a
    // 32-bit one asks for VISA32.DLL.
    {
        SystemFile visa64(L"VISA32.DLL", L"visa64.dll");
        EXPECT_EQ(RunSetup(source, L"/S", working.path()).exitCode, sizeof(void*) == 8 ? 0u : 3u);
    }

    // With one in the system folder, libraries planted beside Setup.exe and in
    // the current folder never run.
    SystemFile visa(L"VISA32.DLL", L"VISA32.DLL");
    source.AddBuilt(L"zew_planted.dll", L"VISA32.DLL");
    ASSERT_TRUE(CopyFileW((ProgramFolder() + L"zew_planted.dll").c_str(), (working.path() + L"VISA32.DLL").c_str(), FALSE));
    r = RunSetup(source, L"/S", working.path());
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(Lines(r.output), (Lines_{In("A.TXT") + " - successfully copied", "", "Setup complete !"}));
    EXPECT_TRUE(FileExists(target.folder() + L"A.TXT"));
    for (const std::wstring& planted : {source.path() + L"VISA32.DLL", working.path() + L"VISA32.DLL"})
        EXPECT_FALSE(FileExists(planted + L".ran")) << Narrow(planted);
}

// A file in use cannot be replaced: the run goes on, registers, shows the
// verdict of the registration, and ends with a code of its own.
TEST_F(UnattendedTest, FileThatCannotBeReplacedEndsWithItsOwnCodeUnlessARegistrationFails) {
    source.AddText(L"INUSE.TXT", "new");
    source.AddBuilt(L"zew_reg_ok.dll", L"REGA.DLL");
    source.WriteList(ListHead(target) + "File01=INUSE.TXT,APPKEY,COPY\r\nFile02=REGA.DLL,APPKEY,REGISTER\r\n");
    zew::setup::UniqueHandle inUse = zew::setup::FileHandle(CreateFileW((target.folder() + L"INUSE.TXT").c_str(),
        GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(inUse);
    SetupResult r = Run();
    EXPECT_EQ(r.exitCode, 5u);
    EXPECT_EQ(Lines(r.output), (Lines_{In("INUSE.TXT") + " - SHARINGVIOLATION", In("REGA.DLL") + " - successfully copied",
                                       In("REGA.DLL") + " - successfully registered", "", "Setup complete !"}));
    EXPECT_TRUE(Registered(L"REGA.DLL"));

    source.AddBuilt(L"zew_reg_noexport.dll", L"REGA.DLL");
    r = Run();
    EXPECT_EQ(r.exitCode, 1u);
    EXPECT_EQ(Lines(r.output).back(), "Setup aborted !");
}

TEST_F(UnattendedTest, UnusableCommandLineInstallsNothing) {
    source.AddText(L"A.TXT", "a");
    source.WriteList(ListHead(target) + "File01=A.TXT,APPKEY,COPY\r\n");
    SetupResult r = Run(L"/S /LGO=x");
    EXPECT_EQ(r.exitCode, 4u);
    EXPECT_EQ(Lines(r.output), (Lines_{"Unknown argument: /LGO=x"}));
    std::wstring log = target.folder() + L"no such folder\\setup.log";
    r = Run(L"/S \"/LOG=" + log + L"\"");
    EXPECT_EQ(r.exitCode, 4u);
    EXPECT_EQ(Lines(r.output), (Lines_{"Cannot open the log file " + Narrow(log)}));
    EXPECT_FALSE(FileExists(target.folder() + L"A.TXT"));
}

}  // namespace
}  // namespace zewtest
