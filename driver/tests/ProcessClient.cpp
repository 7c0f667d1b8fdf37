// A client for the process tests, run in a process of its own (the trace
// setting is read once per process):
//   zew-process-client session     connect, a live query, a refused argument,
//                                  a test start, a query whose read times out
//   zew-process-client queries N [--timed] [--then-wait EVENT]
//                                  connect and N live queries; --timed fails
//                                  (exit status 3) when one call takes 1 s or
//                                  more; --then-wait sets the named event
//                                  <EVENT>Ready, waits for EVENT and makes one
//                                  more query
//   zew-process-client forge       client text with line feeds, carriage
//                                  returns and other control bytes in a
//                                  resource name, a comment and a line
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

int Queries(IZew4400* driver, int count, bool timed, const wchar_t* event) {
    if (FAILED(ConnectDev1(driver))) return 1;
    short volume = 0;
    for (int i = 0; i < count; ++i) {
        const ULONGLONG started = GetTickCount64();
        if (driver->get_BuzzerVolume(&volume) != S_OK) return 1;
        if (timed && GetTickCount64() - started >= 1000) return 3;
    }
    if (event) {
        // "<EVENT>Ready" says the calls are made; then wait for EVENT.
        HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, (std::wstring(event) + L"Ready").c_str());
        if (!ready || !SetEvent(ready)) return 4;
        CloseHandle(ready);
        HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, event);
        if (!go || WaitForSingleObject(go, 30000) != WAIT_OBJECT_0) return 4;
        CloseHandle(go);
        if (driver->get_BuzzerVolume(&volume) != S_OK) return 1;
    }
    driver->Disconnect();
    return 0;
}

int Forge(IZew4400* driver) {
    const std::wstring forged = L"\nFORGED line\r\nFORGED line\x01\x1B[2J\x7F";
    Bstr name(L"NOSUCH::1" + forged);
    if (SUCCEEDED(driver->Connect(name.get()))) return 1;
    if (FAILED(ConnectDev1(driver))) return 1;
    Bstr comment(L"A" + forged);
    driver->put_Comment(comment.get());
    Bstr line(L"X?" + forged);
    driver->SetString(line.get());
    Bstr reply;
    driver->GetString(reply.put());
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
        if (scenario == L"queries" && argc >= 3) {
            bool timed = false;
            const wchar_t* event = nullptr;
            for (int i = 3; i < argc; ++i) {
                if (std::wstring(argv[i]) == L"--timed") timed = true;
                if (std::wstring(argv[i]) == L"--then-wait" && i + 1 < argc) event = argv[++i];
            }
            status = Queries(driver.get(), _wtoi(argv[2]), timed, event);
        }
        if (scenario == L"forge") status = Forge(driver.get());
    }
    CoUninitialize();
    return status;
}
