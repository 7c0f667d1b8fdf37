#include "InputQueue.h"

namespace zewvisa {

void InputQueue::Push(std::string bytes, bool end, SteadyTime readyAt) {
    if (bytes.empty() && !end) return;
    messages_.push_back(Message{std::move(bytes), 0, end, readyAt});
}

std::optional<InputQueue::Result> InputQueue::TryRead(std::size_t count, std::optional<char> termChar,
                                                      SteadyTime now) {
    if (count == 0) return Result{{}, VI_SUCCESS_MAX_CNT};
    std::string out;
    for (const Message& m : messages_) {
        if (m.readyAt > now) break;
        for (std::size_t i = m.taken; i < m.bytes.size(); ++i) {
            out.push_back(m.bytes[i]);
            if (termChar && m.bytes[i] == *termChar) {
                Consume(out.size());
                return Result{std::move(out), VI_SUCCESS_TERM_CHAR};
            }
            if (out.size() == count) {
                Consume(out.size());
                return Result{std::move(out), VI_SUCCESS_MAX_CNT};
            }
        }
        if (m.end) {
            Consume(out.size());
            return Result{std::move(out), VI_SUCCESS};
        }
    }
    return std::nullopt;
}

std::string InputQueue::TakeReady(std::size_t count, SteadyTime now) {
    std::string out;
    for (const Message& m : messages_) {
        if (m.readyAt > now || out.size() >= count) break;
        out.append(m.bytes, m.taken, count - out.size());
    }
    Consume(out.size());
    return out;
}

std::optional<SteadyTime> InputQueue::NextReady(SteadyTime now) const {
    for (const Message& m : messages_) {
        if (m.readyAt > now) return m.readyAt;
    }
    return std::nullopt;
}

// Drops bytes from the front. A message whose last byte is taken goes,
// and its end with it.
void InputQueue::Consume(std::size_t bytes) {
    while (!messages_.empty()) {
        Message& m = messages_.front();
        const std::size_t left = m.bytes.size() - m.taken;
        if (bytes < left) {
            m.taken += bytes;
            return;
        }
        bytes -= left;
        messages_.pop_front();
        if (bytes == 0) return;
    }
}

}  // namespace zewvisa
