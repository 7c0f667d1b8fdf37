// Bytes on their way from the instrument to the client, and the rules by which
// one read takes them: up to the termination character, up to the count, or up
// to the end of a message.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include <zewvisa/VisaTypes.h>

namespace zewvisa {

using SteadyTime = std::chrono::steady_clock::time_point;

class InputQueue {
public:
    struct Result {
        std::string data;
        ViStatus status;   // VI_SUCCESS (end of message), VI_SUCCESS_TERM_CHAR or VI_SUCCESS_MAX_CNT
    };

    // A reply of the instrument becomes readable at readyAt. end marks the end
    // of a message (a stream such as TCP delivers bytes without it).
    void Push(std::string bytes, bool end, SteadyTime readyAt);

    // Completes a read from the data ready by now, consuming it; nothing when
    // the read has to wait for more data.
    std::optional<Result> TryRead(std::size_t count, std::optional<char> termChar, SteadyTime now);

    // Takes whatever is ready (at most count bytes): what a timed-out read returns.
    std::string TakeReady(std::size_t count, SteadyTime now);

    // When the first message that is not ready yet becomes ready, if any.
    std::optional<SteadyTime> NextReady(SteadyTime now) const;

    bool Empty() const { return messages_.empty(); }
    void Clear() { messages_.clear(); }

private:
    struct Message {
        std::string bytes;
        std::size_t taken = 0;
        bool end = false;
        SteadyTime readyAt;
    };
    void Consume(std::size_t bytes);
    std::deque<Message> messages_;
};

}  // namespace zewvisa
