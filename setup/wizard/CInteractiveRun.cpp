#include "CInteractiveRun.h"

#include <windows.h>

#include <commctrl.h>

#include "../app/CSetupApp.h"
#include "../app/Resource.h"
#include "CBackgroundWnd.h"

namespace zew::setup {

int CInteractiveRun::Run() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    if (!app_.info().valid()) {
        app_.ShowMessage(nullptr, app_.LoadText(IDS_INVALID_LIST));
        return kExitListInvalid;
    }
    CBackgroundWnd background(app_);
    if (!background.Create()) return kExitNotInstalled;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return app_.exitCode();
}

}  // namespace zew::setup
