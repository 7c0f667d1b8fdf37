// Testers simulated inside the driver, behind the same functions as a VISA
// library, so that a session to one runs through all of the driver's session
// code: identity check, attributes, lines, replies, time-outs. Each model and
// instance name is one tester for the life of the process, shared by every
// session open to it; it runs on the real clock. A simulated session reads as
// a serial one (interface type 4), and its replies take the time a 19200-baud
// link would, unless the name's DELAY option sets a fixed delay.
#pragma once

#include "VisaLibrary.h"

namespace zew::session {

// The functions serving the names of parsers/SimulatedName.h. viOpen takes no
// resource manager; viOpenDefaultRM is not offered.
const VisaFunctions& SimulatedVisa();

}  // namespace zew::session
