#include <gtest/gtest.h>

#include "ResourceName.h"

using zewvisa::ParseResourceName;
using zewvisa::ResourceKind;

TEST(ResourceName, AcceptsEverySpellingOfTheSupportedClasses) {
    struct Case { const char* text; const char* canonical; unsigned intf; };
    const Case cases[] = {
        {"GPIB0::5::INSTR", "GPIB0::5::INSTR", 1},
        {"gpib::5", "GPIB0::5::INSTR", 1},
        {"GPIB1::3::INSTR", "GPIB1::3::INSTR", 1},
        {"GPIB0::7::2::INSTR", "GPIB0::7::2::INSTR", 1},
        {"asrl1", "ASRL1::INSTR", 4},
        {"ASRL12::instr", "ASRL12::INSTR", 4},
        {"vxi0::2::instr", "VXI0::2::INSTR", 2},
        {"TCPIP0::127.0.0.1::5025::SOCKET", "TCPIP0::127.0.0.1::5025::SOCKET", 6},
        {"tcpip::localhost::80::socket", "TCPIP0::LOCALHOST::80::SOCKET", 6},
    };
    for (const Case& c : cases) {
        auto r = ParseResourceName(c.text);
        ASSERT_TRUE(r) << c.text;
        EXPECT_EQ(r->Canonical(), c.canonical) << c.text;
        EXPECT_EQ(r->InterfaceType(), c.intf) << c.text;
    }
}

TEST(ResourceName, RefusesMalformedNamesAndNumbersOutOfRange) {
    for (const char* text : {"", "DEV5", "COM1", "GPIB0", "GPIB0::", "GPIB0::31", "GPIB0::5::INSTR::X", "GPIBX::5",
                             "GPIB0::-1", "ASRL", "ASRL0", "ASRL257", "ASRL1::SOCKET", "TCPIP0::host::0::SOCKET",
                             "TCPIP0::host::5025", "TCPIP0::ho st::5025::SOCKET", "GPIB0::99999999999999",
                             "USB0::1::2::3::INSTR"}) {
        EXPECT_FALSE(ParseResourceName(text)) << text;
    }
}
