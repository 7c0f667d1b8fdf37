#include "EmbeddedSession.h"

#include <thread>

#include "VisaRead.h"

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

namespace {

// Replies are queued by the session's own writes: waiting only lets the time
// pass until the next one arrives.
class QueuedReplies final : public InputSource {
public:
    ViStatus Drain(InputQueue&) override { return VI_SUCCESS; }
    void Wait(SteadyTime wake) override { std::this_thread::sleep_until(wake); }
};

}  // namespace

InputQueue::Result EmbeddedSession::Read(std::size_t count, std::optional<char> termChar, SteadyTime deadline) {
    QueuedReplies replies;
    return ReadInput(mutex_, input_, replies, count, termChar, deadline);
}

}  // namespace zewvisa
