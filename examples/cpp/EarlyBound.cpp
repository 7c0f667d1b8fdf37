// Runs a test on a ZEW4400 through the driver's IZew4400 interface (early
// binding, through the SDK's Zew4400Lib.h and Zew4400Lib_i.c): connect, read
// the identity, set the test conditions, start the test, poll the monitored
// values until the verdict, keep the conditions in a panel memory and find it
// by name. Every failed call is reported with the driver's description and
// ends the program with exit status 1; so does a test without a verdict.
//
//   EarlyBound.exe [DEVICE]      (default "SIM": the tester simulated inside the driver)
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "ComSupport.h"
#include "Zew4400Lib.h"

using namespace zew_example;

namespace {

// The instrument's state, the first field of its "MON?" reply: 12 and 8
// while a test runs, 1 passed, 2 failed.
long DeviceStatus(IZew4400* driver) {
    Check(driver->SetString(Bstr(L"MON?").get()), "SetString MON?");
    Bstr reply;
    Check(driver->GetString(reply.put()), "GetString");
    return std::wcstol(reply.c_str(), nullptr, 10);
}

bool Testing(long status) { return status == 8 || status == 12; }

void PrintMonitoredValues(IZew4400* driver, long status) {
    double resistance = 0, current = 0, voltage = 0, elapsed = 0, remaining = 0;
    Check(driver->get_MonResistance(&resistance), "MonResistance");
    Check(driver->get_MonCurrent(&current), "MonCurrent");
    Check(driver->get_MonVoltage(&voltage), "MonVoltage");
    Check(driver->get_MonTimeElapsed(&elapsed), "MonTimeElapsed");
    Check(driver->get_MonTimeRemaining(&remaining), "MonTimeRemaining");
    std::printf("  status %2ld: R = %.4f ohm, I = %.2f A, U = %.3f V, elapsed %.2f s, remaining %.2f s\n", status,
                resistance, current, voltage, elapsed, remaining);
}

// Polls until the test is over; returns the final status (0: no verdict
// within the time-out).
long WaitForVerdict(IZew4400* driver, bool print) {
    const ULONGLONG deadline = GetTickCount64() + 30000;
    do {
        const long status = DeviceStatus(driver);
        if (print) PrintMonitoredValues(driver, status);
        if (!Testing(status)) return status;
        Sleep(400);
    } while (GetTickCount64() < deadline);
    return 0;
}

const char* VerdictText(long status) { return status == 1 ? "PASS" : status == 2 ? "FAIL" : "none"; }

int Run(const wchar_t* device) {
    ComApartment com;
    ComPtr<IZew4400> driver;
    Check(CoCreateInstance(CLSID_Zew4400, nullptr, CLSCTX_INPROC_SERVER, IID_IZew4400, driver.put_void()),
          "creating Zew4400.Zew4400");

    Check(driver->Connect(Bstr(device).get()), "Connect");
    Bstr vendor, model;
    short version = 0;
    Check(driver->get_Vendor(vendor.put()), "Vendor");
    Check(driver->get_LegalModelName(model.put()), "LegalModelName");
    Check(driver->get_Version(&version), "Version");
    std::printf("Vendor:  %ls\nModel:   %ls\nVersion: %X\n", vendor.c_str(), model.c_str(),
                static_cast<unsigned>(version));

    // The test conditions are kept by the driver object and sent by Start.
    Check(driver->put_Current(10), "Current");
    Check(driver->put_Frequency(60), "Frequency");
    Check(driver->put_LimitUpper(0.1), "LimitUpper");
    Check(driver->put_ExecTime(2), "ExecTime");
    // The tester shows a PASS only for its pass hold time; 0 holds it until
    // the next Start, so the polling loop cannot miss it.
    Check(driver->put_PassHoldTime(0), "PassHoldTime");
    std::printf("Test:    10 A, 60 Hz, upper limit 0.1 ohm, 2 s\n");
    Check(driver->Start(), "Start");
    const long status = WaitForVerdict(driver.get(), true);
    std::printf("Verdict: %s\n", VerdictText(status));
    if (status == 0) return 1;

    // The same conditions kept in panel memory 12 and found again by name.
    ComPtr<IMemories> memories;
    ComPtr<IMemory> memory;
    Check(driver->get_Memories(memories.put()), "Memories");
    Check(memories->get_Item(*Variant(12L).get(), memory.put()), "Memories(12)");
    Check(memory->put_Name(Bstr(L"PUMP-HOUSING").get()), "Memory.Name");
    Check(memory->put_Current(10), "Memory.Current");
    Check(memory->put_Frequency(60), "Memory.Frequency");
    Check(memory->put_LimitUpper(0.1), "Memory.LimitUpper");
    Check(memory->put_ExecTime(2), "Memory.ExecTime");
    Check(memory->Save(), "Memory.Save");
    ComPtr<IMemory> found;
    short index = -1;
    Check(memories->get_Item(*Variant(L"PUMP-HOUSING").get(), found.put()), "Memories(\"PUMP-HOUSING\")");
    Check(found->get_Index(&index), "Memory.Index");
    std::printf("Memory:  \"PUMP-HOUSING\" is memory %d\n", index);
    Check(driver->Disconnect(), "Disconnect");

    // A call that fails: the HRESULT and the driver's description of it.
    Bstr reply;
    const HRESULT hr = driver->GetString(reply.put());
    if (SUCCEEDED(hr)) {
        std::printf("GetString after Disconnect did not fail\n");
        return 1;
    }
    std::printf("Error:   GetString after Disconnect: 0x%08lX %ls\n", static_cast<unsigned long>(hr),
                DescribeError(hr).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc > 1 ? Widen(argv[1]).c_str() : L"SIM");
    } catch (const ComError& e) {
        std::printf("%s failed: 0x%08lX %ls\n", e.what(), static_cast<unsigned long>(e.hr()), e.description().c_str());
        return 1;
    }
}
