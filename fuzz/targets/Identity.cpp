// The "*IDN?" reply: maker, model, serial and ROM version.
#include "FuzzInput.h"
#include "parsers/Identity.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (auto identity = zew::parsers::ParseIdentity(zew::fuzz::Text(data, size))) {
        zew::fuzz::Expect(identity->model.size() <= zew::parsers::kMaxIdentityToken, "model within a token");
        (void)identity->RomVersion();
    }
    return 0;
}
