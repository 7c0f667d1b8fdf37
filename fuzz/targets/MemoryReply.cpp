// The "MEMORY? n" reply: a name and eight values.
#include "FuzzInput.h"
#include "parsers/MemoryReply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zew::parsers;
    const std::string reply = zew::fuzz::Text(data, size);
    const MemoryReply parsed = ParseMemoryReply(reply);
    zew::fuzz::Expect(parsed.name.size() <= kMaxMemoryName, "a memory name of at most 12 characters");
    (void)parsed.Complete();
    zew::fuzz::Expect(MemoryNameOfReply(reply).size() <= kMaxMemoryName, "a memory name of at most 12 characters");
    return 0;
}
