// The "COMMENT?" reply, and a client's comment split into the three fields.
#include "FuzzInput.h"
#include "parsers/Replies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zew::parsers;
    const std::string text = zew::fuzz::Text(data, size);
    (void)FirstThreeFields(text);
    (void)JoinCommentReply(text);
    const std::u16string comment(reinterpret_cast<const char16_t*>(text.data()), text.size() / 2);
    for (const auto& field : SplitComment(comment)) {
        zew::fuzz::Expect(field.size() <= 20, "comment fields of at most 20 characters");
    }
    return 0;
}
