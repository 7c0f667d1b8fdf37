#include "CommandLine.h"

namespace zewsim {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u < 0x20 && c != '\t') || u == 0x7F;
}

bool IsWordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '*' || c == ':';
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool ParseArguments(std::string_view rest, std::vector<Argument>& args) {
    std::size_t pos = 0;
    while (true) {
        while (pos < rest.size() && IsBlank(rest[pos])) ++pos;
        Argument arg;
        if (pos < rest.size() && rest[pos] == '"') {
            const std::size_t close = rest.find('"', pos + 1);
            if (close == std::string_view::npos) return false;
            arg.text = std::string(rest.substr(pos + 1, close - pos - 1));
            arg.quoted = true;
            pos = close + 1;
            while (pos < rest.size() && IsBlank(rest[pos])) ++pos;
            if (pos < rest.size() && rest[pos] != ',') return false;
        } else {
            std::size_t end = rest.find(',', pos);
            if (end == std::string_view::npos) end = rest.size();
            const std::string_view text = TrimBlanks(rest.substr(pos, end - pos));
            if (text.find('"') != std::string_view::npos) return false;
            arg.text = std::string(text);
            pos = end;
        }
        args.push_back(std::move(arg));
        if (pos >= rest.size()) return true;
        ++pos;  // the comma; an argument always follows it, even an empty one
    }
}

}  // namespace

bool CommandLine::HasShape(std::string_view shape) const {
    if (args.size() != shape.size()) return false;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        if (args[i].quoted != (shape[i] == 'q')) return false;
    }
    return true;
}

std::optional<CommandLine> ParseCommandLine(std::string_view line) {
    while (!line.empty() && (IsBlank(line.back()) || line.back() == '\r')) line.remove_suffix(1);
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    if (line.size() > kMaxCommandLineLength) return std::nullopt;
    for (char c : line) {
        if (IsControl(c)) return std::nullopt;
    }

    CommandLine result;
    std::size_t pos = 0;
    while (pos < line.size() && IsWordChar(line[pos])) result.word.push_back(Upper(line[pos++]));
    if (pos < line.size() && line[pos] == '?') {
        result.query = true;
        ++pos;
    }
    if (result.word.empty()) {
        if (line.empty()) return result;  // a blank line
        return std::nullopt;
    }
    if (pos == line.size()) return result;
    if (!IsBlank(line[pos])) return std::nullopt;
    if (!ParseArguments(line.substr(pos), result.args)) return std::nullopt;
    return result;
}

}  // namespace zewsim
