#include "SimulatedName.h"

#include <charconv>
#include <cstddef>
#include <vector>

#include "DeviceName.h"

namespace zew::parsers {
namespace {

constexpr std::size_t kMaxInstance = 32;
constexpr double kMaxDutOhms = 1000.0;
constexpr unsigned kMaxDelayMs = 10000;

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && UpperCaseAscii(text.substr(0, prefix.size())) == prefix;
}

// Pieces of text between separators; "a::b::" gives "a", "b", "".
std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + separator.size());
    }
}

bool IsInstanceName(std::string_view text) {
    if (text.empty() || text.size() > kMaxInstance) return false;
    for (char c : UpperCaseAscii(text)) {
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-')) return false;
    }
    return true;
}

// A plain decimal number: digits with at most one point, nothing else.
template <typename Number>
std::optional<Number> ParseNumber(std::string_view text) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string_view::npos) return std::nullopt;
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool ApplyOption(std::string_view option, SimulatedDevice& device) {
    const auto equals = option.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string key = UpperCaseAscii(option.substr(0, equals));
    const std::string_view value = option.substr(equals + 1);
    if (key == "DUT" && !device.dutOhms) {
        const auto ohms = ParseNumber<double>(value);
        if (!ohms || *ohms > kMaxDutOhms) return false;
        device.dutOhms = *ohms;
        return true;
    }
    if (key == "DELAY" && !device.delayMs) {
        const auto ms = ParseNumber<unsigned>(value);
        if (!ms || *ms > kMaxDelayMs) return false;
        device.delayMs = *ms;
        return true;
    }
    return false;   // unknown, or given twice
}

}  // namespace

bool IsSimulatedName(std::string_view name) {
    return UpperCaseAscii(name) == "SIM" || StartsWithNoCase(name, "SIM::") || StartsWithNoCase(name, "SIM;");
}

std::optional<SimulatedDevice> ParseSimulatedName(std::string_view name) {
    if (!IsSimulatedName(name)) return std::nullopt;
    const std::vector<std::string_view> options = Split(name, ";");
    const std::vector<std::string_view> path = Split(options.front(), "::");
    if (path.size() > 3) return std::nullopt;
    SimulatedDevice device;
    if (path.size() >= 2) {
        device.model = UpperCaseAscii(path[1]);
        if (device.model != "ZEW4400" && device.model != "ZEW4410") return std::nullopt;
    }
    if (path.size() == 3) {
        if (!IsInstanceName(path[2])) return std::nullopt;
        device.instance = UpperCaseAscii(path[2]);
    }
    for (std::size_t i = 1; i < options.size(); ++i) {
        if (!ApplyOption(options[i], device)) return std::nullopt;
    }
    return device;
}

}  // namespace zew::parsers
