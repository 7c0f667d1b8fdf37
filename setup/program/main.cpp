// Setup.exe: the wizard installer, or with "/S" the unattended installer.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <vector>

#include "../app/CSetupApp.h"
#include "../engine/CommandLine.h"
#include "../unattended/CUnattendedRun.h"
#include "../wizard/CInteractiveRun.h"

namespace {

std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    if (!argv) return args;
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace zew::setup;
    // Libraries are loaded from the system folder only, never from the
    // program's folder (often a downloads folder) or the current folder. This
    // comes before anything that loads a library on first use (VERSION.dll and
    // COMCTL32.dll are delay-loaded for this reason).
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    CSetupApp& app = CSetupApp::Get();
    app.SetInstance(instance);
    SetupOptions options = ParseArguments(Arguments());

    // A listed library that cannot be loaded is reported in the log, not in a
    // system error box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // Registration exports may use COM.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int code;
    if (options.unattended) {
        code = CUnattendedRun(app, options).Run();
    } else if (!options.badArgument.empty()) {
        std::string arg(options.badArgument.begin(), options.badArgument.end());
        app.ShowMessage(nullptr, "Unknown argument: " + arg + "\nUsage: Setup [/S [/LOG=path]]");
        code = kExitNotInstalled;
    } else {
        code = CInteractiveRun(app).Run();
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return code;
}
