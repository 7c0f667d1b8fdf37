// Bytes a client writes, cut into the command lines an instrument reads. A
// line feed ends a line; so does the end of a message where the bus marks one
// (GPIB's END). A line that reaches kMaxLine bytes without its end is handed
// on as it stands, so a client that never sends a line feed cannot grow it
// without bound.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zewvisa {

class LineAssembler {
public:
    static constexpr std::size_t kMaxLine = 65536;

    // The lines these bytes complete, without their line feeds.
    std::vector<std::string> Add(std::string_view bytes);
    // The unfinished line, now complete; nothing when there is none.
    std::optional<std::string> EndMessage();
    void Clear() { pending_.clear(); }

private:
    std::string pending_;
};

}  // namespace zewvisa
