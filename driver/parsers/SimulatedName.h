// Device names served by the tester simulated inside the driver, in any case:
//   SIM [ "::" model [ "::" instance ] ] [ ";" key "=" value ]...
// The model is ZEW4400 (the default) or ZEW4410; an instance name (letters,
// digits, "_" and "-", at most 32) lets several simulated testers of one model
// live in one process. Options: DUT=<ohms> (the device under test, 0 to 1000)
// and DELAY=<milliseconds> (each reply's delay, 0 to 10000, instead of the
// time a serial link would take). Only SIM itself and names beginning with
// "SIM::" or "SIM;" are simulated; every other name goes to VISA.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zew::parsers {

struct SimulatedDevice {
    std::string model = "ZEW4400";
    std::string instance;   // upper case; empty for the model's default tester
    std::optional<double> dutOhms;
    std::optional<unsigned> delayMs;
};

bool IsSimulatedName(std::string_view name);

// The device a simulated name asks for; nothing when it breaks the grammar
// (an unknown model or option, a value out of range, an empty part).
std::optional<SimulatedDevice> ParseSimulatedName(std::string_view name);

}  // namespace zew::parsers
