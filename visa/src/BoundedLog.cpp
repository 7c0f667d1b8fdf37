#include "BoundedLog.h"

namespace zewvisa {

void AppendBounded(std::string& log, std::string_view text, std::size_t limit) {
    log += text;
    if (log.size() <= limit) return;
    std::size_t cut = log.size() - limit / 2;
    const std::size_t lineEnd = log.find('\n', cut - 1);
    if (lineEnd != std::string::npos) cut = lineEnd + 1;
    log.erase(0, cut);
}

}  // namespace zewvisa
