// When the reply to a command line has arrived: at once, after a fixed delay,
// or as a serial link carries it, about ten bits a character, the line out
// first and the reply back after it. A link carries one thing at a time each
// way, so lines written in a burst queue behind each other.
#pragma once

#include <chrono>
#include <cstddef>

#include "InputQueue.h"

namespace zewvisa {

class ReplyTiming {
public:
    static ReplyTiming Instant() { return ReplyTiming(std::chrono::milliseconds(0), 0); }
    static ReplyTiming Fixed(std::chrono::milliseconds delay) { return ReplyTiming(delay, 0); }
    static ReplyTiming Serial(unsigned baud) { return ReplyTiming(std::chrono::milliseconds(0), baud); }

    // A line of lineBytes (terminator included) written at `written`: when the
    // instrument has it all.
    SteadyTime LineArrives(SteadyTime written, std::size_t lineBytes);
    // Its reply of replyBytes: when the client has it all.
    SteadyTime ReplyArrives(SteadyTime lineArrived, std::size_t replyBytes);

    // The time a serial link at baud takes for the characters.
    static std::chrono::microseconds OnTheWire(std::size_t characters, unsigned baud);

private:
    ReplyTiming(std::chrono::milliseconds delay, unsigned baud) : delay_(delay), baud_(baud) {}

    std::chrono::milliseconds delay_;
    unsigned baud_;   // 0: no serial link
    SteadyTime outFree_{};
    SteadyTime backFree_{};
};

}  // namespace zewvisa
