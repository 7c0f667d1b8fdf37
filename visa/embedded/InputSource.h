// Where the bytes of a session's input come from while a read waits: a link
// that receives them (a TCP connection, a serial port), or only the session's
// own writes to an instrument in this process.
#pragma once

#include <zewvisa/VisaTypes.h>

#include "InputQueue.h"

namespace zewvisa {

class InputSource {
public:
    virtual ~InputSource() = default;
    // Moves whatever has arrived to input without blocking; called under the
    // lock that guards input. A negative status: the link is lost.
    virtual ViStatus Drain(InputQueue& input) = 0;
    // Blocks until bytes may be waiting or until wake; takes no locks.
    virtual void Wait(SteadyTime wake) = 0;
};

}  // namespace zewvisa
