#include "TestContainer.h"

namespace zewtest {

TestContainer::TestContainer(const Options& options) : options_(options) {
    window_ = CreateWindowExW(0, L"STATIC", L"Test container", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200,
                              nullptr, nullptr, nullptr, nullptr);
}

TestContainer::~TestContainer() {
    if (window_) DestroyWindow(window_);
}

STDMETHODIMP TestContainer::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
        *ppv = static_cast<IOleClientSite*>(this);
    } else if (riid == IID_IOleInPlaceSite || riid == IID_IOleWindow) {
        *ppv = static_cast<IOleInPlaceSite*>(static_cast<IOleInPlaceSiteWindowless*>(this));
    } else if ((riid == IID_IOleInPlaceSiteEx || riid == IID_IOleInPlaceSiteWindowless) && options_.windowless) {
        *ppv = static_cast<IOleInPlaceSiteWindowless*>(this);
    } else if (riid == IID_IDispatch && options_.answersAmbients) {
        *ppv = static_cast<IDispatch*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP TestContainer::GetContainer(IOleContainer** container) {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP TestContainer::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = window_;
    return S_OK;
}

STDMETHODIMP TestContainer::OnInPlaceActivate() {
    inPlaceActive_ = true;
    activatedWindowless_ = false;
    return S_OK;
}

STDMETHODIMP TestContainer::OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) {
    if (noRedraw) *noRedraw = FALSE;
    inPlaceActive_ = true;
    activatedWindowless_ = (flags & ACTIVATE_WINDOWLESS) != 0;
    return S_OK;
}

STDMETHODIMP TestContainer::OnUIActivate() {
    uiActive_ = true;
    return S_OK;
}

STDMETHODIMP TestContainer::OnUIDeactivate(BOOL) {
    uiActive_ = false;
    return S_OK;
}

STDMETHODIMP TestContainer::OnInPlaceDeactivate() {
    inPlaceActive_ = false;
    return S_OK;
}

STDMETHODIMP TestContainer::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                             LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (frame) *frame = nullptr;
    if (document) *document = nullptr;
    if (position) *position = position_;
    if (clip) *clip = position_;
    if (info) {
        info->fMDIApp = FALSE;
        info->hwndFrame = window_;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

STDMETHODIMP TestContainer::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP TestContainer::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                   UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
    switch (id) {
    case DISPID_AMBIENT_USERMODE:
        result->vt = VT_BOOL;
        result->boolVal = options_.userMode ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    case DISPID_AMBIENT_BACKCOLOR:
        result->vt = VT_I4;
        result->lVal = static_cast<LONG>(options_.backColor);
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

MemoryCanvas::MemoryCanvas(int width, int height) {
    HDC screen = ::GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width, height);
    ::ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

MemoryCanvas::~MemoryCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

}  // namespace zewtest
