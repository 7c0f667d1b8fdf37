// The "*IDN?" reply: maker, model, serial and ROM version.
#include "FuzzInput.h"
#include "parsers/Identity.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = zew::fuzz::Text(data, size);
    if (auto identity = zew::parsers::ParseIdentity(text)) {
        zew::fuzz::Expect(identity->model.size() <= zew::parsers::kMaxIdentityToken, "model within a token");
        zew::fuzz::Expect(zew::parsers::LooksLikeIdentity(text), "an identity has the shape of one");
        (void)identity->RomVersion();
    }
    // Lines read past or counted on a link out of step.
    if (zew::parsers::IsMakersIdentity(text)) zew::fuzz::Expect(zew::parsers::LooksLikeIdentity(text), "ours is an identity");
    (void)zew::parsers::IsIdentityQuery(text);
    return 0;
}
