#include "TextArguments.h"

namespace zewsim {

bool IsKeyword(std::string_view text, std::string_view keyword) {
    if (text.size() != keyword.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != keyword[i]) return false;
    }
    return true;
}

}  // namespace zewsim
