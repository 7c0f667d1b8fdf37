// zew-screenshots: pictures of the control for the README, taken from the
// screen of a virtual display: the About box, both property pages in the
// system's property frame, and the control drawn in design mode on a form of
// the tests' own container, and the help that a page's Help opens. Writes
// About.bmp, General.bmp, Auto.bmp, DesignMode.bmp and Help.bmp into the
// directory given as its first argument; the second names the folder of
// ZEW4400.CHM.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <prsht.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "DriverTestSupport.h"
#include "TestContainer.h"
#include "WindowPicture.h"

namespace {

using namespace zewtest;

std::wstring g_directory;

// A picture of the window, as a BMP file of that name in the directory.
bool SaveWindow(HWND window, const wchar_t* name) {
    const bool written = zew::tools::SaveWindowPicture(window, g_directory + L"\\" + name);
    std::fprintf(stderr, "zew-screenshots: %ls %s\n", name, written ? "taken" : "NOT written");
    return written;
}

void Settle(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    MSG message;
    while (GetTickCount() < end) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

// The modal windows are photographed from a timer of their own message loop.
HWND g_modal = nullptr;
int g_step = 0;

LRESULT CALLBACK WatchActivation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && !g_modal) {
        wchar_t className[16] = {};
        GetClassNameW(reinterpret_cast<HWND>(wParam), className, 16);
        if (std::wstring(className) == L"#32770") g_modal = reinterpret_cast<HWND>(wParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK PhotographAbout(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!g_modal) return;
    KillTimer(nullptr, timer);
    SaveWindow(g_modal, L"About.bmp");
    PostMessageW(g_modal, WM_COMMAND, IDOK, 0);
}

void CALLBACK PhotographPages(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!g_modal) return;
    switch (g_step++) {
    case 0:
        SaveWindow(g_modal, L"General.bmp");
        SendMessageW(g_modal, PSM_SETCURSEL, 1, 0);
        break;
    case 1:
        break;
    default:
        KillTimer(nullptr, timer);
        SaveWindow(g_modal, L"Auto.bmp");
        PostMessageW(g_modal, WM_COMMAND, IDCANCEL, 0);
    }
}

BOOL CALLBACK FindTreeView(HWND child, LPARAM found) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (std::wstring(className) != WC_TREEVIEWW) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// What a property page's Help button opens: the page's topic of the help file
// in the given folder, in the HTML help viewer.
bool PhotographHelp(REFCLSID pageClass, const std::wstring& helpDirectory) {
    ComPtr<IPropertyPage> page;
    if (FAILED(CoCreateInstance(pageClass, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage, page.put_void()))) {
        std::fprintf(stderr, "zew-screenshots: no property page\n");
        return false;
    }
    const HRESULT hr = page->Help(helpDirectory.c_str());
    Settle(3000);
    const HWND viewer = FindWindowW(L"HH Parent", nullptr);
    if (FAILED(hr) || !viewer) {
        std::fprintf(stderr, "zew-screenshots: Help gave 0x%08lx and no help window\n", static_cast<unsigned long>(hr));
        return false;
    }
    SetWindowPos(viewer, HWND_TOP, 40, 40, 760, 520, SWP_SHOWWINDOW);
    // Open the guides and the property pages in the contents.
    HWND contents = nullptr;
    EnumChildWindows(viewer, &FindTreeView, reinterpret_cast<LPARAM>(&contents));
    if (contents) {
        HTREEITEM item = TreeView_GetRoot(contents);
        for (int i = 0; item && i < 3; ++i, item = TreeView_GetNextSibling(contents, item)) {
            if (i > 0) TreeView_Expand(contents, item, TVE_EXPAND);
        }
    }
    Settle(1000);
    const bool saved = SaveWindow(viewer, L"Help.bmp");
    PostMessageW(viewer, WM_CLOSE, 0, 0);
    Settle(500);
    return saved;
}

template <class T>
ComPtr<T> As(IUnknown* object, REFIID iid) {
    ComPtr<T> result;
    object->QueryInterface(iid, result.put_void());
    return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: zew-screenshots DIRECTORY HELP-DIRECTORY\n");
        return 2;
    }
    g_directory = argv[1];
    OleInitialize(nullptr);
    int status = 0;
    {
        ComPtr<IZew4400> driver = CreateDriver();
        if (!driver) return 1;
        driver->put_Current(10.0);
        driver->put_LimitUpper(0.1);
        driver->put_ExecTime(5.0);
        HHOOK hook = SetWindowsHookExW(WH_CBT, &WatchActivation, nullptr, GetCurrentThreadId());

        SetTimer(nullptr, 0, 1500, &PhotographAbout);
        driver->AboutBox();
        g_modal = nullptr;

        SetTimer(nullptr, 0, 1500, &PhotographPages);
        auto pages = As<ISpecifyPropertyPages>(driver.get(), IID_ISpecifyPropertyPages);
        CAUUID list{};
        pages->GetPages(&list);
        IUnknown* object = driver.get();
        OleCreatePropertyFrame(nullptr, 100, 100, L"Zew4400", 1, &object, list.cElems, list.pElems, LOCALE_USER_DEFAULT,
                               0, nullptr);
        CoTaskMemFree(list.pElems);
        UnhookWindowsHookEx(hook);

        // A form in a designer: the control in design mode, activated in place.
        TestContainer form({});
        SetWindowTextW(form.Window(), L"Form1");
        SetWindowPos(form.Window(), nullptr, 100, 100, 240, 160, SWP_NOZORDER);
        auto ole = As<IOleObject>(driver.get(), IID_IOleObject);
        ole->SetClientSite(&form);
        RECT position = form.Position();
        ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &form, 0, form.Window(), &position);
        Settle(1500);
        if (!SaveWindow(form.Window(), L"DesignMode.bmp")) status = 1;
        ole->Close(OLECLOSE_NOSAVE);
        ole->SetClientSite(nullptr);

        if (!PhotographHelp(CLSID_PropPageGeneral, argv[2])) status = 1;
    }
    OleUninitialize();
    return status;
}
