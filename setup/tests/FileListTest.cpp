// The install list's splitting and keyword rules.
#include <gtest/gtest.h>

#include <map>

#include "FileList.h"

namespace zew::setup {
namespace {

const TargetFolders kFolders{"C:\\App\\", "C:\\Maker\\Tools\\", "C:\\Common\\Orvanta Shared\\", "C:\\Win\\System32\\",
                             "C:\\Win\\"};

ListEntryResult Parse(const std::string& value, const TargetFolders& folders = kFolders) {
    return ParseListEntry("File01", value, folders);
}

FileListResult ParseAll(const std::map<std::string, std::string>& keys, std::vector<std::string>* asked = nullptr) {
    return ParseFileList(
        [&keys, asked](const std::string& key) {
            if (asked) asked->push_back(key);
            auto it = keys.find(key);
            return it == keys.end() ? std::string() : it->second;
        },
        kFolders);
}

TEST(FileListTest, SplitsAtRunsOfCommasAndSkipsLeadingOnes) {
    EXPECT_EQ(SplitListValue("a,b,c"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(SplitListValue(",,a,,,b,c"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(SplitListValue("a,b,c,d,e"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(SplitListValue("a,b,"), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(SplitListValue(",,,").empty());
}

TEST(FileListTest, MissingFieldsNameTheirKeyAndField) {
    EXPECT_EQ(Parse("ZEW4400.OCX").error, "File01 : Dest");
    EXPECT_EQ(Parse("ZEW4400.OCX,SHARED").error, "File01 : Reg");
    EXPECT_EQ(Parse("ZEW4400.OCX,SHARED,").error, "File01 : Reg");
    EXPECT_EQ(Parse(",,,").error, "File01 : filename");
    EXPECT_EQ(ParseListEntry("File03", "A.DLL", kFolders).error, "File03 : Dest");
}

TEST(FileListTest, DoubleCommaIsOneSeparator) {
    ListEntryResult r = Parse("zew4400.ocx,,SHARED,REGISTER");
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.entry.name, "ZEW4400.OCX");
    EXPECT_EQ(r.entry.destination, kFolders.shared);
    EXPECT_TRUE(r.entry.registerIt);
}

TEST(FileListTest, NameIsUpperCasedAndTrimmedWithInnerBlanksKept) {
    ListEntryResult r = Parse(" my file.dll , shared, register");
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.entry.name, "MY FILE.DLL");
    EXPECT_EQ(r.entry.destination, kFolders.shared);
    EXPECT_TRUE(r.entry.registerIt);
    EXPECT_EQ(Parse("\t\fa.txt\r\n,SHARED,COPY").entry.name, "A.TXT");
}

TEST(FileListTest, LastKeywordFoundDecidesTheDestination) {
    EXPECT_EQ(Parse("A,APPKEY,COPY").entry.destination, kFolders.appKey);
    EXPECT_EQ(Parse("A,APPFOLDER,COPY").entry.destination, kFolders.appFolder);
    EXPECT_EQ(Parse("A,SYSTEM,COPY").entry.destination, kFolders.system);
    EXPECT_EQ(Parse("A,WINDOWS,COPY").entry.destination, kFolders.windows);
    EXPECT_EQ(Parse("A,SHARED+SYSTEM,COPY").entry.destination, kFolders.system);
    EXPECT_EQ(Parse("A,SYSTEMSHARED,COPY").entry.destination, kFolders.system);
    EXPECT_EQ(Parse("A,windows/appkey,COPY").entry.destination, kFolders.windows);
    EXPECT_EQ(Parse("A,MYSHAREDDIR,COPY").entry.destination, kFolders.shared);
}

TEST(FileListTest, UnknownKeywordOrEmptyFolderIsADestinationError) {
    EXPECT_EQ(Parse("A,PROGRAMS,COPY").error, "File01 : Dest");
    TargetFolders noAppKey = kFolders;
    noAppKey.appKey.clear();
    EXPECT_EQ(Parse("A,APPKEY,COPY", noAppKey).error, "File01 : Dest");
    // A later keyword with an empty folder wins over an earlier usable one.
    TargetFolders noWindows = kFolders;
    noWindows.windows.clear();
    EXPECT_EQ(Parse("A,SHARED WINDOWS,COPY", noWindows).error, "File01 : Dest");
}

TEST(FileListTest, RegisterIsASubstringOfTheThirdField) {
    EXPECT_TRUE(Parse("A,SHARED,REGISTER").entry.registerIt);
    EXPECT_TRUE(Parse("A,SHARED,please register now").entry.registerIt);
    EXPECT_TRUE(Parse("A,SHARED,UNREGISTERED").entry.registerIt);
    EXPECT_FALSE(Parse("A,SHARED,COPY").entry.registerIt);
    EXPECT_FALSE(Parse("A,SHARED,REG").entry.registerIt);
    EXPECT_FALSE(Parse("A,SHARED,COPY,REGISTER").entry.registerIt);
}

TEST(FileListTest, NamesThatReachOutsideTheFolderAreRefused) {
    for (const char* value : {"..\\EVIL.DLL,SHARED,COPY", "SUB\\A.DLL,SHARED,COPY", "SUB/A.DLL,SHARED,COPY",
                              "C:A.DLL,SHARED,COPY", "C:\\WIN\\A.DLL,SHARED,COPY", "..,SHARED,COPY",
                              ".,SHARED,COPY", "  ,SHARED,COPY", "A..DLL,SHARED,COPY"})
        EXPECT_EQ(Parse(value).error, "File01 : filename") << value;
    EXPECT_EQ(Parse("A.B.DLL,SHARED,COPY").error, "");
}

TEST(FileListTest, LongValuesAreTakenWholeUpToTheLimitAndRefusedBeyond) {
    std::string name(200, 'x');
    std::string value = name + ".DLL,SHARED,REGISTER";
    ASSERT_GT(value.size(), 63u);
    ListEntryResult r = Parse(value);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.entry.name, std::string(200, 'X') + ".DLL");
    EXPECT_TRUE(r.entry.registerIt);

    std::string atLimit = std::string(kMaxListValue - 12, 'A') + ",SHARED,COPY";
    ASSERT_EQ(atLimit.size(), kMaxListValue);
    EXPECT_EQ(Parse(atLimit).error, "");
    EXPECT_EQ(Parse(atLimit + "Y").error, "File01 : filename");
    EXPECT_EQ(Parse(std::string(5000, ',')).error, "File01 : filename");
}

TEST(FileListTest, ListEndsAtTheFirstMissingKeyAndNeverReadsFile17) {
    std::map<std::string, std::string> keys = {
        {"File01", "A.DLL,SHARED,COPY"}, {"File02", "B.DLL,SYSTEM,REGISTER"}, {"File04", "D.DLL,SHARED,COPY"}};
    std::vector<std::string> asked;
    FileListResult list = ParseAll(keys, &asked);
    ASSERT_TRUE(list.ok());
    ASSERT_EQ(list.entries.size(), 2u);
    EXPECT_EQ(list.entries[1].name, "B.DLL");
    EXPECT_EQ(asked, (std::vector<std::string>{"File01", "File02", "File03"}));

    keys.clear();
    for (int n = 1; n <= 17; ++n) keys[ListKeyName(n)] = "F" + std::to_string(n) + ",SHARED,COPY";
    asked.clear();
    list = ParseAll(keys, &asked);
    ASSERT_EQ(list.entries.size(), 16u);
    EXPECT_EQ(asked.back(), "File16");
    EXPECT_EQ(list.entries.back().name, "F16");
    EXPECT_TRUE(ParseAll({}).entries.empty());
    EXPECT_TRUE(ParseAll({}).ok());
}

TEST(FileListTest, AnErrorStopsTheListAtItsEntry) {
    FileListResult list = ParseAll({{"File01", "A.DLL,SHARED,COPY"},
                                    {"File02", "B.DLL,NOWHERE,COPY"},
                                    {"File03", "C.DLL,SHARED,COPY"}});
    EXPECT_EQ(list.error, "File02 : Dest");
    ASSERT_EQ(list.entries.size(), 1u);
    EXPECT_EQ(list.entries[0].name, "A.DLL");
}

TEST(FileListTest, KeyNamesHaveTwoDigits) {
    EXPECT_EQ(ListKeyName(1), "File01");
    EXPECT_EQ(ListKeyName(16), "File16");
}

}  // namespace
}  // namespace zew::setup
