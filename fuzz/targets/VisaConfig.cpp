// The stand-in library's configuration file.
#include "FuzzInput.h"
#include "VisaConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)zewvisa::ParseVisaConfig(zew::fuzz::Text(data, size));
    return 0;
}
