// The stand-in's configuration: which resources are absent, which reach a
// simulated instrument over TCP or a serial port, and the identity of each embedded instrument.
//
// Format (one setting a line, '#' or ';' starts a comment):
//   [visa]
//   spec_version = 0x00500800      reported by VI_ATTR_RSRC_SPEC_VERSION
//   [GPIB0::5]                     any spelling of a resource name
//   model = ZEW4410
//   serial = SN01
//   version = 1.05.02
//   dut = 0.080                    device-under-test resistance in ohms
//   tcp = 127.0.0.1:5025           reach a zew-sim over TCP instead
//   port = COM5                    reach whatever is on that Windows serial
//                                  port, with the session's serial attributes
//   absent = yes                   viOpen fails with VI_ERROR_RSRC_NFOUND
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zewvisa {

struct ResourceConfig {
    bool absent = false;
    std::optional<std::string> model, serial, version;
    std::optional<double> dutResistance;
    std::optional<std::string> tcpHost;
    unsigned tcpPort = 0;
    std::optional<unsigned> serialPort;   // COM1 to COM255
};

struct VisaConfig {
    std::optional<std::uint32_t> specVersion;
    std::map<std::string, ResourceConfig> resources;   // keyed by canonical resource name
    std::vector<std::string> problems;                 // "line N: what is wrong", one per bad line

    const ResourceConfig* Find(const std::string& canonicalName) const;
};

// Parses configuration text. Bad lines are skipped and described in problems;
// the good ones still apply.
VisaConfig ParseVisaConfig(std::string_view text);

}  // namespace zewvisa
