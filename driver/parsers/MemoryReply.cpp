#include "MemoryReply.h"

#include <vector>

#include "Numbers.h"
#include "ScanInt.h"

namespace zew::parsers {
namespace {

constexpr std::size_t kFields = 9;

std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> SplitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    while (fields.size() < kFields) {
        const std::size_t comma = text.find(',');
        fields.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return fields;
}

std::optional<double> RealField(const std::vector<std::string_view>& fields, std::size_t i) {
    if (i >= fields.size()) return std::nullopt;
    return ScanReal(std::string(fields[i]));
}

std::optional<int32_t> IntField(const std::vector<std::string_view>& fields, std::size_t i) {
    if (i >= fields.size()) return std::nullopt;
    std::size_t pos = 0;
    return ScanInt(fields[i], pos);
}

std::optional<bool> SwitchField(const std::vector<std::string_view>& fields, std::size_t i) {
    const auto value = IntField(fields, i);
    if (!value) return std::nullopt;
    return *value != 0;
}

}  // namespace

std::string MemoryNameOfReply(std::string_view reply) {
    std::string_view name = TrimEnd(reply.substr(0, reply.find(',')));
    return std::string(TrimEnd(name.substr(0, kMaxMemoryName)));
}

bool MemoryReply::Complete() const {
    return current && upper && lower && time && frequency && lowerOn && offsetOn && timerOn;
}

MemoryReply ParseMemoryReply(std::string_view reply) {
    const std::vector<std::string_view> fields = SplitFields(reply);
    MemoryReply result;
    result.name = MemoryNameOfReply(fields[0]);
    result.current = RealField(fields, 1);
    result.upper = RealField(fields, 2);
    result.lower = RealField(fields, 3);
    result.time = RealField(fields, 4);
    result.frequency = IntField(fields, 5);
    result.lowerOn = SwitchField(fields, 6);
    result.offsetOn = SwitchField(fields, 7);
    result.timerOn = SwitchField(fields, 8);
    return result;
}

}  // namespace zew::parsers
