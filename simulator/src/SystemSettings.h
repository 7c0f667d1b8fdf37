// Settings of the instrument itself, kept across *RST.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace zewsim {

struct SystemSettings {
    static constexpr std::size_t kCommentFields = 3;
    static constexpr std::size_t kMaxCommentField = 20;

    std::optional<double> passHold = 0.5;  // seconds the PASS hold lasts; nothing = HOLD (until cleared)
    int buzzerVolume = 5;
    int contrast = 5;
    std::array<std::string, kCommentFields> comment;
    bool silent = false;
};

}  // namespace zewsim
