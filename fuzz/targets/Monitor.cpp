// The "MON?" reply's six fields.
#include "FuzzInput.h"
#include "parsers/Replies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)zew::parsers::ParseMonitor(zew::fuzz::Text(data, size));
    return 0;
}
