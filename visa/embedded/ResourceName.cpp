#include "ResourceName.h"

#include <cctype>
#include <vector>

namespace zewvisa {
namespace {

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::vector<std::string> SplitFields(const std::string& text) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t pos = text.find("::", start);
        fields.push_back(text.substr(start, pos == std::string::npos ? std::string::npos : pos - start));
        if (pos == std::string::npos) return fields;
        start = pos + 2;
    }
}

// A decimal number of at most 9 digits, nothing else.
std::optional<unsigned> Number(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

// "GPIB" followed by an optional board number.
std::optional<unsigned> Board(const std::string& field, std::string_view prefix, bool boardRequired) {
    if (field.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
    std::string_view rest = std::string_view(field).substr(prefix.size());
    if (rest.empty()) return boardRequired ? std::nullopt : std::optional<unsigned>(0);
    return Number(rest);
}

bool ValidHost(std::string_view host) {
    if (host.empty() || host.size() > 255) return false;
    for (char c : host) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != '_') return false;
    }
    return true;
}

}  // namespace

std::string ResourceName::Canonical() const {
    switch (kind) {
    case ResourceKind::Gpib:
        return "GPIB" + std::to_string(board) + "::" + std::to_string(address) +
               (secondary >= 0 ? "::" + std::to_string(secondary) : std::string()) + "::INSTR";
    case ResourceKind::Vxi:
        return "VXI" + std::to_string(board) + "::" + std::to_string(address) + "::INSTR";
    case ResourceKind::Serial:
        return "ASRL" + std::to_string(board) + "::INSTR";
    case ResourceKind::TcpSocket:
        return "TCPIP" + std::to_string(board) + "::" + host + "::" + std::to_string(port) + "::SOCKET";
    }
    return {};
}

unsigned ResourceName::InterfaceType() const {
    switch (kind) {
    case ResourceKind::Gpib: return 1;
    case ResourceKind::Vxi: return 2;
    case ResourceKind::Serial: return 4;
    case ResourceKind::TcpSocket: return 6;
    }
    return 0;
}

std::optional<ResourceName> ParseResourceName(std::string_view text) {
    const std::vector<std::string> f = SplitFields(Upper(text));
    ResourceName r;
    auto instrSuffix = [&](size_t n) { return f.size() == n || (f.size() == n + 1 && f[n] == "INSTR"); };

    if (auto board = Board(f[0], "GPIB", false)) {
        if (f.size() < 2) return std::nullopt;
        auto primary = Number(f[1]);
        if (!primary || *primary > 30) return std::nullopt;
        r.kind = ResourceKind::Gpib;
        r.board = *board;
        r.address = *primary;
        if (f.size() >= 3 && f[2] != "INSTR") {
            auto secondary = Number(f[2]);
            if (!secondary || *secondary > 30) return std::nullopt;
            r.secondary = static_cast<int>(*secondary);
            if (!instrSuffix(3)) return std::nullopt;
        } else if (!instrSuffix(2)) {
            return std::nullopt;
        }
        return r;
    }
    if (auto board = Board(f[0], "VXI", false)) {
        if (f.size() < 2) return std::nullopt;
        auto la = Number(f[1]);
        if (!la || *la > 255 || !instrSuffix(2)) return std::nullopt;
        r.kind = ResourceKind::Vxi;
        r.board = *board;
        r.address = *la;
        return r;
    }
    if (auto port = Board(f[0], "ASRL", true)) {
        if (*port < 1 || *port > 256 || !instrSuffix(1)) return std::nullopt;
        r.kind = ResourceKind::Serial;
        r.board = *port;
        return r;
    }
    if (auto board = Board(f[0], "TCPIP", false)) {
        if (f.size() != 4 || f[3] != "SOCKET" || !ValidHost(f[1])) return std::nullopt;
        auto port = Number(f[2]);
        if (!port || *port < 1 || *port > 65535) return std::nullopt;
        r.kind = ResourceKind::TcpSocket;
        r.board = *board;
        r.host = f[1];
        r.port = *port;
        return r;
    }
    return std::nullopt;
}

}  // namespace zewvisa
