// The instrument's answer to "*IDN?".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

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

}  // namespace zew::parsers
