// Device names given to Connect: the resource names they map to, and the
// simulated testers' names among them.
#include <cstdlib>

#include "FuzzInput.h"
#include "parsers/DeviceName.h"
#include "parsers/SimulatedName.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int board = data[0] % 4;  // the GPIB board the driver object is set to
    const std::string resource = zew::parsers::ResourceNameFromDevice(zew::fuzz::Text(data + 1, size - 1), board);
    const auto device = zew::parsers::ParseSimulatedName(resource);
    if (device && !zew::parsers::IsSimulatedName(resource)) std::abort();
    if (device && device->dutOhms && !(*device->dutOhms >= 0 && *device->dutOhms <= 1000)) std::abort();
    return 0;
}
