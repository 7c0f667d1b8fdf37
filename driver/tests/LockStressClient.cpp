// One client process of the lock stress test. Several run at once against one
// zew-sim, which traces every line it receives and every reply it sends.
//   zew-lock-stress-client driver COUNT DEVICE     single-call queries through
//                                                   a driver object of its own
//   zew-lock-stress-client raw COUNT RESOURCE      "RDATA?" exchanges through VISA
//                                                   alone, bypassing the lock
// Each ends with "lock stress client: N calls done" on stdout (the calls that
// succeeded) and exit status 0 when every call succeeded; what failed goes to
// stderr.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "DriverTestSupport.h"
#include "zewvisa/VisaTypes.h"

namespace {

using zewtest::Bstr;
using zewtest::ComPtr;
using zewtest::CreateDriver;

int Fail(const char* what, long code) {
    std::fprintf(stderr, "lock stress client: %s failed (0x%08lX)\n", what, static_cast<unsigned long>(code));
    return 1;
}

// The last line, which the test requires: the client got to its end.
int Done(long calls, int status) {
    std::printf("lock stress client: %ld calls done\n", calls);
    std::fflush(stdout);
    return status;
}

// Queries that each take the lock once, write one line and read its reply.
int RunDriver(long count, const char* device) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int status = 0;
    long done = 0;
    {
        ComPtr<IZew4400> driver = CreateDriver();
        if (!driver) return Fail("creating the driver object", 0);
        std::wstring name(device, device + std::strlen(device));
        Bstr bstrName(name.c_str());
        if (HRESULT hr = driver->Connect(bstrName.get()); FAILED(hr)) return Fail("Connect", hr);
        for (long i = 0; i < count && status == 0; ++i) {
            double resistance = 0;
            ZEW_FUNCMODE mode{};
            short volume = 0;
            HRESULT hr = S_OK;
            switch (i % 3) {
            case 0: hr = driver->get_MonResistance(&resistance); break;
            case 1: hr = driver->get_FuncMode(&mode); break;
            default: hr = driver->get_BuzzerVolume(&volume); break;
            }
            if (FAILED(hr)) status = Fail("a query", hr);
            else ++done;
        }
        driver->Disconnect();
    }
    CoUninitialize();
    return Done(done, status);
}

int RunRaw(long count, const char* resource) {
    ViSession rm = 0, vi = 0;
    if (ViStatus s = viOpenDefaultRM(&rm); s < 0) return Fail("viOpenDefaultRM", s);
    if (ViStatus s = viOpen(rm, const_cast<ViRsrc>(resource), 0, 0, &vi); s < 0) return Fail("viOpen", s);
    viSetAttribute(vi, VI_ATTR_TERMCHAR_EN, VI_TRUE);
    int status = 0;
    long done = 0;
    for (long i = 0; i < count && status == 0; ++i) {
        char query[] = "RDATA?\n";
        char reply[256];
        ViUInt32 n = 0;
        if (ViStatus s = viWrite(vi, reinterpret_cast<ViBuf>(query), sizeof query - 1, &n); s < 0) {
            status = Fail("viWrite", s);
        } else if (ViStatus r = viRead(vi, reinterpret_cast<ViPBuf>(reply), sizeof reply, &n); r < 0) {
            status = Fail("viRead", r);
        } else {
            ++done;
        }
    }
    viClose(vi);
    viClose(rm);
    return Done(done, status);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "driver" && argc == 4) return RunDriver(std::atol(argv[2]), argv[3]);
    if (mode == "raw" && argc == 4) return RunRaw(std::atol(argv[2]), argv[3]);
    std::fprintf(stderr, "usage: zew-lock-stress-client driver COUNT DEVICE | raw COUNT RESOURCE\n");
    return 2;
}
