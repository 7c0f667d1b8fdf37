// The instrument's replies to the test-setting, system-setting and monitor
// queries, and the comment's three fields. Replies are untrusted text: every
// function copes with any length and content.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zew::parsers {

// "MEASMODE?": 0 when the reply holds NORM, else 1 when it holds MAX, else nothing.
std::optional<int16_t> ParseMeasMode(std::string_view reply);

// "DOUBLEACTION?": on when the reply holds the character 1 anywhere.
bool ParseDoubleAction(std::string_view reply);

// "PASSHOLD?": 0.0 when the reply holds HOLD, else its leading number, else
// nothing. Only the first 63 characters count.
std::optional<double> ParsePassHold(std::string_view reply);

// Splits a string at commas as strtok does: runs of commas are one separator
// and empty fields are not fields.
std::array<std::string, 3> FirstThreeFields(std::string_view text);

// "COMMENT?": the first 127 characters, cut at the first carriage return,
// split into up to three fields of at most 21 characters each, joined.
std::string JoinCommentReply(std::string_view reply);

// A client's comment as the instrument's three fields: characters 1 to 20,
// 21 to 40 and 41 to 60; the rest is dropped.
std::array<std::u16string, 3> SplitComment(std::u16string_view comment);

// One "MON?" reading, in the reply's field order.
struct MonitorReading {
    int16_t status = 0;
    double voltage = 0.0;
    double current = 0.0;
    double resistanceMax = 0.0;
    double resistance = 0.0;
    double elapsed = 0.0;
};

// "MON?": six comma-separated fields (first 63 characters); a missing field or
// one that does not convert reads as 0.
MonitorReading ParseMonitor(std::string_view reply);

}  // namespace zew::parsers
