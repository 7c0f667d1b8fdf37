// Command lines sent to the simulated instrument, one a line, on a clock that
// moves a little between lines so that tests and programs run.
#include "FuzzInput.h"
#include "zewsim/Instrument.h"

#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto clock = std::make_shared<zewsim::VirtualClock>();
    zewsim::Instrument instrument({}, clock);
    const std::string text = zew::fuzz::Text(data, size);
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (auto reply = instrument.Process(line)) {
            zew::fuzz::Expect(!reply->empty() && reply->back() == '\n', "a reply ends with its line feed");
            zew::fuzz::Expect(reply->size() < 100, "a reply stays short");
        }
        (void)instrument.StatusByte();
        clock->Advance(0.25);
    }
    // Whatever came before, a reset leaves a working instrument.
    instrument.Process("*RST");
    zew::fuzz::Expect(instrument.Process("*IDN?").value_or("").rfind("ORVANTA", 0) == 0, "the instrument answers");
    return 0;
}
