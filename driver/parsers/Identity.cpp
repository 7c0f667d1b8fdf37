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

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

bool StartsLikeNumber(std::string_view field) {
    std::size_t pos = 0;
    if (pos < field.size() && (field[pos] == '+' || field[pos] == '-')) ++pos;
    if (pos < field.size() && field[pos] == '.') ++pos;
    return pos < field.size() && field[pos] >= '0' && field[pos] <= '9';
}

}  // namespace

bool IsIdentityQuery(std::string_view line) {
    constexpr std::string_view kQuery = "*IDN?";
    line = Trimmed(line);
    if (line.size() != kQuery.size()) return false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i] >= 'a' && line[i] <= 'z' ? static_cast<char>(line[i] - 'a' + 'A') : line[i];
        if (c != kQuery[i]) return false;
    }
    return true;
}

bool IsMakersIdentity(std::string_view reply) { return MatchMaker(reply).has_value(); }

bool LooksLikeIdentity(std::string_view reply) {
    if (IsMakersIdentity(reply)) return true;
    reply = Trimmed(reply);
    std::size_t commas = 0;
    for (const char c : reply) commas += c == ',' ? 1 : 0;
    if (commas != 3) return false;
    const std::string_view first = Trimmed(reply.substr(0, reply.find(',')));
    return !first.empty() && !StartsLikeNumber(first);
}

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
