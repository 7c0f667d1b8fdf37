#include "FileList.h"

#include <cstdio>

namespace zew::setup {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

std::string Trim(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool Contains(const std::string& text, const char* word) { return text.find(word) != std::string::npos; }

}  // namespace

std::string ListKeyName(int number) {
    char key[16];
    std::snprintf(key, sizeof key, "File%02d", number);
    return key;
}

std::string AsciiUpper(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::vector<std::string> SplitListValue(const std::string& value) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (fields.size() < 3) {
        pos = value.find_first_not_of(',', pos);
        if (pos == std::string::npos) break;
        std::size_t end = value.find(',', pos);
        if (end == std::string::npos) end = value.size();
        fields.push_back(value.substr(pos, end - pos));
        pos = end;
    }
    return fields;
}

bool IsPlainFileName(const std::string& name) {
    if (name.empty() || name == ".") return false;
    return name.find_first_of("/\\:") == std::string::npos && !Contains(name, "..");
}

ListEntryResult ParseListEntry(const std::string& key, const std::string& value, const TargetFolders& folders,
                               const UpperCase& upper) {
    ListEntryResult result;
    if (value.size() > kMaxListValue) {
        result.error = key + " : filename";
        return result;
    }
    std::vector<std::string> fields = SplitListValue(value);
    static const char* const kMissing[] = {" : filename", " : Dest", " : Reg"};
    if (fields.size() < 3) {
        result.error = key + kMissing[fields.size()];
        return result;
    }
    for (std::string& field : fields) field = upper(field);

    ListEntry& entry = result.entry;
    entry.name = Trim(fields[0]);
    if (!IsPlainFileName(entry.name)) {
        result.error = key + " : filename";
        return result;
    }
    // Each keyword found replaces the previous choice: the last hit decides.
    const std::pair<const char*, const std::string*> keywords[] = {
        {"APPKEY", &folders.appKey}, {"APPFOLDER", &folders.appFolder}, {"SHARED", &folders.shared},
        {"SYSTEM", &folders.system}, {"WINDOWS", &folders.windows}};
    for (const auto& [word, folder] : keywords)
        if (Contains(fields[1], word)) entry.destination = *folder;
    if (entry.destination.empty()) {
        result.error = key + " : Dest";
        return result;
    }
    entry.registerIt = Contains(fields[2], "REGISTER");
    return result;
}

FileListResult ParseFileList(const ReadListValue& read, const TargetFolders& folders, const UpperCase& upper) {
    FileListResult list;
    for (int n = 1; n <= kMaxListEntries; ++n) {
        std::string key = ListKeyName(n);
        std::string value = read(key);
        if (value.empty()) break;
        ListEntryResult one = ParseListEntry(key, value, folders, upper);
        if (!one.error.empty()) {
            list.error = one.error;
            break;
        }
        list.entries.push_back(std::move(one.entry));
    }
    return list;
}

}  // namespace zew::setup
