// The command dispatcher: finds the handler of a line's command word.
#include "zewsim/Instrument.h"

#include "InstrumentState.h"

#include <chrono>
#include <string_view>
#include <unordered_map>

namespace zewsim {

const Instrument::State::Entry* Instrument::State::FindCommand(std::string_view word) {
    using S = Instrument::State;
    static const std::unordered_map<std::string_view, Entry> table = {
        {"*IDN", {nullptr, &S::Identify}},
        {"*RST", {&S::ResetCommand, nullptr}},
        {"*CLS", {&S::ClearStatus, nullptr}},
        {"*ESR", {nullptr, &S::QueryEventStatus}},
        {"*STB", {nullptr, &S::QueryStatusByte}},
        {"SILENT", {&S::SetSilent, &S::QuerySilent}},
        {"ERR", {nullptr, &S::QueryErr}},
        {"FAIL", {nullptr, &S::QueryFail}},
        {"DSR", {nullptr, &S::QueryDeviceStatus}},
        {"PROTECTION", {nullptr, &S::QueryProtection}},
        {"INVALID", {nullptr, &S::QueryInvalid}},
        {"CLR", {&S::ClearAlarm, nullptr}},

        {"FUNCTION", {&S::SetFunction, &S::QueryFunction}},
        {"MEASMODE", {&S::SetMeasMode, &S::QueryMeasMode}},
        {"DOUBLEACTION", {&S::SetDoubleAction, &S::QueryDoubleAction}},
        {"CURRENT", {&S::SetCurrent, &S::QueryCurrent}},
        {"FREQUENCY", {&S::SetFrequency, &S::QueryFrequency}},
        {"UPPER", {&S::SetUpper, &S::QueryUpper}},
        {"LOWER", {&S::SetLower, &S::QueryLower}},
        {"TIMER", {&S::SetTimer, &S::QueryTimer}},
        {"OFFSET", {&S::SetOffset, &S::QueryOffset}},
        {"CONTACTCHECK", {&S::SetContactCheck, &S::QueryContactCheck}},
        {"FAILMODE", {&S::SetFailMode, &S::QueryFailMode}},
        {"MOMENTARY", {&S::SetMomentary, &S::QueryMomentary}},

        {"START", {&S::StartTest, nullptr}},
        {"STOP", {&S::StopTest, nullptr}},
        {"MON", {nullptr, &S::QueryMonitor}},
        {"RDATA", {nullptr, &S::QueryResistance}},
        {"IDATA", {nullptr, &S::QueryCurrentReading}},
        {"VDATA", {nullptr, &S::QueryVoltage}},
        {"TIME", {nullptr, &S::QueryTime}},

        {"PASSHOLD", {&S::SetPassHold, &S::QueryPassHold}},
        {"BUZZERVOL", {&S::SetBuzzerVolume, &S::QueryBuzzerVolume}},
        {"CONTRAST", {&S::SetContrast, &S::QueryContrast}},
        {"COMMENT", {&S::SetComment, &S::QueryComment}},

        {"MEMORY", {&S::SetMemory, &S::QueryMemory}},
        {"RECALL", {&S::Recall, nullptr}},
        {"REC", {&S::Recall, nullptr}},

        {"PRGNAME", {&S::SetProgramName, &S::QueryProgramName}},
        {"PRGRETURN", {&S::SetProgramReturn, &S::QueryProgramReturn}},
        {"PRGTOTAL", {nullptr, &S::QueryProgramTotal}},
        {"PTES", {&S::SelectEditProgram, &S::QueryEditProgram}},
        {"PRGEDIT", {&S::SetProgramStep, &S::QueryProgramStep}},
        {"PRGNEW", {&S::ClearProgram, nullptr}},
        {"PRGTEST", {&S::SelectTestProgram, nullptr}},

        {"SIM:DUT", {&S::SetSimDut, &S::QuerySimDut}},
        {"SIM:LEAD", {&S::SetSimLead, &S::QuerySimLead}},
    };
    const auto it = table.find(word);
    return it == table.end() ? nullptr : &it->second;
}

double SteadyClock::Now() const {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

Instrument::Instrument(InstrumentConfig config, std::shared_ptr<const Clock> clock)
    : state_(std::make_unique<State>(std::move(config), std::move(clock))) {}

Instrument::~Instrument() = default;

std::optional<std::string> Instrument::Process(std::string_view line) {
    State& s = *state_;
    s.Sync();
    const std::optional<CommandLine> parsed = ParseCommandLine(line);
    if (!parsed) {
        s.registers.CommandError();
        return std::nullopt;
    }
    if (parsed->word.empty()) return std::nullopt;  // a blank line

    const State::Entry* entry = State::FindCommand(parsed->word);
    if (entry == nullptr) {
        s.registers.CommandError();
        return std::nullopt;
    }
    const State::Handler handler = parsed->query ? entry->query : entry->command;
    if (handler == nullptr) {
        // A command used as a query is a query error; a query-only word used
        // as a command is not a command at all.
        if (parsed->query) {
            s.registers.QueryError();
        } else {
            s.registers.CommandError();
        }
        return std::nullopt;
    }
    return (s.*handler)(*parsed);
}

std::uint8_t Instrument::StatusByte() {
    State& s = *state_;
    const std::uint16_t deviceStatus = s.DeviceStatus();
    return s.registers.StatusByte(deviceStatus);
}

void Instrument::SetDutResistance(double ohms) { state_->SetDut(ohms); }

const InstrumentConfig& Instrument::Config() const { return state_->config; }

}  // namespace zewsim
