// Numbers in replies: reals and integers as atof, "%lf", atol and "%d" read them.
#include "FuzzInput.h"
#include "parsers/Numbers.h"
#include "parsers/ScanInt.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zew::parsers;
    const std::string text = zew::fuzz::Text(data, size);
    (void)ParseReal(text);
    (void)ScanReal(text);
    (void)ParseInt(text);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t before = pos;
        if (ScanInt(text, pos)) {
            zew::fuzz::Expect(pos > before && pos <= text.size(), "ScanInt moves past its number");
        } else {
            zew::fuzz::Expect(pos == before, "a failed ScanInt leaves pos");
            ++pos;
        }
    }
    return 0;
}
