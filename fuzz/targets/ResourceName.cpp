// VISA resource strings as the stand-in library reads them.
#include "FuzzInput.h"
#include "ResourceName.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)zewvisa::ParseResourceName(zew::fuzz::Text(data, size));
    return 0;
}
