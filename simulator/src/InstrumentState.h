// Everything the simulated instrument keeps, and its command handlers.
//
// Handlers take a parsed line and return the reply (terminator included) or
// nothing. They record their own errors in the registers: a line of the
// wrong shape is a command error, a value out of range or not allowed now an
// execution error with its INVALID bits.
#pragma once

#include "zewsim/Instrument.h"

#include "CommandLine.h"
#include "ModelRanges.h"
#include "PanelMemories.h"
#include "Programs.h"
#include "StatusRegisters.h"
#include "SystemSettings.h"
#include "TestConditions.h"
#include "TestRun.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace zewsim {

using Reply = std::optional<std::string>;

struct Instrument::State {
    State(InstrumentConfig config, std::shared_ptr<const Clock> clock);

    using Handler = Reply (State::*)(const CommandLine&);
    struct Entry {
        Handler command = nullptr;  // the word as a command
        Handler query = nullptr;    // the word with '?'
    };
    // The handlers by command word (Instrument.cpp).
    static const Entry* FindCommand(std::string_view word);

    // Clock time, never going back; applies the run's transitions up to it.
    double Sync();

    void ResetSettings(double now);  // *RST
    void SetDut(double ohms);        // clamped; NaN and infinity ignored
    void SetLead(double ohms);       // likewise
    std::uint16_t DeviceStatus();

    // Status and identity (StatusCommands.cpp).
    Reply Identify(const CommandLine& line);
    Reply ResetCommand(const CommandLine& line);
    Reply ClearStatus(const CommandLine& line);
    Reply ClearAlarm(const CommandLine& line);
    Reply SetSilent(const CommandLine& line);
    Reply QuerySilent(const CommandLine& line);
    Reply QueryErr(const CommandLine& line);
    Reply QueryEventStatus(const CommandLine& line);
    Reply QueryStatusByte(const CommandLine& line);
    Reply QueryFail(const CommandLine& line);
    Reply QueryDeviceStatus(const CommandLine& line);
    Reply QueryProtection(const CommandLine& line);
    Reply QueryInvalid(const CommandLine& line);

    // Live settings and test conditions (SettingCommands.cpp).
    Reply SetFunction(const CommandLine& line);
    Reply QueryFunction(const CommandLine& line);
    Reply SetMeasMode(const CommandLine& line);
    Reply QueryMeasMode(const CommandLine& line);
    Reply SetDoubleAction(const CommandLine& line);
    Reply QueryDoubleAction(const CommandLine& line);
    Reply SetCurrent(const CommandLine& line);
    Reply QueryCurrent(const CommandLine& line);
    Reply SetFrequency(const CommandLine& line);
    Reply QueryFrequency(const CommandLine& line);
    Reply SetUpper(const CommandLine& line);
    Reply QueryUpper(const CommandLine& line);
    Reply SetLower(const CommandLine& line);
    Reply QueryLower(const CommandLine& line);
    Reply SetTimer(const CommandLine& line);
    Reply QueryTimer(const CommandLine& line);
    Reply SetOffset(const CommandLine& line);
    Reply QueryOffset(const CommandLine& line);
    Reply SetContactCheck(const CommandLine& line);
    Reply QueryContactCheck(const CommandLine& line);
    Reply SetFailMode(const CommandLine& line);
    Reply QueryFailMode(const CommandLine& line);
    Reply SetMomentary(const CommandLine& line);
    Reply QueryMomentary(const CommandLine& line);

    // Test run and monitored values (RunCommands.cpp).
    Reply StartTest(const CommandLine& line);
    Reply StopTest(const CommandLine& line);
    Reply QueryMonitor(const CommandLine& line);
    Reply QueryResistance(const CommandLine& line);
    Reply QueryCurrentReading(const CommandLine& line);
    Reply QueryVoltage(const CommandLine& line);
    Reply QueryTime(const CommandLine& line);

    // System settings (SystemCommands.cpp).
    Reply SetPassHold(const CommandLine& line);
    Reply QueryPassHold(const CommandLine& line);
    Reply SetBuzzerVolume(const CommandLine& line);
    Reply QueryBuzzerVolume(const CommandLine& line);
    Reply SetContrast(const CommandLine& line);
    Reply QueryContrast(const CommandLine& line);
    Reply SetComment(const CommandLine& line);
    Reply QueryComment(const CommandLine& line);

    // Panel memories (MemoryCommands.cpp).
    Reply SetMemory(const CommandLine& line);
    Reply QueryMemory(const CommandLine& line);
    Reply Recall(const CommandLine& line);

    // Simulator-only lines, no part of a real tester (SimulatorCommands.cpp).
    Reply SetSimDut(const CommandLine& line);
    Reply QuerySimDut(const CommandLine& line);
    Reply SetSimLead(const CommandLine& line);
    Reply QuerySimLead(const CommandLine& line);

    // Programs (ProgramCommands.cpp).
    Reply SetProgramName(const CommandLine& line);
    Reply QueryProgramName(const CommandLine& line);
    Reply SetProgramReturn(const CommandLine& line);
    Reply QueryProgramReturn(const CommandLine& line);
    Reply QueryProgramTotal(const CommandLine& line);
    Reply SelectEditProgram(const CommandLine& line);
    Reply QueryEditProgram(const CommandLine& line);
    Reply SetProgramStep(const CommandLine& line);
    Reply QueryProgramStep(const CommandLine& line);
    Reply ClearProgram(const CommandLine& line);
    Reply SelectTestProgram(const CommandLine& line);

    // Shared checks: false (and a command error recorded) when the line does
    // not have the shape; the parsed value, or nothing with an execution
    // error and `invalidBit` recorded.
    bool Expect(const CommandLine& line, std::string_view shape);
    // A front panel under TEST ON takes no new test conditions, memories or
    // program clears, and neither does the command line: while a test or
    // program run is on this records an execution error (no INVALID bit)
    // and returns true.
    bool RefusedDuringTest();
    // Expect, then RefusedDuringTest.
    bool Settable(const CommandLine& line, std::string_view shape);
    std::optional<double> Real(const Argument& arg, const Range& range, std::uint16_t invalidBit);
    std::optional<int> Integer(const Argument& arg, int min, int max, std::uint16_t invalidBit);
    std::optional<bool> Switch(const Argument& arg, std::uint16_t invalidBit);
    Reply SetFlag(const CommandLine& line, bool& flag);
    // A switch or a real of the test conditions, refused during a test.
    Reply SetConditionFlag(const CommandLine& line, bool& flag);
    Reply SetConditionReal(const CommandLine& line, double& value, const Range& range, int decimals,
                           std::uint16_t invalidBit);
    std::optional<int> ProgramNumber(const Argument& arg);

    InstrumentConfig config;
    std::shared_ptr<const Clock> clock;
    ModelRanges ranges;
    double lastNow = 0.0;

    int function = 0;
    bool measureMax = false;
    bool doubleAction = false;
    TestConditions conditions;
    SystemSettings system;
    PanelMemories memories;
    Programs programs;
    StatusRegisters registers;
    TestRun run;
    int editProgram = 0;
    std::optional<int> testProgram;  // run by the next START
};

// Reply helpers.
std::string ReplyLine(std::string text);       // text + "\n"
std::string ReplyNameLine(std::string text);   // text + "\r\n"
std::string ReplySwitch(bool value);           // "0\n" or "1\n"

}  // namespace zewsim
