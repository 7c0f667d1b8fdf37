#include "LineAssembler.h"

#include <utility>

namespace zewvisa {

std::vector<std::string> LineAssembler::Add(std::string_view bytes) {
    std::vector<std::string> lines;
    for (char c : bytes) {
        if (c != '\n') {
            pending_.push_back(c);
            if (pending_.size() < kMaxLine) continue;
        }
        lines.push_back(std::exchange(pending_, {}));
    }
    return lines;
}

std::optional<std::string> LineAssembler::EndMessage() {
    if (pending_.empty()) return std::nullopt;
    return std::exchange(pending_, {});
}

}  // namespace zewvisa
