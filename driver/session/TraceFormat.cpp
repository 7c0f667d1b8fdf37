#include "TraceFormat.h"

#include <cstdio>

namespace zew::session {

std::string EscapeBytes(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (byte) {
            case '\n': text += "\\n"; break;
            case '\r': text += "\\r"; break;
            case '\t': text += "\\t"; break;
            case '\\': text += "\\\\"; break;
            default:
                if (byte >= 0x20 && byte < 0x7F) {
                    text += c;
                } else {
                    char hex[5];
                    std::snprintf(hex, sizeof hex, "\\x%02X", byte);
                    text += hex;
                }
        }
    }
    return text;
}

std::string StatusName(std::int32_t status) {
    switch (static_cast<std::uint32_t>(status)) {
        case 0x00000000u: return "VI_SUCCESS";
        case 0x3FFF0005u: return "VI_SUCCESS_TERM_CHAR";
        case 0x3FFF0006u: return "VI_SUCCESS_MAX_CNT";
        case 0xBFFF0000u: return "VI_ERROR_SYSTEM_ERROR";
        case 0xBFFF000Eu: return "VI_ERROR_INV_OBJECT";
        case 0xBFFF0011u: return "VI_ERROR_RSRC_NFOUND";
        case 0xBFFF0012u: return "VI_ERROR_INV_RSRC_NAME";
        case 0xBFFF0015u: return "VI_ERROR_TMO";
        case 0xBFFF001Du: return "VI_ERROR_NSUP_ATTR";
        case 0xBFFF001Eu: return "VI_ERROR_NSUP_ATTR_STATE";
        case 0xBFFF003Eu: return "VI_ERROR_IO";
        case 0xBFFF0078u: return "VI_ERROR_INV_PARAMETER";
        case 0xBFFF00A6u: return "VI_ERROR_CONN_LOST";
        default: {
            char hex[11];
            std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(status));
            return hex;
        }
    }
}

std::string MethodOfFunction(std::string_view signature) {
    // Template arguments name no method: "Collection<A, B>::get_Count" is
    // Collection's.
    std::string plain;
    int depth = 0;
    for (const char c : signature) {
        if (c == '<') ++depth;
        if (depth == 0) plain += c;
        if (c == '>' && depth > 0) --depth;
    }
    const std::string_view name = std::string_view(plain).substr(0, plain.find('('));
    const std::size_t methodStart = name.rfind("::");
    if (methodStart == std::string_view::npos) return std::string(signature);
    const std::string_view method = name.substr(methodStart + 2);
    const std::string_view scope = name.substr(0, methodStart);
    const std::size_t classStart = scope.rfind("::");
    std::string owner(scope.substr(classStart == std::string_view::npos ? 0 : classStart + 2));
    if (const std::size_t blank = owner.rfind(' '); blank != std::string::npos) owner.erase(0, blank + 1);
    if (owner.size() > 1 && owner[0] == 'C' && owner[1] >= 'A' && owner[1] <= 'Z') owner[0] = 'I';
    return owner + "." + std::string(method);
}

std::string TraceLine(const TraceStamp& s, std::string_view resource, std::string_view event) {
    char head[96];
    std::snprintf(head, sizeof head, "%04d-%02d-%02d %02d:%02d:%02d.%03d %u %u ", s.year, s.month, s.day, s.hour,
                  s.minute, s.second, s.millisecond, static_cast<unsigned>(s.process), static_cast<unsigned>(s.thread));
    std::string line(head);
    if (resource.empty()) {
        line += '-';
    } else {
        for (const char c : EscapeBytes(resource)) {
            if (c == ' ') line += "\\x20";
            else line += c;
        }
    }
    line += ' ';
    for (const char c : event) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            line += hex;
        } else {
            line += c;
        }
    }
    line += '\n';
    return line;
}

std::string_view TraceFileHeader() { return "# Zew4400 I/O trace: date time process thread resource event\n"; }

std::string TraceFileMutexName(std::string_view fullPath) {
    std::uint64_t hash = 0xCBF29CE484222325ull;   // FNV-1a
    for (const char c : fullPath) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3ull;
    }
    char name[40];
    std::snprintf(name, sizeof name, "Zew4400Trace-%016llX", static_cast<unsigned long long>(hash));
    return name;
}

}  // namespace zew::session
