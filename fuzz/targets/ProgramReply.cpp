// The "PRGNAME? n" reply.
#include "FuzzInput.h"
#include "parsers/ProgramReply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name = zew::parsers::ProgramNameOfReply(zew::fuzz::Text(data, size));
    zew::fuzz::Expect(name.size() <= 12, "a program name of at most 12 characters");
    return 0;
}
