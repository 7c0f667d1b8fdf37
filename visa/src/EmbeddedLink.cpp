#include "Link.h"

#include <algorithm>
#include <thread>

namespace zewvisa {

ViStatus EmbeddedLink::SendLine(const std::string& line, InputQueue& input, SteadyTime readyAt) {
    if (auto reply = instrument_->Process(line)) input.Push(std::move(*reply), true, readyAt);
    return VI_SUCCESS;
}

void EmbeddedLink::Wait(SteadyTime deadline) {
    // Replies of an embedded instrument are queued at once; waiting only lets
    // a delayed reply or a feed from another thread arrive.
    const auto step = std::chrono::steady_clock::now() + std::chrono::milliseconds(5);
    std::this_thread::sleep_until(std::min(step, deadline));
}

ViStatus EmbeddedLink::StatusByte(ViUInt16& stb) {
    stb = instrument_->StatusByte();
    return VI_SUCCESS;
}

}  // namespace zewvisa
