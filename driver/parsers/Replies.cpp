#include "Replies.h"

#include "Numbers.h"

namespace zew::parsers {
namespace {

constexpr std::size_t kPassHoldBuffer = 63;
constexpr std::size_t kCommentBuffer = 127;
constexpr std::size_t kCommentFieldReply = 21;
constexpr std::size_t kCommentFieldSent = 20;
constexpr std::size_t kMonitorBuffer = 63;

bool Holds(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

template <std::size_t N>
std::array<std::string, N> FirstFields(std::string_view text) {
    std::array<std::string, N> fields;
    std::size_t pos = 0;
    for (std::string& field : fields) {
        pos = text.find_first_not_of(',', pos);
        if (pos == std::string_view::npos) break;
        const std::size_t end = text.find(',', pos);
        field = std::string(text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
        pos = end;
    }
    return fields;
}

}  // namespace

std::optional<int16_t> ParseMeasMode(std::string_view reply) {
    if (Holds(reply, "NORM")) return 0;
    if (Holds(reply, "MAX")) return 1;
    return std::nullopt;
}

bool ParseDoubleAction(std::string_view reply) { return Holds(reply, "1"); }

std::optional<double> ParsePassHold(std::string_view reply) {
    reply = reply.substr(0, kPassHoldBuffer);
    if (Holds(reply, "HOLD")) return 0.0;
    return ScanReal(std::string(reply));
}

std::array<std::string, 3> FirstThreeFields(std::string_view text) { return FirstFields<3>(text); }

std::string JoinCommentReply(std::string_view reply) {
    reply = reply.substr(0, kCommentBuffer);
    reply = reply.substr(0, reply.find('\r'));
    std::string joined;
    for (const std::string& field : FirstThreeFields(reply)) joined += field.substr(0, kCommentFieldReply);
    return joined;
}

std::array<std::u16string, 3> SplitComment(std::u16string_view comment) {
    std::array<std::u16string, 3> fields;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t start = i * kCommentFieldSent;
        if (start < comment.size()) fields[i] = std::u16string(comment.substr(start, kCommentFieldSent));
    }
    return fields;
}

MonitorReading ParseMonitor(std::string_view reply) {
    const auto f = FirstFields<6>(reply.substr(0, kMonitorBuffer));
    MonitorReading r;
    r.status = static_cast<int16_t>(ParseInt(f[0]));
    r.voltage = ParseReal(f[1]);
    r.current = ParseReal(f[2]);
    r.resistanceMax = ParseReal(f[3]);
    r.resistance = ParseReal(f[4]);
    r.elapsed = ParseReal(f[5]);
    return r;
}

}  // namespace zew::parsers
