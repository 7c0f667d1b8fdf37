#include "ReplyTiming.h"

#include <algorithm>

namespace zewvisa {

std::chrono::microseconds ReplyTiming::OnTheWire(std::size_t characters, unsigned baud) {
    constexpr unsigned long long kBitsPerCharacter = 10;   // start, eight data bits, stop
    return std::chrono::microseconds(characters * kBitsPerCharacter * 1000000ull / baud);
}

SteadyTime ReplyTiming::LineArrives(SteadyTime written, std::size_t lineBytes) {
    if (baud_ == 0) return written;
    outFree_ = std::max(written, outFree_) + OnTheWire(lineBytes, baud_);
    return outFree_;
}

SteadyTime ReplyTiming::ReplyArrives(SteadyTime lineArrived, std::size_t replyBytes) {
    if (baud_ == 0) return lineArrived + delay_;
    backFree_ = std::max(lineArrived, backFree_) + OnTheWire(replyBytes, baud_);
    return backFree_;
}

}  // namespace zewvisa
