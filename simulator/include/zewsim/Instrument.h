// A simulated ZEW4400 / ZEW4410 bench safety tester.
//
// The instrument is driven one command line at a time. It keeps real state
// (settings, registers, panel memories, programs), runs tests against a clock
// and never answers an unknown or malformed line. It is portable C++ with no
// platform types, and it is not thread-safe: its owner serialises calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zewsim {

// Seconds since an arbitrary origin.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double Now() const = 0;
};

// Real time (std::chrono::steady_clock).
class SteadyClock final : public Clock {
public:
    double Now() const override;
};

// Time that moves only when a test advances it.
class VirtualClock final : public Clock {
public:
    double Now() const override { return now_; }
    void Advance(double seconds) { now_ += seconds; }

private:
    double now_ = 0.0;
};

struct InstrumentConfig {
    std::string model = "ZEW4400";     // "ZEW4400" or "ZEW4410" (others answer as given, with ZEW4400 ranges)
    std::string serial = "0";
    std::string version = "1.00.00";
    double dutResistance = 0.050;      // ohms of the simulated device under test
    double leadResistance = 0.0;       // ohms of the test leads, measured with the device unless OFFSET is on
};

class Instrument {
public:
    // A null clock means real time.
    explicit Instrument(InstrumentConfig config = {}, std::shared_ptr<const Clock> clock = nullptr);
    ~Instrument();
    Instrument(const Instrument&) = delete;
    Instrument& operator=(const Instrument&) = delete;

    // Processes one command line, given without its line feed (a trailing
    // carriage return is tolerated). Returns the reply with its terminator
    // ("\n", or "\r\n" for names), or nothing when the line has no reply.
    std::optional<std::string> Process(std::string_view line);

    // The status byte, as a GPIB serial poll reads it.
    std::uint8_t StatusByte();

    // Sets the resistance of the simulated device under test, clamped to
    // 0..kMaxDutResistance; a NaN or infinity is ignored. A running test
    // measures the new value from now on. The line "SIM:DUT ohms" takes the
    // same path after a range check.
    void SetDutResistance(double ohms);
    const InstrumentConfig& Config() const;

    // Largest device-under-test resistance simulated, in ohms.
    static constexpr double kMaxDutResistance = 1000.0;

    // Largest test-lead resistance simulated, in ohms.
    static constexpr double kMaxLeadResistance = 1.0;

    // The output's open-circuit voltage: the most it can put across the
    // device and its leads. A device that needs more to carry the set current
    // fails as an open circuit.
    static constexpr double kMaxOutputVoltage = 6.0;

    // Longest command line accepted (terminator excluded); a longer line is a
    // command error.
    static constexpr std::size_t kMaxLineLength = 256;

private:
    struct State;

    std::unique_ptr<State> state_;
};

}  // namespace zewsim
