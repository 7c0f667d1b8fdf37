// What the driver knows of the line to one instrument, shared by the driver
// object's session and its children's copies the way the lock is.
#pragma once

#include <cstdint>

namespace zew::session {

struct LinkState {
    // A read or write failed (a time-out included) since the link was last
    // proven: a reply may be on its way that belongs to no query of ours, so
    // the next reply read is not believed before the link is in step again.
    bool outOfStep = false;
    // Answers to "*IDN?" that the instrument still owes: written, and not yet
    // read by anyone. A resync discards that many before its own.
    uint32_t identitiesOwed = 0;
};

}  // namespace zew::session
