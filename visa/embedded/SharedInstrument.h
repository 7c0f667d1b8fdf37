// A simulated instrument living in this process, shared by every session open
// to it, possibly from several threads: each call runs under its own lock.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include <zewsim/Instrument.h>

namespace zewvisa {

class SharedInstrument {
public:
    // A null clock means real time.
    explicit SharedInstrument(zewsim::InstrumentConfig config, std::shared_ptr<const zewsim::Clock> clock = nullptr)
        : instrument_(std::move(config), std::move(clock)) {}

    std::optional<std::string> Process(std::string_view line) {
        std::lock_guard lock(mutex_);
        return instrument_.Process(line);
    }
    std::uint8_t StatusByte() {
        std::lock_guard lock(mutex_);
        return instrument_.StatusByte();
    }
    void SetDutResistance(double ohms) {
        std::lock_guard lock(mutex_);
        instrument_.SetDutResistance(ohms);
    }

private:
    std::mutex mutex_;
    zewsim::Instrument instrument_;
};

}  // namespace zewvisa
