#include "PropertyPage.h"

#include <cstring>
#include <cwchar>
#include <new>
#include <string>

#include "Module.h"
#include <zewhandles/WindowsHandles.h>

namespace zew::com {
namespace {

// A string of the module's string table, for the frame to free.
LPOLESTR TaskString(UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(ModuleInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc((length + 1) * sizeof(wchar_t)));
    if (!copy) return nullptr;
    if (length > 0) std::memcpy(copy, text, length * sizeof(wchar_t));
    copy[length] = L'\0';
    return copy;
}

INT_PTR CALLBACK MeasuringProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The size in pixels of a dialog template, as created with its own font.
SIZE TemplateSize(UINT templateId) {
    SIZE size{};
    HWND probe = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId), GetDesktopWindow(), &MeasuringProc, 0);
    if (probe) {
        RECT rect{};
        GetWindowRect(probe, &rect);
        size = {rect.right - rect.left, rect.bottom - rect.top};
        DestroyWindow(probe);
    }
    return size;
}

// The message id of a refused value: the driver's own from its HRESULT, or
// the automation one of the standard failures.
UINT MessageIdOf(HRESULT hr) {
    if (hr == TYPE_E_TYPEMISMATCH) return 13;
    if (hr == TYPE_E_OUTOFBOUNDS) return 9;
    if (hr == E_INVALIDARG) return 5;
    return LOWORD(hr);
}

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
constexpr UINT kHhDisplayTopic = 0;

}  // namespace

PropertyPage::PropertyPage(IUnknown* outer, const PropertyPageResources& resources)
    : Aggregatable(outer), resources_(resources) {}

PropertyPage::~PropertyPage() { Deactivate(); }

IUnknown* PropertyPage::FindInterface(REFIID riid) {
    if (riid == IID_IPropertyPage) return static_cast<IPropertyPage*>(this);
    return nullptr;
}

STDMETHODIMP PropertyPage::SetPageSite(IPropertyPageSite* site) {
    site_ = ComPtr<IPropertyPageSite>::Retain(site);
    return S_OK;
}

STDMETHODIMP PropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) {
    if (!rect) return E_POINTER;
    if (window_) return E_UNEXPECTED;
    window_ = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(resources_.templateId), parent, &DialogProc,
                                 reinterpret_cast<LPARAM>(this));
    if (!window_) {
        // The window manager's own reason (no parent window, no desktop, ...).
        const DWORD error = GetLastError();
        return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
    }
    return Move(rect);
}

STDMETHODIMP PropertyPage::Deactivate() {
    if (window_) {
        // The dialog's last messages no longer reach the page.
        SetWindowLongPtrW(window_, DWLP_USER, 0);
        DestroyWindow(window_);
    }
    window_ = nullptr;
    return S_OK;
}

STDMETHODIMP PropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    if (!info) return E_POINTER;
    if (size_.cx == 0) size_ = TemplateSize(resources_.templateId);
    info->cb = sizeof *info;
    info->pszTitle = TaskString(resources_.titleId);
    info->size = size_;
    info->pszDocString = TaskString(resources_.docStringId);
    info->pszHelpFile = TaskString(resources_.helpFileId);
    info->dwHelpContext = 0;
    if (!info->pszTitle || !info->pszDocString || !info->pszHelpFile) {
        CoTaskMemFree(info->pszTitle);
        CoTaskMemFree(info->pszDocString);
        CoTaskMemFree(info->pszHelpFile);
        info->pszTitle = info->pszDocString = info->pszHelpFile = nullptr;
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

STDMETHODIMP PropertyPage::SetObjects(ULONG count, IUnknown** objects) {
    if (count && !objects) return E_POINTER;
    try {
        std::vector<ComPtr<IUnknown>> kept;
        kept.reserve(count);
        for (ULONG i = 0; i < count; ++i) kept.push_back(ComPtr<IUnknown>::Retain(objects[i]));
        objects_ = std::move(kept);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

STDMETHODIMP PropertyPage::Show(UINT command) {
    if (!window_) return E_UNEXPECTED;
    ShowWindow(window_, static_cast<int>(command));
    return S_OK;
}

STDMETHODIMP PropertyPage::Move(LPCRECT rect) {
    if (!rect) return E_POINTER;
    if (!window_) return E_UNEXPECTED;
    MoveWindow(window_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
    return S_OK;
}

STDMETHODIMP PropertyPage::Apply() {
    for (const ComPtr<IUnknown>& object : objects_) {
        const HRCTLID result = ApplyTo(object.get());
        if (FAILED(result.hr)) {
            ReportApplyFailure(result);
            return result.hr;
        }
        SetDirty(false, false);
    }
    return S_OK;
}

// The refused value's message, as the string table has it, then the failing
// field selected for correction.
void PropertyPage::ReportApplyFailure(const HRCTLID& failure) {
    char text[256] = {};
    LoadStringA(ModuleInstance(), MessageIdOf(failure.hr), text, sizeof text);
    MessageBoxA(window_, text, "", MB_OK);
    if (HWND control = GetDlgItem(window_, static_cast<int>(failure.controlId))) {
        SendMessageW(control, EM_SETSEL, 0, -1);
        SetFocus(control);
    }
}

// The page's help is in a compiled HTML help file: its topic named after the
// page, opened through the HTML help control, which is loaded on demand.
STDMETHODIMP PropertyPage::Help(LPCOLESTR helpDirectory) {
    char file[MAX_PATH] = {};
    char topic[64] = {};
    LoadStringA(ModuleInstance(), resources_.helpFileId, file, sizeof file);
    LoadStringA(ModuleInstance(), resources_.docStringId, topic, sizeof topic);
    std::string path;
    if (helpDirectory && *helpDirectory) {
        char directory[MAX_PATH] = {};
        WideCharToMultiByte(CP_ACP, 0, helpDirectory, -1, directory, sizeof directory, nullptr, nullptr);
        path = std::string(directory) + "\\";
    }
    path += std::string(file) + "::/" + topic + ".htm";
    // The viewer from the system folder by its full path: never a file of the
    // same name in the current folder or beside the host.
    wchar_t viewer[MAX_PATH];
    const UINT length = GetSystemDirectoryW(viewer, MAX_PATH);
    if (length == 0 || length + 12 >= MAX_PATH) return E_FAIL;
    wcscat(viewer, L"\\hhctrl.ocx");
    handles::UniqueModule library(LoadLibraryExW(viewer, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!library) return E_FAIL;
    const auto htmlHelp =
        reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(GetProcAddress(library.get(), "HtmlHelpA")));
    const HWND shown = htmlHelp ? htmlHelp(window_, path.c_str(), kHhDisplayTopic, 0) : nullptr;
    // hhctrl.ocx stays loaded once it showed a help window, which outlives this call.
    if (shown) (void)library.release();
    return shown ? S_OK : E_FAIL;
}

STDMETHODIMP PropertyPage::TranslateAccelerator(MSG* message) {
    if (!message) return E_POINTER;
    if (!window_) return S_FALSE;
    return IsDialogMessageW(window_, message) ? S_OK : S_FALSE;
}

void PropertyPage::SetDirty(bool dirty, bool notify) {
    if (dirty_ == dirty) return;
    dirty_ = dirty;
    if (notify && site_) site_->OnStatusChange(dirty ? PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE : 0);
}

void PropertyPage::OnInitDialog() {
    for (const ComPtr<IUnknown>& object : objects_) ShowValues(object.get());
    SetDirty(false, true);
    if (site_) site_->OnStatusChange(PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE);
}

INT_PTR CALLBACK PropertyPage::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* page = reinterpret_cast<PropertyPage*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        page->window_ = window;
        page->OnInitDialog();
        return TRUE;
    }
    auto* page = reinterpret_cast<PropertyPage*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!page || message != WM_COMMAND) return FALSE;
    const UINT code = HIWORD(wParam);
    if (code == EN_CHANGE || code == BN_CLICKED) {
        page->SetDirty(true, true);
        if (page->site_) page->site_->OnStatusChange(PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE);
        return TRUE;
    }
    return FALSE;
}

}  // namespace zew::com
