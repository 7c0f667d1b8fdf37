#include "QuotedText.h"

namespace zew::parsers {

bool FitsInQuotes(std::string_view bytes) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '"' || byte < 0x20 || byte == 0x7F) return false;
    }
    return true;
}

bool IsItemNameText(std::string_view bytes) {
    return FitsInQuotes(bytes) && bytes.find(',') == std::string_view::npos;
}

}  // namespace zew::parsers
