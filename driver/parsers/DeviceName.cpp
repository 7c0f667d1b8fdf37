#include "DeviceName.h"

#include <optional>
#include <string_view>

#include "ScanInt.h"

namespace zew::parsers {
namespace {

// The number after the prefix, as formatted input "<prefix>%d" assigns it.
std::optional<int32_t> NumberAfter(std::string_view text, std::string_view prefix) {
    if (!text.starts_with(prefix)) return std::nullopt;
    std::size_t pos = prefix.size();
    return ScanInt(text, pos);
}

}  // namespace

std::string UpperCaseAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string ResourceNameFromDevice(const std::string& deviceName, int board) {
    const std::string name = UpperCaseAscii(deviceName);
    if (const auto address = NumberAfter(name, "DEV")) {
        return "GPIB" + std::to_string(board) + "::" + std::to_string(*address);
    }
    if (const auto port = NumberAfter(name, "COM")) {
        return "ASRL" + std::to_string(*port);
    }
    return name;
}

}  // namespace zew::parsers
