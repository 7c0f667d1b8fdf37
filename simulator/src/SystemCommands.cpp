// Pass hold, buzzer, contrast, silent mode and the comment.
#include "InstrumentState.h"

#include "NumberText.h"
#include "TextArguments.h"

namespace zewsim {

namespace {

constexpr int kPassHoldDecimals = 3;

}  // namespace

// "PASSHOLD HOLD" keeps PASS held until it is cleared; "PASSHOLD t" holds it
// for t seconds.
Reply Instrument::State::SetPassHold(const CommandLine& line) {
    if (!Expect(line, "n")) return std::nullopt;
    if (IsKeyword(line.args[0].text, "HOLD")) {
        system.passHold.reset();
    } else if (const auto value = Real(line.args[0], kPassHoldRange, invalid::kOther)) {
        system.passHold = RoundTo(*value, kPassHoldDecimals);
    }
    return std::nullopt;
}

Reply Instrument::State::QueryPassHold(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplyLine(system.passHold ? FormatFixed(*system.passHold, kPassHoldDecimals) : "HOLD");
}

Reply Instrument::State::SetBuzzerVolume(const CommandLine& line) {
    if (!Expect(line, "n")) return std::nullopt;
    if (const auto value = Integer(line.args[0], 0, kMaxPanelLevel, invalid::kOther)) system.buzzerVolume = *value;
    return std::nullopt;
}

Reply Instrument::State::QueryBuzzerVolume(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplyLine(std::to_string(system.buzzerVolume));
}

Reply Instrument::State::SetContrast(const CommandLine& line) {
    if (!Expect(line, "n")) return std::nullopt;
    if (const auto value = Integer(line.args[0], 0, kMaxPanelLevel, invalid::kOther)) system.contrast = *value;
    return std::nullopt;
}

Reply Instrument::State::QueryContrast(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplyLine(std::to_string(system.contrast));
}

// Three quoted fields of up to 20 characters. A comma inside a field could
// not be told apart from a separator in the "COMMENT?" reply, so it is refused.
Reply Instrument::State::SetComment(const CommandLine& line) {
    if (!Expect(line, "qqq")) return std::nullopt;
    for (const Argument& field : line.args) {
        if (field.text.size() > SystemSettings::kMaxCommentField || field.text.find(',') != std::string::npos) {
            registers.ExecutionError(invalid::kOther);
            return std::nullopt;
        }
    }
    for (std::size_t i = 0; i < SystemSettings::kCommentFields; ++i) system.comment[i] = line.args[i].text;
    return std::nullopt;
}

Reply Instrument::State::QueryComment(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplyNameLine(system.comment[0] + ',' + system.comment[1] + ',' + system.comment[2]);
}

}  // namespace zewsim
