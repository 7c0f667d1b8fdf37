// Checks shared by the commands that take words or names.
#pragma once

#include <string_view>

namespace zewsim {

// Case-insensitive comparison with an upper-case keyword such as "HOLD".
bool IsKeyword(std::string_view text, std::string_view keyword);

}  // namespace zewsim
