// VISA resource strings: parsing and the canonical spelling used as a key.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zewvisa {

enum class ResourceKind { Gpib, Vxi, Serial, TcpSocket };

struct ResourceName {
    ResourceKind kind = ResourceKind::Gpib;
    unsigned board = 0;        // GPIB/VXI/TCPIP board, or the serial port number
    unsigned address = 0;      // GPIB primary address or VXI logical address
    int secondary = -1;        // GPIB secondary address, -1 when none
    std::string host;          // TCPIP host
    unsigned port = 0;         // TCPIP port

    // "GPIB0::5::INSTR", "ASRL1::INSTR", "VXI0::2::INSTR", "TCPIP0::host::5025::SOCKET".
    std::string Canonical() const;
    // The VISA interface type: 1 GPIB, 2 VXI, 4 serial, 6 TCPIP.
    unsigned InterfaceType() const;
};

// Parses a resource string without regard to case: GPIB[board]::primary[::secondary][::INSTR],
// VXI[board]::address[::INSTR], ASRLn[::INSTR], TCPIP[board]::host::port::SOCKET.
// Returns nothing for anything else or for numbers out of range.
std::optional<ResourceName> ParseResourceName(std::string_view text);

}  // namespace zewvisa
