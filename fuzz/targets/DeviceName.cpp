// Device names given to Connect, and the resource names they map to.
#include "FuzzInput.h"
#include "parsers/DeviceName.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int board = data[0] % 4;  // the GPIB board the driver object is set to
    (void)zew::parsers::ResourceNameFromDevice(zew::fuzz::Text(data + 1, size - 1), board);
    return 0;
}
