// The file list of SETUP.LST: keys File01 to File16 of section SetupList, each
// "name,destination,registration". Pure functions over standard strings, so
// the rules are tested and fuzzed without Windows.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zew::setup {

inline constexpr int kMaxListEntries = 16;

// The longest list value taken whole. Values are read with room for more, so a
// longer one is refused instead of silently cut.
inline constexpr std::size_t kMaxListValue = 254;

// The five target folders an entry's destination keyword can name; each ends
// in a backslash or is empty when the system or the header gives none.
struct TargetFolders {
    std::string appKey;
    std::string appFolder;
    std::string shared;
    std::string system;
    std::string windows;
};

struct ListEntry {
    std::string name;         // upper-cased, surrounding blanks removed, never a path
    std::string destination;  // one of the target folders, never empty
    bool registerIt = false;
};

// Outcome of one entry or of the whole list. `error` is empty on success and
// otherwise the key name followed by " : filename", " : Dest" or " : Reg".
struct ListEntryResult {
    ListEntry entry;
    std::string error;
};

struct FileListResult {
    std::vector<ListEntry> entries;  // the entries before the failing one, if any
    std::string error;
    bool ok() const { return error.empty(); }
};

using UpperCase = std::function<std::string(const std::string&)>;
using ReadListValue = std::function<std::string(const std::string& key)>;

// "File01" ... "File16".
std::string ListKeyName(int number);

// ASCII upper-casing, the stand-in for the system's 8-bit upper-casing.
std::string AsciiUpper(const std::string& text);

// Splits at commas: runs of commas are one separator, leading commas are
// skipped, and text after the third field is ignored.
std::vector<std::string> SplitListValue(const std::string& value);

// Whether a file name would reach outside its folder (a slash, a backslash, a
// drive colon, "..") or names no file at all.
bool IsPlainFileName(const std::string& name);

ListEntryResult ParseListEntry(const std::string& key, const std::string& value, const TargetFolders& folders,
                               const UpperCase& upper = AsciiUpper);

// Reads File01 upwards until an empty value or File16; stops at the first
// failing entry.
FileListResult ParseFileList(const ReadListValue& read, const TargetFolders& folders,
                             const UpperCase& upper = AsciiUpper);

}  // namespace zew::setup
