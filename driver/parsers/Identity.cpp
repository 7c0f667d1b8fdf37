#include "Identity.h"

#include <string_view>
#include <vector>

#include "ScanInt.h"

namespace zew::parsers {
namespace {

constexpr std::string_view kMaker = "ORVANTA ELECTRONICS CORP.,";

// Matches the maker's name at the start, a blank in it matching any run of
// white space (none included), and returns the position after it.
std::optional<std::size_t> MatchMaker(std::string_view text) {
    std::size_t pos = 0;
    for (const char expected : kMaker) {
        if (expected == ' ') {
            while (pos < text.size() && IsSpace(text[pos])) ++pos;
        } else if (pos < text.size() && text[pos] == expected) {
            ++pos;
        } else {
            return std::nullopt;
        }
    }
    return pos;
}

std::vector<std::string_view> NonEmptyFields(std::string_view token) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start <= token.size()) {
        std::size_t end = token.find(',', start);
        if (end == std::string_view::npos) end = token.size();
        if (end > start) fields.push_back(token.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

}  // namespace

int16_t Identity::RomVersion() const {
    return static_cast<int16_t>((major & 0xFF) * 256 + (minor & 0xFF));
}

std::optional<Identity> ParseIdentity(const std::string& response) {
    const std::string_view text = response;
    const auto after = MatchMaker(text);
    if (!after) return std::nullopt;

    std::size_t begin = *after;
    while (begin < text.size() && IsSpace(text[begin])) ++begin;
    std::size_t end = begin;
    while (end < text.size() && !IsSpace(text[end])) ++end;
    const std::string_view token = text.substr(begin, end - begin);
    if (token.empty() || token.size() > kMaxIdentityToken) return std::nullopt;
    if (token.find("ZEW44") == std::string_view::npos) return std::nullopt;

    const auto fields = NonEmptyFields(token);
    if (fields.size() < 3) return std::nullopt;

    Identity identity;
    identity.model = std::string(fields[0]);
    std::size_t pos = 0;
    const std::string_view version = fields[2];
    const auto major = ScanInt(version, pos);
    if (!major || pos >= version.size() || version[pos] != '.') return std::nullopt;
    ++pos;
    const auto minor = ScanInt(version, pos);
    if (!minor) return std::nullopt;
    identity.major = *major;
    identity.minor = *minor;
    return identity;
}

}  // namespace zew::parsers
