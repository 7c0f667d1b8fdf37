// One read by VISA's rules, the same for every session the stand-in library
// or the driver's simulated testers serve: it ends at the termination
// character, at the count, or at the end of a message; when the deadline
// passes it ends with VI_ERROR_TMO, and when the link is lost with the link's
// status, each with whatever had arrived.
#pragma once

#include <cstddef>
#include <mutex>
#include <optional>

#include <zewvisa/VisaTypes.h>

#include "InputQueue.h"
#include "InputSource.h"

namespace zewvisa {

// `mutex` guards `input`; the read waits without holding it.
InputQueue::Result ReadInput(std::mutex& mutex, InputQueue& input, InputSource& source, std::size_t count,
                             std::optional<char> termChar, SteadyTime deadline);

// Hands a read's bytes to the caller as viRead does; returns its status.
ViStatus DeliverRead(const InputQueue::Result& result, ViByte* buffer, ViUInt32* returned);

}  // namespace zewvisa
