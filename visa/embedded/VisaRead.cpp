#include "VisaRead.h"

#include <algorithm>
#include <cstring>

namespace zewvisa {

InputQueue::Result ReadInput(std::mutex& mutex, InputQueue& input, InputSource& source, std::size_t count,
                             std::optional<char> termChar, SteadyTime deadline) {
    for (;;) {
        SteadyTime wake = deadline;
        {
            std::lock_guard lock(mutex);
            const ViStatus linkStatus = source.Drain(input);
            const SteadyTime now = std::chrono::steady_clock::now();
            if (auto result = input.TryRead(count, termChar, now)) return std::move(*result);
            if (linkStatus < 0) return {input.TakeReady(count, now), linkStatus};
            if (now >= deadline) return {input.TakeReady(count, now), VI_ERROR_TMO};
            if (const auto next = input.NextReady(now)) wake = std::min(wake, *next);
        }
        source.Wait(wake);
    }
}

ViStatus DeliverRead(const InputQueue::Result& result, ViByte* buffer, ViUInt32* returned) {
    if (!result.data.empty()) std::memcpy(buffer, result.data.data(), result.data.size());
    if (returned) *returned = static_cast<ViUInt32>(result.data.size());
    return result.status;
}

}  // namespace zewvisa
