// One session's traffic with a simulated instrument in this process: the bytes
// a client writes become command lines for the instrument, and its replies
// wait in the session's input until the link would have delivered them. Reads
// follow VISA's rules (termination character, count, end of message, time-out).
// Safe to call from several threads; a read waits without holding the lock.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>

#include <zewvisa/VisaTypes.h>

#include "InputQueue.h"
#include "LineAssembler.h"
#include "ReplyTiming.h"
#include "SharedInstrument.h"

namespace zewvisa {

class EmbeddedSession {
public:
    EmbeddedSession(std::shared_ptr<SharedInstrument> instrument, ReplyTiming timing)
        : instrument_(std::move(instrument)), timing_(timing) {}

    // Every complete line goes to the instrument now; its reply is queued.
    void Write(std::string_view bytes);

    // Waits for a read to complete until the deadline. The result's status is
    // VI_SUCCESS_TERM_CHAR, VI_SUCCESS_MAX_CNT or VI_SUCCESS (end of a reply),
    // or VI_ERROR_TMO with whatever had arrived.
    InputQueue::Result Read(std::size_t count, std::optional<char> termChar, SteadyTime deadline);

private:
    std::shared_ptr<SharedInstrument> instrument_;
    std::mutex mutex_;
    ReplyTiming timing_;
    LineAssembler lines_;
    InputQueue input_;
};

}  // namespace zewvisa
