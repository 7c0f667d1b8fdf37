// The replies of the setting queries: "MEASMODE?", "DOUBLEACTION?", "PASSHOLD?".
#include "FuzzInput.h"
#include "parsers/Replies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zew::parsers;
    const std::string reply = zew::fuzz::Text(data, size);
    if (auto mode = ParseMeasMode(reply)) {
        zew::fuzz::Expect(*mode == 0 || *mode == 1, "measuring mode 0 or 1");
    }
    (void)ParseDoubleAction(reply);
    (void)ParsePassHold(reply);
    return 0;
}
