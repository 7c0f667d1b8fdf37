#include "Texts.h"

#include <cstdio>

namespace zew::setup {

std::string FormatText(const std::string& format, std::initializer_list<std::string> args, std::size_t capacity) {
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
            if (next != args.end()) out += *next++;
            ++i;
        } else {
            out += format[i];
        }
    }
    if (capacity == 0) return {};
    if (out.size() > capacity - 1) out.resize(capacity - 1);
    return out;
}

std::string CopyResultText(std::uint32_t flags) {
    if (flags == 0) return "successfully copied";
    static const char* const kBits[] = {
        "SRCOLD",          "DIFFLANG",         "DIFFCODEPG",   "DIFFTYPE",     "WRITEPROT",
        "FILEINUSE",       "OUTOFSPACE",       "ACCESSVIOLATION", "SHARINGVIOLATION", "CANNOTCREATE",
        "CANNOTDELETE",    "CANNOTRENAME",     "CANNOTDELETECUR", "OUTOFMEMORY",  "CANNOTREADSRC",
        "CANNOTREADDST",   "BUFFTOOSMALL"};
    for (unsigned bit = 0; bit < sizeof kBits / sizeof kBits[0]; ++bit)
        if (flags & (0x4u << bit)) return kBits[bit];
    if (flags & 0x2u) return "MISMATCH";
    if (flags & 0x1u) return "TEMPFILE";
    char text[32];
    std::snprintf(text, sizeof text, "failed (0x%X)", static_cast<unsigned>(flags));
    return text;
}

bool CopySucceeded(std::uint32_t flags) {
    constexpr std::uint32_t kTempFile = 0x1, kMismatch = 0x2, kSourceOlder = 0x4;
    return flags == 0 || (flags & ~(kTempFile | kMismatch)) == kSourceOlder;
}

std::string RegisterResultText(int code) {
    switch (code) {
    case kRegistered: return "successfully registered";
    case kRegisterCallFailed: return "DllRegisterServer found but call was failed";
    case kRegisterExportMissing: return "loaded but DllRegisterServer not found";
    case kLoadFailed: return "could not be loaded";
    default: return "unknown result";
    }
}

std::string LogLine(const std::string& path, const std::string& result) {
    return FormatText("%s - %s", {path, result}, 512);
}

}  // namespace zew::setup
