// The instrument's answer to "*IDN?".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zew::parsers {

struct Identity {
    std::string model;    // e.g. "ZEW4400"
    int32_t major = 0;    // ROM version numbers
    int32_t minor = 0;

    // (major AND 0xFF) * 256 + (minor AND 0xFF)
    int16_t RomVersion() const;
};

// The longest identity token (maker's name excluded) that is accepted.
constexpr std::size_t kMaxIdentityToken = 63;

// Accepts "ORVANTA ELECTRONICS CORP.,<model>,<serial>,<major>.<minor>[.<patch>]"
// from a tester of the ZEW44 family; nothing otherwise.
std::optional<Identity> ParseIdentity(const std::string& response);

// Whether a line written to the instrument is the identity query "*IDN?"
// (any case, blanks and terminator around it ignored).
bool IsIdentityQuery(std::string_view line);

// Whether a reply begins with our maker's name: the answer of one of our
// testers to "*IDN?", and no other reply of theirs.
bool IsMakersIdentity(std::string_view reply);

// Whether a reply has the shape of an identity, ours or another maker's: it
// begins with our maker's name, or it has exactly four comma-separated fields
// of which the first is not a number. Other replies (a number, the six numbers
// of a monitor reading, a name) do not.
bool LooksLikeIdentity(std::string_view reply);

}  // namespace zew::parsers
