// A Windows client of the stand-in against a zew-sim process over real TCP.
// The launcher puts the simulator's port in ZEW_SIM_PORT.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "VisaTestSupport.h"

using namespace zewtest;

namespace {

std::string Port() {
    const char* port = std::getenv("ZEW_SIM_PORT");
    return port ? port : "";
}

}  // namespace

TEST(StandInTcp, SocketResourceAndMappedGpibResourceReachTheSameInstrument) {
    ASSERT_FALSE(Port().empty()) << "run under scripts/with-zew-sim";
    ZvReset();
    ASSERT_EQ(ZvConfigure(("[GPIB0::9]\ntcp = 127.0.0.1:" + Port() + "\n").c_str()), VI_SUCCESS);
    ResourceManager rm;

    const std::string socketName = "TCPIP0::127.0.0.1::" + Port() + "::SOCKET";
    ViSession sock = rm.OpenWithTermChar(socketName.c_str());
    ASSERT_TRUE(sock);
    ViUInt16 type = 0;
    viGetAttribute(sock, VI_ATTR_INTF_TYPE, &type);
    EXPECT_EQ(type, 6);
    ViStatus status;
    WriteText(sock, "*IDN?\n");
    EXPECT_EQ(ReadText(sock, &status).rfind("ORVANTA ELECTRONICS CORP.,ZEW44", 0), 0u);
    EXPECT_EQ(status, VI_SUCCESS_TERM_CHAR);
    WriteText(sock, "CONTRAST 9\n");
    viClose(sock);

    ViSession gpib = rm.OpenWithTermChar("GPIB0::9::INSTR");
    ASSERT_TRUE(gpib);
    viGetAttribute(gpib, VI_ATTR_INTF_TYPE, &type);
    EXPECT_EQ(type, 1);
    EXPECT_EQ(Query(gpib, "CONTRAST?"), "9\n");
    EXPECT_EQ(WireLog("GPIB0::9"), "CONTRAST?\n");

    // No reply pending: the read times out.
    viSetAttribute(gpib, VI_ATTR_TMO_VALUE, 100);
    ReadText(gpib, &status);
    EXPECT_EQ(status, VI_ERROR_TMO);
}

TEST(StandInTcp, AnUnreachableMappingIsNotFound) {
    ZvReset();
    ASSERT_EQ(ZvConfigure("[GPIB0::10]\ntcp = 127.0.0.1:1\n"), VI_SUCCESS);
    ResourceManager rm;
    ViSession vi = 0;
    EXPECT_EQ(viOpen(rm.get(), "GPIB0::10::INSTR", 0, 1000, &vi), VI_ERROR_RSRC_NFOUND);
}
