// The installer's file list: each input line is the value of the next key,
// File01 upwards.
#include <vector>

#include "engine/FileList.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zew::setup;
    std::vector<std::string> values;
    std::string text = zew::fuzz::Text(data, size), line;
    for (char c : text) {
        if (c == '\n') {
            values.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    values.push_back(line);

    const TargetFolders folders{"C:\\APP\\", "", "C:\\SHARED\\", "C:\\SYS\\", "C:\\WIN\\"};
    FileListResult list = ParseFileList(
        [&values](const std::string& key) {
            std::size_t n = static_cast<std::size_t>(std::stoi(key.substr(4)));
            return n <= values.size() ? values[n - 1] : std::string();
        },
        folders);
    zew::fuzz::Expect(list.entries.size() <= kMaxListEntries, "at most sixteen entries");
    for (const ListEntry& entry : list.entries) {
        zew::fuzz::Expect(IsPlainFileName(entry.name), "an entry names a plain file");
        zew::fuzz::Expect(entry.destination == folders.appKey || entry.destination == folders.shared ||
                              entry.destination == folders.system || entry.destination == folders.windows,
                          "an entry goes to a target folder");
    }
    if (!list.ok()) {
        const std::string& e = list.error;
        auto endsWith = [&e](const std::string& tail) {
            return e.size() >= tail.size() && e.compare(e.size() - tail.size(), tail.size(), tail) == 0;
        };
        zew::fuzz::Expect(e.rfind("File", 0) == 0 && (endsWith(" : filename") || endsWith(" : Dest") ||
                                                      endsWith(" : Reg")),
                          "an error names its key and field");
    }
    return 0;
}
