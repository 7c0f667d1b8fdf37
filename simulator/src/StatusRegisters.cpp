#include "StatusRegisters.h"

namespace zewsim {

void StatusRegisters::CommandError() {
    err_ |= err::kCommand;
    esr_ |= esr::kCommandError;
}

void StatusRegisters::ExecutionError(std::uint16_t invalidBits) {
    err_ |= err::kExecution;
    esr_ |= esr::kExecutionError;
    invalid_ |= invalidBits;
}

void StatusRegisters::QueryError() {
    err_ |= err::kQuery;
    esr_ |= esr::kQueryError;
}

std::uint16_t StatusRegisters::ReadEventStatus() {
    const std::uint16_t value = esr_;
    esr_ = 0;
    return value;
}

std::uint8_t StatusRegisters::StatusByte(std::uint16_t deviceStatus) const {
    std::uint8_t value = 0;
    if (deviceStatus & dsr::kTestOn) value |= stb::kTestOn;
    if (fail_ != 0) value |= stb::kFail;
    if (err_ != 0) value |= stb::kError;
    if (esr_ != 0) value |= stb::kEventStatus;
    return value;
}

void StatusRegisters::ClearAll() {
    err_ = 0;
    esr_ = 0;
    fail_ = 0;
    invalid_ = 0;
}

}  // namespace zewsim
