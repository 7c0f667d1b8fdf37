#include <gtest/gtest.h>

#include "Attributes.h"

#include <cstring>

using zewvisa::Attributes;
using zewvisa::ParseResourceName;

TEST(Attributes, SerialAttributesAreRangeCheckedAndReadBackWithTheirWidth) {
    Attributes a(*ParseResourceName("ASRL1"), 0x00500800);
    EXPECT_EQ(a.Set(VI_ATTR_ASRL_BAUD, 19200), VI_SUCCESS);
    EXPECT_EQ(a.Set(VI_ATTR_ASRL_BAUD, 12345), VI_ERROR_NSUP_ATTR_STATE);
    EXPECT_EQ(a.Set(VI_ATTR_ASRL_STOP_BITS, 20), VI_SUCCESS);
    EXPECT_EQ(a.Set(VI_ATTR_ASRL_STOP_BITS, 2), VI_ERROR_NSUP_ATTR_STATE);
    EXPECT_EQ(a.Set(VI_ATTR_ASRL_DATA_BITS, 9), VI_ERROR_NSUP_ATTR_STATE);
    EXPECT_EQ(a.Set(VI_ATTR_ASRL_PARITY, 5), VI_ERROR_NSUP_ATTR_STATE);
    EXPECT_EQ(a.Set(VI_ATTR_GPIB_READDR_EN, 1), VI_ERROR_NSUP_ATTR);
    EXPECT_EQ(a.Set(VI_ATTR_INTF_TYPE, 1), VI_ERROR_ATTR_READONLY);
    EXPECT_EQ(a.Set(0x12345678, 1), VI_ERROR_NSUP_ATTR);

    ViUInt32 baud = 0;
    ASSERT_EQ(a.Get(VI_ATTR_ASRL_BAUD, &baud), VI_SUCCESS);
    EXPECT_EQ(baud, 19200u);

    // A port with fixed settings takes its own value only.
    a.Fix(VI_ATTR_ASRL_BAUD, 9600);
    EXPECT_EQ(a.Value(VI_ATTR_ASRL_BAUD), 9600u);
    EXPECT_EQ(a.Set(VI_ATTR_ASRL_BAUD, 19200), VI_ERROR_NSUP_ATTR_STATE);
    EXPECT_EQ(a.Set(VI_ATTR_ASRL_BAUD, 9600), VI_SUCCESS);
    EXPECT_EQ(a.Set(VI_ATTR_ASRL_BAUD, 12345), VI_ERROR_NSUP_ATTR_STATE);

    // A 16-bit attribute writes exactly two bytes.
    unsigned char bytes[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    ASSERT_EQ(a.Get(VI_ATTR_INTF_TYPE, bytes), VI_SUCCESS);
    ViUInt16 type;
    std::memcpy(&type, bytes, 2);
    EXPECT_EQ(type, 4);
    EXPECT_EQ(bytes[2], 0xEE);
    EXPECT_EQ(bytes[3], 0xEE);
}

TEST(Attributes, GpibSessionKnowsItsAddressAndTheTermCharSettings) {
    Attributes a(*ParseResourceName("GPIB0::5::INSTR"), 0x00200000);
    EXPECT_EQ(a.Set(VI_ATTR_ASRL_BAUD, 19200), VI_ERROR_NSUP_ATTR);
    EXPECT_EQ(a.Set(VI_ATTR_TERMCHAR, 10), VI_SUCCESS);
    EXPECT_EQ(a.Set(VI_ATTR_TERMCHAR, 256), VI_ERROR_NSUP_ATTR_STATE);
    EXPECT_EQ(a.Set(VI_ATTR_TERMCHAR_EN, 2), VI_ERROR_NSUP_ATTR_STATE);
    EXPECT_EQ(a.Set(VI_ATTR_TERMCHAR_EN, 1), VI_SUCCESS);
    EXPECT_TRUE(a.TermCharEnabled());
    EXPECT_EQ(a.TermChar(), '\n');
    ViUInt16 primary = 0;
    ASSERT_EQ(a.Get(VI_ATTR_GPIB_PRIMARY_ADDR, &primary), VI_SUCCESS);
    EXPECT_EQ(primary, 5);
    ViUInt32 spec = 0;
    ASSERT_EQ(a.Get(VI_ATTR_RSRC_SPEC_VERSION, &spec), VI_SUCCESS);
    EXPECT_EQ(spec, 0x00200000u);
    char name[256];
    ASSERT_EQ(a.Get(VI_ATTR_RSRC_NAME, name), VI_SUCCESS);
    EXPECT_STREQ(name, "GPIB0::5::INSTR");
    EXPECT_EQ(a.Get(VI_ATTR_TMO_VALUE, nullptr), VI_ERROR_USER_BUF);
}
