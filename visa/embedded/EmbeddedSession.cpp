#include "EmbeddedSession.h"

#include <algorithm>
#include <thread>

namespace zewvisa {

void EmbeddedSession::Write(std::string_view bytes) {
    std::lock_guard lock(mutex_);
    const SteadyTime now = std::chrono::steady_clock::now();
    for (std::string& line : lines_.Add(bytes)) {
        const SteadyTime arrived = timing_.LineArrives(now, line.size() + 1);
        if (auto reply = instrument_->Process(line)) {
            const SteadyTime ready = timing_.ReplyArrives(arrived, reply->size());
            input_.Push(std::move(*reply), true, ready);
        }
    }
}

InputQueue::Result EmbeddedSession::Read(std::size_t count, std::optional<char> termChar, SteadyTime deadline) {
    for (;;) {
        SteadyTime wake = deadline;
        {
            std::lock_guard lock(mutex_);
            const SteadyTime now = std::chrono::steady_clock::now();
            if (auto result = input_.TryRead(count, termChar, now)) return std::move(*result);
            if (now >= deadline) return {input_.TakeReady(count, now), VI_ERROR_TMO};
            if (const auto next = input_.NextReady(now)) wake = std::min(wake, *next);
        }
        std::this_thread::sleep_until(wake);
    }
}

}  // namespace zewvisa
