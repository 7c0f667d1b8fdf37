// An instrument on a virtual clock, with shorthands for exchanging lines.
#pragma once

#include "zewsim/Instrument.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

namespace zewsim::testing {

class InstrumentTest : public ::testing::Test {
protected:
    explicit InstrumentTest(std::string model = "ZEW4400", double dut = 0.050)
        : clock_(std::make_shared<VirtualClock>()), instrument_(MakeConfig(std::move(model), dut), clock_) {}

    // A command that must not reply.
    void Send(std::string_view line) {
        const auto reply = instrument_.Process(line);
        EXPECT_FALSE(reply.has_value()) << "'" << line << "' replied '" << reply.value_or("") << "'";
    }

    // The full reply of a query, terminator included; "<none>" when silent.
    std::string Ask(std::string_view line) { return instrument_.Process(line).value_or("<none>"); }

    // A register query's value.
    int Reg(std::string_view query) { return std::stoi(Ask(query)); }

    void Advance(double seconds) { clock_->Advance(seconds); }

    std::shared_ptr<VirtualClock> clock_;
    Instrument instrument_;

private:
    static InstrumentConfig MakeConfig(std::string model, double dut) {
        InstrumentConfig config;
        config.model = std::move(model);
        config.serial = "1234";
        config.version = "2.01.03";
        config.dutResistance = dut;
        return config;
    }
};

}  // namespace zewsim::testing
