// A text log that keeps only its most recent part, so that a process that
// talks to an instrument all day does not grow without end.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zewvisa {

// Most bytes a resource's wire log or call trace keeps.
inline constexpr std::size_t kMaxLogBytes = 256 * 1024;

// Appends text. When the log then holds more than limit bytes, its oldest
// lines are dropped until at most half the limit remains (a whole-line cut
// where a line feed allows it), so a long run pays for a trim only now and
// then.
void AppendBounded(std::string& log, std::string_view text, std::size_t limit = kMaxLogBytes);

}  // namespace zewvisa
