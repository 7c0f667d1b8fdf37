// The driver on a machine without a VISA library: the missing library is
// reported, and simulated testers work all the same.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "DriverTestSupport.h"

namespace zewtest {
namespace {

constexpr LONG kResourceNotFound = static_cast<LONG>(0xBFFF0011);   // VI_ERROR_RSRC_NFOUND

// The DSR? bits while a test runs: TEST ON and ramping.
constexpr short kRunning = 0x08 | 0x04;
constexpr short kPass = 0x01;
constexpr short kFail = 0x02;

// Polls the device status as a client would until the test is over; its last
// PASS or FAIL bits.
short Verdict(IZew4400* driver) {
    ComPtr<IRegister> reg = RegisterOf(driver);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    short status = kRunning;
    while ((status & kRunning) != 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (reg->get_DeviceStatus(&status) != S_OK) return -1;
    }
    return static_cast<short>(status & (kPass | kFail));
}

std::wstring Reply(IZew4400* driver, const wchar_t* line) {
    driver->SetString(Bstr(line).get());
    Bstr reply;
    driver->GetString(reply.put());
    return reply.get() ? std::wstring(reply.get()) : L"";
}

TEST(NoVisaTest, OnlySimulatedNamesConnectWithoutALibrary) {
    ASSERT_EQ(GetModuleHandleW(L"VISA32.DLL"), nullptr);
    ComPtr<IZew4400> driver = CreateDriver();
    ASSERT_TRUE(driver);
    LONG rm = -1;
    driver->get_hVisaRM(&rm);
    EXPECT_EQ(rm, 0);
    EXPECT_EQ(Connect(driver.get(), L"dev1"), kVisaNotFound);

    // Names outside the simulated grammar still go to VISA; malformed
    // simulated names are simulated devices that do not exist.
    for (const wchar_t* name : {L"SIMPLE", L"sim5", L"XSIM", L"Com2", L"GPIB0::1::INSTR"}) {
        EXPECT_EQ(Connect(driver.get(), name), kVisaNotFound) << name;
    }
    for (const wchar_t* name : {L"SIM::ZEW4499", L"sim;dut=abc", L"SIM::"}) {
        EXPECT_EQ(Connect(driver.get(), name), kOpenFailed) << name;
        LONG status = 0;
        driver->get_ErrVisa(&status);
        EXPECT_EQ(status, kResourceNotFound) << name;
    }
    EXPECT_EQ(GetModuleHandleW(L"VISA32.DLL"), nullptr);
    EXPECT_EQ(GetModuleHandleW(L"visa64.dll"), nullptr);
}

TEST(NoVisaTest, ASimulatedTesterRunsAWholeSequence) {
    ComPtr<IZew4400> driver = CreateDriver();
    ASSERT_EQ(Connect(driver.get(), L"sim::zew4400::sequence"), S_OK);
    Bstr model;
    driver->get_LegalModelName(model.put());
    EXPECT_STREQ(model.get(), L"ZEW4400");
    short version = 0;
    driver->get_Version(&version);
    EXPECT_EQ(version, 0x0100);
    EXPECT_EQ(Reply(driver.get(), L"*IDN?"), L"ORVANTA ELECTRONICS CORP.,ZEW4400,SIM,1.00.00\n");
    LONG visa = 0, gpib = 0, rm = -1;
    driver->get_hVisa(&visa);
    driver->get_hGpib(&gpib);
    driver->get_hVisaRM(&rm);
    EXPECT_NE(visa, 0);
    EXPECT_EQ(gpib, visa);
    EXPECT_EQ(rm, 0);
    // The model's limits.
    EXPECT_EQ(driver->put_Current(31.0), E_INVALIDARG);
    EXPECT_EQ(driver->put_LimitUpper(1.3), E_INVALIDARG);

    // A PASS shows until the next start, so polling cannot miss it.
    ASSERT_EQ(driver->put_PassHoldTime(0), S_OK);

    // The simulated device of 0.05 ohm passes under 0.1 ohm; changed within
    // the session, the same test fails.
    ASSERT_EQ(driver->put_Current(10.0), S_OK);
    ASSERT_EQ(driver->put_LimitUpper(0.1), S_OK);
    ASSERT_EQ(driver->put_ExecTime(0.5), S_OK);
    ASSERT_EQ(driver->Start(), S_OK);
    EXPECT_EQ(Verdict(driver.get()), kPass);
    ASSERT_EQ(driver->SetString(Bstr(L"SIM:DUT 0.5").get()), S_OK);
    ASSERT_EQ(driver->Start(), S_OK);
    EXPECT_EQ(Verdict(driver.get()), kFail);
    // A device of the client's choosing when connecting, on the same tester.
    ASSERT_EQ(Connect(driver.get(), L"SIM::ZEW4400::SEQUENCE;DUT=0.02"), S_OK);
    ASSERT_EQ(driver->put_LimitUpper(0.04), S_OK);
    ASSERT_EQ(driver->Start(), S_OK);
    EXPECT_EQ(Verdict(driver.get()), kPass);

    // A panel memory saved and found by its name, then run as a program's step.
    ComPtr<IMemory> memory = MemoryOf(driver.get(), 12);
    ASSERT_EQ(memory->put_Name(Bstr(L"BENCH-A").get()), S_OK);
    ASSERT_EQ(memory->put_Current(10.0), S_OK);
    ASSERT_EQ(memory->put_LimitUpper(0.01), S_OK);
    ASSERT_EQ(memory->Save(), S_OK);
    ComPtr<IMemory> found;
    Bstr name(L"BENCH-A");
    ASSERT_EQ(MemoriesOf(driver.get())->get_Item(Name(name), found.put()), S_OK);
    short index = 0;
    found->get_Index(&index);
    EXPECT_EQ(index, 12);

    ComPtr<IProgram> program = ProgramOf(driver.get(), 4);
    ASSERT_EQ(program->Allocate(1), S_OK);
    ASSERT_EQ(StepOf(program.get(), 0)->put_Memory(Number(VT_I2, 12)), S_OK);
    ASSERT_EQ(program->Start(), S_OK);
    EXPECT_EQ(Verdict(driver.get()), kFail) << "0.02 ohm against the memory's 0.01";
    EXPECT_EQ(Reply(driver.get(), L"PRGEDIT? 4,0"), L"12,1.0\n");
    EXPECT_EQ(driver->Disconnect(), S_OK);
    driver->get_hVisa(&visa);
    EXPECT_EQ(visa, 0);
}

TEST(NoVisaTest, InstanceNamesAreTestersOfTheirOwnAndOneNameIsOneTester) {
    ComPtr<IZew4400> line1 = CreateDriver(), line2 = CreateDriver(), again = CreateDriver();
    ASSERT_EQ(Connect(line1.get(), L"SIM::ZEW4410::LINE1;DELAY=0"), S_OK);
    ASSERT_EQ(Connect(line2.get(), L"SIM::ZEW4410::LINE2;DELAY=0"), S_OK);
    ASSERT_EQ(Connect(again.get(), L"sim::zew4410::line1"), S_OK);
    EXPECT_EQ(line1->put_Current(62.0), S_OK) << "the ZEW4410's range";

    ComPtr<IMemory> memory = MemoryOf(line1.get(), 5);
    ASSERT_EQ(memory->put_Name(Bstr(L"ONLY-ON-1").get()), S_OK);
    ASSERT_EQ(memory->put_Current(10.0), S_OK);   // the tester refuses the initial 3 A of a ZEW4400
    ASSERT_EQ(memory->Save(), S_OK);
    Bstr name(L"ONLY-ON-1");
    ComPtr<IMemory> found;
    EXPECT_EQ(MemoriesOf(again.get())->get_Item(Name(name), found.put()), S_OK);
    found.reset();
    EXPECT_NE(MemoriesOf(line2.get())->get_Item(Name(name), found.put()), S_OK);
    ErrorDescription();
    EXPECT_EQ(Reply(line2.get(), L"MEMORY? 5").substr(0, 12), L"            ");
}

}  // namespace
}  // namespace zewtest
