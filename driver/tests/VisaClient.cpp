// A client for the tests of how the driver finds its VISA library: creates a
// driver object from the Zew4400.ocx beside it, connects the device given on
// the command line and prints, one line each:
//   connect 0x<HRESULT> [<the error's description>]
//   reply <the identity reply>            (when connected)
//   loaded <file>...                      (the VISA libraries in the process)
// With --hold it prints "connected" once connected and keeps the connection
// until a line arrives on its standard input, so that a test can look at the
// port meanwhile. It links no VISA library itself.
#include <windows.h>

#include <cstdio>
#include <string>

#include "DriverTestSupport.h"

int wmain(int argc, wchar_t** argv) {
    const bool hold = argc == 3 && std::wstring(argv[2]) == L"--hold";
    if (argc != 2 && !hold) {
        std::fprintf(stderr, "usage: zew-visa-client DEVICE [--hold]\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        zewtest::ComPtr<IZew4400> driver = zewtest::CreateDriver();
        if (!driver) {
            std::printf("no driver object\n");
            return 1;
        }
        zewtest::Bstr device(argv[1]);
        const HRESULT hr = driver->Connect(device.get());
        zewtest::Bstr description;
        if (zewtest::ComPtr<IErrorInfo> info; FAILED(hr) && GetErrorInfo(0, info.put()) == S_OK && info)
            info->GetDescription(description.put());
        std::printf("connect 0x%08lX%s%ls\n", static_cast<unsigned long>(hr), description.null() ? "" : " ",
                    description.null() ? L"" : description.get());
        if (SUCCEEDED(hr)) {
            zewtest::Bstr query(L"*IDN?");
            zewtest::Bstr reply;
            driver->SetString(query.get());
            driver->GetString(reply.put());
            std::printf("reply %ls", reply.get() ? reply.get() : L"\n");
            if (hold) {
                std::printf("connected\n");
                std::fflush(stdout);
                char line[16];
                static_cast<void>(std::fgets(line, sizeof line, stdin));
            }
            driver->Disconnect();
        }
        std::printf("loaded");
        for (const wchar_t* name : {L"visa64.dll", L"VISA32.DLL", L"elsewhere.dll"}) {
            wchar_t path[MAX_PATH] = {};
            if (HMODULE module = GetModuleHandleW(name); module && GetModuleFileNameW(module, path, MAX_PATH))
                std::printf(" %ls", path);
        }
        std::printf("\n");
    }
    CoUninitialize();
    return 0;
}
