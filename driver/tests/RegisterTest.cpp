// The status registers: one query each, on the wire, and how the reply reads.
#include <gtest/gtest.h>

#include "DriverFixture.h"

namespace zewtest {
namespace {

using Getter = HRESULT (STDMETHODCALLTYPE IRegister::*)(short*);

struct RegisterQuery {
    Getter get;
    const char* line;
};

const RegisterQuery kQueries[] = {
    {&IRegister::get_Err, "ERR?"},          {&IRegister::get_Stb, "*STB?"},
    {&IRegister::get_EventStatus, "*ESR?"}, {&IRegister::get_Fail, "FAIL?"},
    {&IRegister::get_DeviceStatus, "DSR?"}, {&IRegister::get_Protection, "PROTECTION?"},
    {&IRegister::get_Invalid, "INVALID?"},
};

using RegisterTest = ConnectedDriverTest;

// Each register is one query on the wire; all read the reply alike.
TEST_F(RegisterTest, EachPropertyIsOneQueryAndReadsTheLow16BitsSigned) {
    ComPtr<IRegister> reg = RegisterOf(driver.get());
    ASSERT_TRUE(reg);
    for (const RegisterQuery& q : kQueries) {
        ZvClearLogs(nullptr);
        ZvQueueReply("GPIB0::1", q.line, "7\n");
        short value = 42;
        EXPECT_EQ((reg.get()->*q.get)(&value), S_OK) << q.line;
        EXPECT_EQ(value, 7) << q.line;
        EXPECT_EQ(WireLog("GPIB0::1"), std::string(q.line) + "\n");
    }
    for (const auto& [reply, expected] : {std::pair{"128\n", 128}, {"40000\n", -25536}, {"65535\n", -1},
                                          {"abc\n", 0}, {"-1\n", -1}, {"65664\n", 128}}) {
        ZvQueueReply("GPIB0::1", "FAIL?", reply);
        short value = 42;
        EXPECT_EQ(reg->get_Fail(&value), S_OK);
        EXPECT_EQ(value, expected) << reply;
    }
}

}  // namespace
}  // namespace zewtest
