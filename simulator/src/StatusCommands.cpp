// Identity, reset and the status registers.
#include "InstrumentState.h"

#include <string>

namespace zewsim {

namespace {

constexpr std::size_t kMaxIdentityField = 20;

// An identity field as it can travel in the comma-separated reply.
std::string IdentityField(const std::string& text) {
    std::string field = text.substr(0, kMaxIdentityField);
    for (char& c : field) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || c == ',') c = '_';
    }
    return field;
}

std::string Number(unsigned value) { return ReplyLine(std::to_string(value)); }

}  // namespace

Reply Instrument::State::Identify(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplyLine("ORVANTA ELECTRONICS CORP.," + IdentityField(config.model) + ',' +
                     IdentityField(config.serial) + ',' + IdentityField(config.version));
}

Reply Instrument::State::ResetCommand(const CommandLine& line) {
    if (Expect(line, "")) ResetSettings(Sync());
    return std::nullopt;
}

Reply Instrument::State::ClearStatus(const CommandLine& line) {
    if (Expect(line, "")) registers.ClearAll();
    return std::nullopt;
}

Reply Instrument::State::ClearAlarm(const CommandLine& line) {
    if (Expect(line, "")) {
        registers.ClearFail();
        run.ClearVerdict();
    }
    return std::nullopt;
}

Reply Instrument::State::SetSilent(const CommandLine& line) { return SetFlag(line, system.silent); }

Reply Instrument::State::QuerySilent(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return ReplySwitch(system.silent);
}

Reply Instrument::State::QueryErr(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return Number(registers.Err());
}

Reply Instrument::State::QueryEventStatus(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return Number(registers.ReadEventStatus());
}

Reply Instrument::State::QueryStatusByte(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return Number(registers.StatusByte(DeviceStatus()));
}

Reply Instrument::State::QueryFail(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return Number(registers.Fail());
}

Reply Instrument::State::QueryDeviceStatus(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return Number(DeviceStatus());
}

Reply Instrument::State::QueryProtection(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return Number(registers.Protection());
}

Reply Instrument::State::QueryInvalid(const CommandLine& line) {
    if (!Expect(line, "")) return std::nullopt;
    return Number(registers.Invalid());
}

}  // namespace zewsim
