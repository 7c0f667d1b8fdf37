// A client for the trace tests, run in a process of its own (the trace setting
// is read once per process):
//   zew-trace-client session     connect, a live query, a refused argument, a
//                                test start, a query whose read times out
//   zew-trace-client queries N   connect and N live queries
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "DriverTestSupport.h"
#include <zewvisa/VisaControl.h>

namespace {

using zewtest::Bstr;
using zewtest::ComPtr;

HRESULT ConnectDev1(IZew4400* driver) {
    Bstr device(L"dev1");
    return driver->Connect(device.get());
}

int Session(IZew4400* driver) {
    if (FAILED(ConnectDev1(driver))) return 1;
    short volume = 0;
    if (driver->get_BuzzerVolume(&volume) != S_OK) return 1;
    if (driver->put_BuzzerVolume(11) != E_INVALIDARG) return 1;
    if (driver->Start() != S_OK) return 1;
    ZvFailNext(ZV_OP_READ, 0, VI_ERROR_TMO);
    if (SUCCEEDED(driver->get_BuzzerVolume(&volume))) return 1;
    driver->Disconnect();
    return 0;
}

int Queries(IZew4400* driver, int count) {
    if (FAILED(ConnectDev1(driver))) return 1;
    short volume = 0;
    for (int i = 0; i < count; ++i) {
        if (driver->get_BuzzerVolume(&volume) != S_OK) return 1;
    }
    driver->Disconnect();
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ZvSetMaxWait(50);
    int status = 2;
    {
        ComPtr<IZew4400> driver = zewtest::CreateDriver();
        if (!driver) return 1;
        const std::wstring scenario = argv[1];
        if (scenario == L"session") status = Session(driver.get());
        if (scenario == L"queries" && argc == 3) status = Queries(driver.get(), _wtoi(argv[2]));
    }
    CoUninitialize();
    return status;
}
