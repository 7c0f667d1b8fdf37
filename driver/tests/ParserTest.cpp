// The portable parsers of instrument text and device names, and the choice
// of model limits.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "parsers/DeviceName.h"
#include "parsers/Identity.h"
#include "parsers/Numbers.h"
#include "parsers/SimulatedName.h"

namespace {

using namespace zew::parsers;

TEST(DeviceNameTest, MapsDeviceNamesToResourceNames) {
    EXPECT_EQ(ResourceNameFromDevice("dev5", 0), "GPIB0::5");
    EXPECT_EQ(ResourceNameFromDevice("DEV5X", 0), "GPIB0::5");
    EXPECT_EQ(ResourceNameFromDevice("dev 12", 2), "GPIB2::12");
    EXPECT_EQ(ResourceNameFromDevice("COM1", 0), "ASRL1");
    EXPECT_EQ(ResourceNameFromDevice("com12", 0), "ASRL12");
    EXPECT_EQ(ResourceNameFromDevice("gpib1::3::instr", 0), "GPIB1::3::INSTR");
    EXPECT_EQ(ResourceNameFromDevice("DEV", 0), "DEV");
    EXPECT_EQ(ResourceNameFromDevice("devx", 0), "DEVX");
    EXPECT_EQ(ResourceNameFromDevice("", 0), "");
    EXPECT_EQ(ResourceNameFromDevice("dev99999999999", 0), "GPIB0::2147483647");
    EXPECT_EQ(ResourceNameFromDevice("caf\xe9", 0), "CAF\xe9");
}

TEST(DeviceNameTest, OnlyTheSimulatedGrammarIsSimulated) {
    for (const char* name : {"SIMPLE", "SIM5", "XSIM", "SIM:", "SIM:ZEW4400", "", "GPIB0::1", " SIM"}) {
        EXPECT_FALSE(IsSimulatedName(name)) << name;
        EXPECT_FALSE(ParseSimulatedName(name)) << name;
    }
    struct Case {
        const char* name;
        const char* model;
        const char* instance;
        std::optional<double> dut;
        std::optional<unsigned> delay;
    };
    const Case valid[] = {
        {"sim", "ZEW4400", "", {}, {}},
        {"SIM::zew4410", "ZEW4410", "", {}, {}},
        {"Sim::ZEW4410::line2", "ZEW4410", "LINE2", {}, {}},
        {"SIM;DUT=2.5", "ZEW4400", "", 2.5, {}},
        {"SIM::ZEW4400::A-1_B;delay=0;dut=1000", "ZEW4400", "A-1_B", 1000.0, 0u},
    };
    for (const Case& c : valid) {
        const auto device = ParseSimulatedName(c.name);
        ASSERT_TRUE(device) << c.name;
        EXPECT_EQ(device->model, c.model) << c.name;
        EXPECT_EQ(device->instance, c.instance) << c.name;
        EXPECT_EQ(device->dutOhms, c.dut) << c.name;
        EXPECT_EQ(device->delayMs, c.delay) << c.name;
    }
    // Simulated names that break the grammar are refused, not guessed at.
    for (const char* name : {"SIM::", "SIM;", "SIM::ZEW4499", "SIM::ZEW4400::", "SIM::ZEW4400::A::B",
                             "SIM::ZEW4400::A B", "SIM::ZEW4400::ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456",
                             "SIM;DUT=", "SIM;DUT=-1", "SIM;DUT=1000.01", "SIM;DUT=1e3", "SIM;DUT=1;DUT=2",
                             "SIM;DELAY=10001", "SIM;DELAY=1.5", "SIM;COLOUR=RED", "SIM;DUT"}) {
        EXPECT_TRUE(IsSimulatedName(name)) << name;
        EXPECT_FALSE(ParseSimulatedName(name)) << name;
    }
}

TEST(IdentityTest, AcceptsTheFamilyWithTwoOrThreeVersionNumbers) {
    auto id = ParseIdentity("ORVANTA ELECTRONICS CORP.,ZEW4410,SN01,1.05.02\n");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->model, "ZEW4410");
    EXPECT_EQ(id->RomVersion(), 0x0105);
    id = ParseIdentity("ORVANTA ELECTRONICS CORP.,ZEW4400,0,2.1");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->RomVersion(), 0x0201);
    id = ParseIdentity("ORVANTAELECTRONICS\n CORP.,,ZEW4400,,SN,,-1.300 trailing");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->model, "ZEW4400");
    EXPECT_EQ(id->RomVersion(), static_cast<int16_t>((-1 & 0xFF) * 256 + (300 & 0xFF)));
}

TEST(IdentityTest, RejectsOtherMakersModelsAndVersions) {
    for (const char* reply : {"", "ORVANTA ELECTRONICS CORP.,", " ORVANTA ELECTRONICS CORP.,ZEW4400,0,1.0",
                              "orvanta electronics corp.,ZEW4400,0,1.0", "ORVANTA ELECTRONICS CORP.,ZEW4300,0,1.0",
                              "ORVANTA ELECTRONICS CORP.,ZEW4400,1.00.00", "ORVANTA ELECTRONICS CORP.,ZEW4400,,1.00.00",
                              "ORVANTA ELECTRONICS CORP.,ZEW4400,0,1", "ORVANTA ELECTRONICS CORP.,ZEW4400,0,1.x",
                              "ORVANTA ELECTRONICS CORP.,ZEW4400,0 ,1.0"}) {
        EXPECT_FALSE(ParseIdentity(reply)) << reply;
    }
}

// What a stale line may be taken for: Connect reads past lines that are no
// identity; a resync counts only our maker's identities and "*IDN?" queries.
TEST(IdentityTest, IdentityShapesAndQueries) {
    for (const char* reply : {"ORVANTA ELECTRONICS CORP.,ZEW4400,0,1.00.00\n", "ORVANTA ELECTRONICS CORP.,ZEW4400,1.00.00",
                              "ACME INSTRUMENTS INC.,ZEW4400,0,1.00.00\n", " Acme,Meter,SN1,2.0\r\n"}) {
        EXPECT_TRUE(LooksLikeIdentity(reply)) << reply;
    }
    for (const char* reply : {"", "0.0000\n", "12,1500.5,0.0123,0.0155,0.0150,3.2\n", "NAME1   \r\n", "4,HOLD\n",
                              "-1,a,b,c\n", ".5,a,b,c", "A,B,C\n", "A,B,C,D,E\n", ",B,C,D"}) {
        EXPECT_FALSE(LooksLikeIdentity(reply)) << reply;
    }
    EXPECT_TRUE(IsMakersIdentity("ORVANTA ELECTRONICS CORP.,ZEW4400,0,1.00.00\n"));
    EXPECT_FALSE(IsMakersIdentity("ACME INSTRUMENTS INC.,ZEW4400,0,1.00.00\n"));
    EXPECT_TRUE(IsIdentityQuery("*IDN?\n"));
    EXPECT_TRUE(IsIdentityQuery(" *idn? "));
    EXPECT_FALSE(IsIdentityQuery("*IDN"));
    EXPECT_FALSE(IsIdentityQuery("*IDN?;*STB?\n"));
}

TEST(IdentityTest, TokenLengthIsBounded) {
    const std::string head = "ORVANTA ELECTRONICS CORP.,";
    const std::string fits = "ZEW4400,0,1.0," + std::string(kMaxIdentityToken - 14, 'x');
    ASSERT_EQ(fits.size(), kMaxIdentityToken);
    EXPECT_TRUE(ParseIdentity(head + fits + "\n"));
    EXPECT_FALSE(ParseIdentity(head + fits + "x\n"));
    EXPECT_FALSE(ParseIdentity(head + "ZEW4400,0,1.0," + std::string(100000, 'x')));
}

TEST(NumbersTest, RealsAreReadAsAtofReadsThem) {
    EXPECT_DOUBLE_EQ(ParseReal("1.5E-3\n"), 0.0015);
    EXPECT_DOUBLE_EQ(ParseReal("  -2.25V"), -2.25);
    EXPECT_DOUBLE_EQ(ParseReal("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseReal("7.e2x"), 700.0);
    EXPECT_DOUBLE_EQ(ParseReal("3e"), 3.0);
    EXPECT_DOUBLE_EQ(ParseReal("3e+"), 3.0);
    EXPECT_DOUBLE_EQ(ParseReal("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ParseReal("."), 0.0);
    EXPECT_DOUBLE_EQ(ParseReal(""), 0.0);
    EXPECT_TRUE(std::isinf(ParseReal("1e999")));
    EXPECT_DOUBLE_EQ(ParseReal("1e-999"), 0.0);
}

TEST(NumbersTest, IntegersAreReadAsAtolReadsThemFromTheFirst19Characters) {
    EXPECT_EQ(ParseInt("+12abc"), 12);
    EXPECT_EQ(ParseInt("abc"), 0);
    EXPECT_EQ(ParseInt("  -42\n"), -42);
    EXPECT_EQ(ParseInt(std::string(18, ' ') + "7"), 7);
    EXPECT_EQ(ParseInt(std::string(19, ' ') + "7"), 0);
    EXPECT_EQ(ParseInt("99999999999"), 2147483647);
    EXPECT_EQ(ParseInt("-99999999999"), -2147483647 - 1);
}

}  // namespace
