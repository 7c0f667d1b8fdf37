// The install list's splitting and keyword rules.
#include <gtest/gtest.h>

#include <map>

#include "engine/FileList.h"

namespace zew::setup {
namespace {

const TargetFolders kFolders{"C:\\App\\", "C:\\Maker\\Tools\\", "C:\\Common\\Orvanta Shared\\", "C:\\Win\\System32\\",
                             "C:\\Win\\"};

ListEntryResult Parse(const std::string& value, const TargetFolders& folders = kFolders) {
    return ParseListEntry("File01", value, folders);
}

FileListResult ParseAll(const std::map<std::string, std::string>& keys) {
    return ParseFileList(
        [&keys](const std::string& key) {
            auto it = keys.find(key);
            return it == keys.end() ? std::string() : it->second;
        },
        kFolders);
}

// One entry value and what it gives: its error, or (when accepted) its name,
// folder and registration.
struct EntryCase {
    const char* value;
    const char* error;
    const char* name = nullptr;
    std::string TargetFolders::*folder = nullptr;
    bool registers = false;
};

TEST(FileListTest, EntriesGiveTheirNameFolderAndRegistrationOrNameTheFailingField) {
    using F = TargetFolders;
    const EntryCase cases[] = {
        // A run of commas is one separator, leading ones are skipped; the
        // name is upper-cased and trimmed, its inner blanks kept.
        {",,zew4400.ocx,,SHARED,REGISTER", "", "ZEW4400.OCX", &F::shared, true},
        {" my file.dll , shared, register", "", "MY FILE.DLL", &F::shared, true},
        {"\t\fa.txt\r\n,SHARED,COPY", "", "A.TXT", &F::shared, false},
        {"A.B.DLL,SHARED,COPY", "", "A.B.DLL", &F::shared, false},
        // The last keyword found decides the folder.
        {"A,APPKEY,COPY", "", "A", &F::appKey},           {"A,APPFOLDER,COPY", "", "A", &F::appFolder},
        {"A,SYSTEM,COPY", "", "A", &F::system},           {"A,WINDOWS,COPY", "", "A", &F::windows},
        {"A,SHARED+SYSTEM,COPY", "", "A", &F::system},    {"A,windows/appkey,COPY", "", "A", &F::windows},
        {"A,MYSHAREDDIR,COPY", "", "A", &F::shared},
        // REGISTER anywhere in the third field registers; a fourth field is
        // ignored.
        {"A,SHARED,please register now", "", "A", &F::shared, true},
        {"A,SHARED,REG", "", "A", &F::shared, false},
        {"A,SHARED,COPY,REGISTER", "", "A", &F::shared, false},
        // Missing fields and an unknown keyword.
        {"ZEW4400.OCX", "File01 : Dest"},         {"ZEW4400.OCX,SHARED,", "File01 : Reg"},
        {",,,", "File01 : filename"},
        {"A,PROGRAMS,COPY", "File01 : Dest"},
    };
    for (const EntryCase& c : cases) {
        const ListEntryResult r = Parse(c.value);
        EXPECT_EQ(r.error, c.error) << c.value;
        if (*c.error) continue;
        EXPECT_EQ(r.entry.name, c.name) << c.value;
        EXPECT_EQ(r.entry.destination, kFolders.*c.folder) << c.value;
        EXPECT_EQ(r.entry.registerIt, c.registers) << c.value;
    }
    // Names that reach outside the folder or name no file.
    for (const char* value : {"..\\EVIL.DLL,SHARED,COPY", "SUB/A.DLL,SHARED,COPY", "C:A.DLL,SHARED,COPY",
                              "..,SHARED,COPY", ".,SHARED,COPY", "  ,SHARED,COPY"})
        EXPECT_EQ(Parse(value).error, "File01 : filename") << value;
}

// A keyword whose folder is empty is a destination error, even after an
// earlier usable one.
TEST(FileListTest, AnEmptyFolderIsADestinationError) {
    TargetFolders noAppKey = kFolders;
    noAppKey.appKey.clear();
    EXPECT_EQ(Parse("A,APPKEY,COPY", noAppKey).error, "File01 : Dest");
    TargetFolders noWindows = kFolders;
    noWindows.windows.clear();
    EXPECT_EQ(Parse("A,SHARED WINDOWS,COPY", noWindows).error, "File01 : Dest");
}

TEST(FileListTest, LongValuesAreTakenWholeUpToTheLimitAndRefusedBeyond) {
    std::string atLimit = std::string(kMaxListValue - 12, 'A') + ",SHARED,COPY";
    ASSERT_EQ(atLimit.size(), kMaxListValue);
    EXPECT_EQ(Parse(atLimit).entry.name, std::string(kMaxListValue - 12, 'A'));
    EXPECT_EQ(Parse(atLimit + "Y").error, "File01 : filename");
    EXPECT_EQ(Parse(std::string(5000, ',')).error, "File01 : filename");
}

TEST(FileListTest, ListEndsAtTheFirstMissingKeyAndNeverReadsFile17) {
    FileListResult list =
        ParseAll({{"File01", "A.DLL,SHARED,COPY"}, {"File02", "B.DLL,SYSTEM,REGISTER"}, {"File04", "D.DLL,SHARED,COPY"}});
    ASSERT_TRUE(list.ok());
    ASSERT_EQ(list.entries.size(), 2u);
    EXPECT_EQ(list.entries[1].name, "B.DLL");

    std::map<std::string, std::string> keys;
    for (int n = 1; n <= 16; ++n) keys[ListKeyName(n)] = "F" + std::to_string(n) + ",SHARED,COPY";
    keys["File17"] = "F17,NOWHERE,COPY";  // an error, were it read
    list = ParseAll(keys);
    ASSERT_TRUE(list.ok());
    ASSERT_EQ(list.entries.size(), 16u);
    EXPECT_EQ(list.entries.back().name, "F16");
    EXPECT_TRUE(ParseAll({}).ok() && ParseAll({}).entries.empty());
}

}  // namespace
}  // namespace zew::setup
