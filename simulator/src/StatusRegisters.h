// The instrument's status and error registers.
//
//   ERR     bit0 command error, bit1 execution error, bit2 query error
//   *ESR    0x20 command error, 0x10 execution error, 0x04 query error;
//           cleared when read
//   FAIL    bit0 upper fail, bit1 lower fail, bit2 contact-check fail
//   INVALID bit0 current, bit1 upper, bit2 lower, bit3 timer, bit4 frequency,
//           bit5 other parameter, bit6 upper not above lower at START,
//           bit7 memory, program or step number
//   PROTECTION  always 0 (no protection state is simulated)
//
// The device status register is not stored here: it follows the test run.
#pragma once

#include <cstdint>

namespace zewsim {

namespace err {
inline constexpr std::uint16_t kCommand = 0x01;
inline constexpr std::uint16_t kExecution = 0x02;
inline constexpr std::uint16_t kQuery = 0x04;
}  // namespace err

namespace esr {
inline constexpr std::uint16_t kQueryError = 0x04;
inline constexpr std::uint16_t kExecutionError = 0x10;
inline constexpr std::uint16_t kCommandError = 0x20;
}  // namespace esr

namespace fail {
inline constexpr std::uint16_t kUpper = 0x01;
inline constexpr std::uint16_t kLower = 0x02;
inline constexpr std::uint16_t kContact = 0x04;
}  // namespace fail

namespace invalid {
inline constexpr std::uint16_t kCurrent = 0x01;
inline constexpr std::uint16_t kUpper = 0x02;
inline constexpr std::uint16_t kLower = 0x04;
inline constexpr std::uint16_t kTimer = 0x08;
inline constexpr std::uint16_t kFrequency = 0x10;
inline constexpr std::uint16_t kOther = 0x20;
inline constexpr std::uint16_t kLimitOrder = 0x40;
inline constexpr std::uint16_t kNumber = 0x80;
}  // namespace invalid

namespace dsr {
inline constexpr std::uint16_t kPass = 0x01;
inline constexpr std::uint16_t kFail = 0x02;
inline constexpr std::uint16_t kRamping = 0x04;
inline constexpr std::uint16_t kTestOn = 0x08;
inline constexpr std::uint16_t kPassHold = 0x10;
}  // namespace dsr

// Status byte bits.
namespace stb {
inline constexpr std::uint8_t kTestOn = 0x01;      // DSR TEST ON
inline constexpr std::uint8_t kFail = 0x02;        // FAIL register not zero
inline constexpr std::uint8_t kError = 0x04;       // ERR register not zero
inline constexpr std::uint8_t kEventStatus = 0x20; // *ESR not zero
}  // namespace stb

class StatusRegisters {
public:
    void CommandError();
    void ExecutionError(std::uint16_t invalidBits);
    void QueryError();
    void AddFail(std::uint16_t bits) { fail_ |= bits; }

    std::uint16_t Err() const { return err_; }
    std::uint16_t Fail() const { return fail_; }
    std::uint16_t Invalid() const { return invalid_; }
    std::uint16_t Protection() const { return 0; }
    std::uint16_t EventStatus() const { return esr_; }
    std::uint16_t ReadEventStatus();  // returns *ESR and clears it

    std::uint8_t StatusByte(std::uint16_t deviceStatus) const;

    void ClearAll();   // *CLS
    void ClearFail() { fail_ = 0; }

private:
    std::uint16_t err_ = 0;
    std::uint16_t esr_ = 0;
    std::uint16_t fail_ = 0;
    std::uint16_t invalid_ = 0;
};

}  // namespace zewsim
