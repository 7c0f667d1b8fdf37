#include "VisaConfig.h"

#include "ResourceName.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zewvisa {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::optional<bool> Flag(std::string_view v) {
    const std::string s = Lower(v);
    if (s == "yes" || s == "true" || s == "1" || s == "on") return true;
    if (s == "no" || s == "false" || s == "0" || s == "off") return false;
    return std::nullopt;
}

std::optional<std::uint32_t> Unsigned(std::string_view v) {
    int base = 10;
    if (v.size() > 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X')) {
        v.remove_prefix(2);
        base = 16;
    }
    std::uint32_t value = 0;
    auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value, base);
    if (ec != std::errc() || end != v.data() + v.size()) return std::nullopt;
    return value;
}

std::optional<double> Real(std::string_view v) {
    // strtod needs a terminated string; from_chars for double is not in every toolchain.
    std::string s(v);
    char* end = nullptr;
    double value = std::strtod(s.c_str(), &end);
    if (s.empty() || end != s.c_str() + s.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// A printable identity field: no commas (they split the identity reply) and no control characters.
bool IdentityField(std::string_view v) {
    if (v.empty() || v.size() > 40) return false;
    for (char c : v) {
        if (c == ',' || static_cast<unsigned char>(c) < 0x20) return false;
    }
    return true;
}

}  // namespace

const ResourceConfig* VisaConfig::Find(const std::string& canonicalName) const {
    auto it = resources.find(canonicalName);
    return it == resources.end() ? nullptr : &it->second;
}

VisaConfig ParseVisaConfig(std::string_view text) {
    VisaConfig config;
    enum class Section { None, Visa, Resource, Ignored } section = Section::None;
    ResourceConfig* current = nullptr;
    unsigned lineNo = 0;

    auto problem = [&](const std::string& what) {
        config.problems.push_back("line " + std::to_string(lineNo) + ": " + what);
    };

    while (!text.empty()) {
        ++lineNo;
        const size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);

        if (size_t hash = line.find_first_of("#;"); hash != std::string_view::npos) line = line.substr(0, hash);
        line = Trim(line);
        if (line.empty()) continue;

        if (line.front() == '[') {
            if (line.back() != ']') {
                problem("section header without ']'");
                section = Section::Ignored;
                continue;
            }
            const std::string_view name = Trim(line.substr(1, line.size() - 2));
            if (Lower(name) == "visa") {
                section = Section::Visa;
            } else if (auto rsrc = ParseResourceName(name)) {
                section = Section::Resource;
                current = &config.resources[rsrc->Canonical()];
            } else {
                problem("'" + std::string(name) + "' is not a resource name; its settings are ignored");
                section = Section::Ignored;
            }
            continue;
        }

        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            problem("expected 'key = value'");
            continue;
        }
        const std::string key = Lower(Trim(line.substr(0, eq)));
        const std::string_view value = Trim(line.substr(eq + 1));

        if (section == Section::Ignored) continue;
        if (section == Section::None) {
            problem("setting '" + key + "' before any section");
            continue;
        }
        if (section == Section::Visa) {
            if (key != "spec_version") {
                problem("unknown setting '" + key + "' in [visa]");
            } else if (auto v = Unsigned(value)) {
                config.specVersion = *v;
            } else {
                problem("spec_version needs a number such as 0x00500800");
            }
            continue;
        }

        if (key == "absent") {
            if (auto f = Flag(value)) current->absent = *f; else problem("absent needs yes or no");
        } else if (key == "model" || key == "serial" || key == "version") {
            if (!IdentityField(value)) {
                problem(key + " must be 1 to 40 printable characters without commas");
            } else if (key == "model") {
                current->model = std::string(value);
            } else if (key == "serial") {
                current->serial = std::string(value);
            } else {
                current->version = std::string(value);
            }
        } else if (key == "dut") {
            auto r = Real(value);
            if (r && *r >= 0) current->dutResistance = *r; else problem("dut needs a resistance in ohms");
        } else if (key == "tcp") {
            const size_t colon = value.rfind(':');
            auto port = colon == std::string_view::npos ? std::nullopt : Unsigned(value.substr(colon + 1));
            if (colon == 0 || !port || *port < 1 || *port > 65535) {
                problem("tcp needs host:port");
            } else {
                current->tcpHost = std::string(value.substr(0, colon));
                current->tcpPort = *port;
            }
        } else if (key == "port") {
            // Only a port name: the value becomes a device path.
            const bool com = value.size() > 3 && (value.substr(0, 3) == "COM" || value.substr(0, 3) == "com");
            auto number = com ? Unsigned(value.substr(3)) : std::nullopt;
            if (!number || *number < 1 || *number > 255 || value.find_first_not_of("0123456789", 3) != std::string_view::npos) {
                problem("port needs a serial port name COM1 to COM255");
            } else {
                current->serialPort = *number;
            }
        } else {
            problem("unknown setting '" + key + "'");
        }
    }
    return config;
}

}  // namespace zewvisa
