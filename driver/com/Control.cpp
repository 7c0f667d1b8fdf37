#include "Control.h"

#include <new>

#include "Module.h"
#include <zewhandles/WindowsHandles.h>
#include "Variant.h"

namespace zew::com {
namespace {

const wchar_t kWindowClass[] = L"ZewControlWindow";
const wchar_t kContentsStream[] = L"Contents";

bool IsContentAspect(DWORD aspect) { return aspect == DVASPECT_CONTENT || aspect == DVASPECT_DOCPRINT; }

LONG HimetricToPixels(LONG himetric, int dpi) { return MulDiv(himetric, dpi, 2540); }

bool RegisterWindowClass(WNDPROC procedure) {
    WNDCLASSW windowClass{};
    if (GetClassInfoW(ModuleInstance(), kWindowClass, &windowClass)) return true;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ModuleInstance();
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassW(&windowClass) != 0;
}

}  // namespace

void UnregisterControlWindowClass() { UnregisterClassW(kWindowClass, ModuleInstance()); }

SIZE ScreenDpi() {
    const handles::UniqueScreenDc screen(GetDC(nullptr));
    const int x = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    const int y = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return {x > 0 ? x : 96, y > 0 ? y : 96};
}

Control::Control(const ControlClass& controlClass, SIZEL initialExtent)
    : class_(controlClass), extent_(initialExtent) {}

Control::~Control() { DestroyControlWindow(); }

IUnknown* Control::FindControlInterface(REFIID riid) {
    if (riid == IID_IViewObjectEx || riid == IID_IViewObject2 || riid == IID_IViewObject)
        return static_cast<IViewObjectEx*>(this);
    if (riid == IID_IOleInPlaceObjectWindowless || riid == IID_IOleInPlaceObject || riid == IID_IOleWindow)
        return static_cast<IOleInPlaceObjectWindowless*>(this);
    if (riid == IID_IOleInPlaceActiveObject) return static_cast<IOleInPlaceActiveObject*>(this);
    if (riid == IID_IOleControl) return static_cast<IOleControl*>(this);
    if (riid == IID_IOleObject) return static_cast<IOleObject*>(this);
    if (riid == IID_IPersistStreamInit || riid == IID_IPersist) return static_cast<IPersistStreamInit*>(this);
    if (riid == IID_IPersistStorage) return static_cast<IPersistStorage*>(this);
    if (riid == IID_IQuickActivate) return static_cast<IQuickActivate*>(this);
    if (riid == IID_IDataObject) return static_cast<IDataObject*>(this);
    if (riid == IID_ISpecifyPropertyPages) return static_cast<ISpecifyPropertyPages*>(this);
    return nullptr;
}

// ---- ambient properties ------------------------------------------------------

bool Control::Ambient(DISPID id, VARIANT* value) const {
    if (!ambient_) return false;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    return SUCCEEDED(ambient_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value, nullptr,
                                      nullptr));
}

bool Control::AmbientUserMode() const {
    Variant value;
    if (!Ambient(DISPID_AMBIENT_USERMODE, value.put())) return false;
    if (FAILED(VariantChangeType(value.get(), value.get(), 0, VT_BOOL))) return false;
    return value->boolVal != VARIANT_FALSE;
}

// A system colour (high byte 0x80) is translated: GDI takes only RGB values.
COLORREF Control::AmbientBackColor() const {
    Variant value;
    COLORREF color = GetSysColor(COLOR_WINDOW);
    if (Ambient(DISPID_AMBIENT_BACKCOLOR, value.put()) && SUCCEEDED(VariantChangeType(value.get(), value.get(), 0, VT_UI4))) {
        COLORREF translated = 0;
        if (SUCCEEDED(OleTranslateColor(value->ulVal, nullptr, &translated))) color = translated;
    }
    return color;
}

// ---- drawing -----------------------------------------------------------------

STDMETHODIMP Control::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                           BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (!IsContentAspect(aspect)) return DV_E_DVASPECT;
    if (!dc) return E_INVALIDARG;
    RECT area;
    if (bounds) {
        area = {bounds->left, bounds->top, bounds->right, bounds->bottom};
    } else if (windowless_ && inPlaceSite_) {
        area = position_;
    } else {
        return E_INVALIDARG;
    }
    const int saved = SaveDC(dc);
    OnDraw(dc, area);
    RestoreDC(dc, saved);
    return S_OK;
}

STDMETHODIMP Control::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    viewSink_ = ComPtr<IAdviseSink>::Retain(sink);
    viewAspects_ = aspects;
    viewFlags_ = flags;
    return S_OK;
}

STDMETHODIMP Control::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = viewAspects_;
    if (flags) *flags = viewFlags_;
    if (sink) *sink = ComPtr<IAdviseSink>(viewSink_).Detach();
    return S_OK;
}

STDMETHODIMP Control::GetExtent(DWORD, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    if (!size) return E_POINTER;
    *size = extent_;
    return S_OK;
}

STDMETHODIMP Control::GetRect(DWORD, LPRECTL) { return E_NOTIMPL; }

// Design mode paints an icon over part of the bounds only.
STDMETHODIMP Control::GetViewStatus(DWORD* status) {
    if (!status) return E_POINTER;
    *status = 0;
    return S_OK;
}

STDMETHODIMP Control::QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT location, LONG, DWORD* result) {
    if (!bounds || !result) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return E_FAIL;
    *result = PtInRect(bounds, location) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

STDMETHODIMP Control::QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT location, LONG, DWORD* result) {
    if (!bounds || !location || !result) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return E_FAIL;
    RECT overlap;
    *result = IntersectRect(&overlap, bounds, location) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

STDMETHODIMP Control::GetNaturalExtent(DWORD aspect, LONG, DVTARGETDEVICE*, HDC, DVEXTENTINFO* info, LPSIZEL size) {
    if (!info || !size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT || info->dwExtentMode != DVEXTENT_CONTENT) return E_NOTIMPL;
    *size = class_.naturalExtent;
    return S_OK;
}

// ---- in-place activation -----------------------------------------------------

LRESULT CALLBACK Control::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* control = reinterpret_cast<Control*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (control && message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        control->OnDraw(dc, client);
        EndPaint(window, &paint);
        return 0;
    }
    if (control && message == WM_ERASEBKGND) return 1;
    return DefWindowProcW(window, message, wParam, lParam);
}

HRESULT Control::InPlaceActivate(LONG verb, HWND, LPCRECT) {
    if (!clientSite_) return E_UNEXPECTED;
    if (!inPlaceSite_) {
        ComPtr<IOleInPlaceSiteWindowless> windowlessSite;
        if (SUCCEEDED(clientSite_->QueryInterface(IID_IOleInPlaceSiteWindowless, windowlessSite.put_void())) &&
            windowlessSite->CanWindowlessActivate() == S_OK) {
            if (windowlessSite->CanInPlaceActivate() != S_OK) return E_FAIL;
            BOOL noRedraw = FALSE;
            HRESULT hr = windowlessSite->OnInPlaceActivateEx(&noRedraw, ACTIVATE_WINDOWLESS);
            if (FAILED(hr)) return hr;
            windowless_ = true;
            inPlaceSite_ = ComPtr<IOleInPlaceSite>::Retain(windowlessSite.get());
        } else {
            ComPtr<IOleInPlaceSite> site;
            HRESULT hr = clientSite_->QueryInterface(IID_IOleInPlaceSite, site.put_void());
            if (FAILED(hr)) return hr;
            if (site->CanInPlaceActivate() != S_OK) return E_FAIL;
            hr = site->OnInPlaceActivate();
            if (FAILED(hr)) return hr;
            windowless_ = false;
            inPlaceSite_ = site;
        }

        ComPtr<IOleInPlaceUIWindow> document;
        RECT clip{};
        OLEINPLACEFRAMEINFO frameInfo{};
        frameInfo.cb = sizeof frameInfo;
        inPlaceSite_->GetWindowContext(frame_.put(), document.put(), &position_, &clip, &frameInfo);

        if (!windowless_) {
            HWND parent = nullptr;
            if (FAILED(inPlaceSite_->GetWindow(&parent)) || !RegisterWindowClass(&Control::WindowProc)) {
                InPlaceDeactivate();
                return E_FAIL;
            }
            window_ = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                      position_.left, position_.top, position_.right - position_.left,
                                      position_.bottom - position_.top, parent, nullptr, ModuleInstance(), nullptr);
            if (!window_) {
                InPlaceDeactivate();
                return E_FAIL;
            }
            SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            ShowWindow(window_, SW_SHOWNA);
        }
    }
    if (verb == OLEIVERB_UIACTIVATE || verb == OLEIVERB_PRIMARY) return UIActivate();
    return S_OK;
}

HRESULT Control::UIActivate() {
    if (uiActive_) return S_OK;
    uiActive_ = true;
    inPlaceSite_->OnUIActivate();
    if (frame_) frame_->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
    return S_OK;
}

STDMETHODIMP Control::UIDeactivate() {
    if (!uiActive_) return S_OK;
    uiActive_ = false;
    if (frame_) frame_->SetActiveObject(nullptr, nullptr);
    if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
    return S_OK;
}

void Control::DestroyControlWindow() {
    if (!window_) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    window_ = nullptr;
}

STDMETHODIMP Control::InPlaceDeactivate() {
    if (!inPlaceSite_) return S_OK;
    UIDeactivate();
    DestroyControlWindow();
    const ComPtr<IOleInPlaceSite> site = inPlaceSite_;
    inPlaceSite_.reset();
    frame_.reset();
    if (windowless_) {
        ComPtr<IOleInPlaceSiteWindowless> windowlessSite;
        if (SUCCEEDED(site->QueryInterface(IID_IOleInPlaceSiteWindowless, windowlessSite.put_void())))
            windowlessSite->OnInPlaceDeactivateEx(TRUE);
    } else {
        site->OnInPlaceDeactivate();
    }
    windowless_ = false;
    return S_OK;
}

STDMETHODIMP Control::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = window_;
    return window_ ? S_OK : E_FAIL;
}

STDMETHODIMP Control::SetObjectRects(LPCRECT position, LPCRECT) {
    if (!position) return E_POINTER;
    position_ = *position;
    if (window_) {
        MoveWindow(window_, position->left, position->top, position->right - position->left,
                   position->bottom - position->top, TRUE);
    }
    return S_OK;
}

STDMETHODIMP Control::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT* result) {
    if (!result) return E_POINTER;
    *result = 0;
    return S_FALSE;
}

// ---- IOleControl -------------------------------------------------------------

STDMETHODIMP Control::OnAmbientPropertyChange(DISPID) {
    if (window_) InvalidateRect(window_, nullptr, TRUE);
    if (viewSink_) viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
    return S_OK;
}

// ---- IOleObject --------------------------------------------------------------

STDMETHODIMP Control::SetClientSite(IOleClientSite* site) {
    clientSite_ = ComPtr<IOleClientSite>::Retain(site);
    ambient_.reset();
    if (site) site->QueryInterface(IID_IDispatch, ambient_.put_void());
    return S_OK;
}

STDMETHODIMP Control::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    *site = ComPtr<IOleClientSite>(clientSite_).Detach();
    return S_OK;
}

STDMETHODIMP Control::Close(DWORD saveOption) {
    InPlaceDeactivate();
    if (dirty_ && clientSite_ && (saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE)) {
        clientSite_->SaveObject();
    }
    if (oleAdvise_) oleAdvise_->SendOnClose();
    return S_OK;
}

STDMETHODIMP Control::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT position) {
    if (site && !clientSite_) SetClientSite(site);
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
        return InPlaceActivate(verb, parent, position);
    case OLEIVERB_HIDE:
        UIDeactivate();
        if (window_) ShowWindow(window_, SW_HIDE);
        return S_OK;
    case OLEIVERB_PROPERTIES:
        return ShowPropertyFrame(parent);
    default:
        return verb > 0 ? OLEOBJ_S_INVALIDVERB : E_NOTIMPL;
    }
}

HRESULT Control::ShowPropertyFrame(HWND parent) {
    CAUUID pages{};
    HRESULT hr = GetPages(&pages);
    if (FAILED(hr)) return hr;
    IUnknown* self = Self();
    hr = OleCreatePropertyFrame(parent, 0, 0, nullptr, 1, &self, pages.cElems, pages.pElems, LOCALE_USER_DEFAULT, 0,
                                nullptr);
    CoTaskMemFree(pages.pElems);
    return hr;
}

STDMETHODIMP Control::EnumVerbs(IEnumOLEVERB** verbs) { return OleRegEnumVerbs(*class_.clsid, verbs); }

STDMETHODIMP Control::GetUserClassID(CLSID* clsid) { return GetClassID(clsid); }

STDMETHODIMP Control::GetUserType(DWORD form, LPOLESTR* name) { return OleRegGetUserType(*class_.clsid, form, name); }

// Auto-sized: only the natural size is accepted, and it changes nothing.
STDMETHODIMP Control::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    return size->cx == class_.naturalExtent.cx && size->cy == class_.naturalExtent.cy ? S_OK : E_FAIL;
}

STDMETHODIMP Control::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return E_FAIL;
    if (!size) return E_POINTER;
    *size = extent_;
    return S_OK;
}

STDMETHODIMP Control::Advise(IAdviseSink* sink, DWORD* cookie) {
    if (!oleAdvise_) {
        const HRESULT hr = CreateOleAdviseHolder(oleAdvise_.put());
        if (FAILED(hr)) return hr;
    }
    return oleAdvise_->Advise(sink, cookie);
}

STDMETHODIMP Control::Unadvise(DWORD cookie) {
    return oleAdvise_ ? oleAdvise_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

STDMETHODIMP Control::EnumAdvise(IEnumSTATDATA** advises) {
    if (!advises) return E_POINTER;
    *advises = nullptr;
    return oleAdvise_ ? oleAdvise_->EnumAdvise(advises) : E_FAIL;
}

STDMETHODIMP Control::GetMiscStatus(DWORD aspect, DWORD* status) {
    if (!status) return E_POINTER;
    *status = aspect == DVASPECT_CONTENT ? class_.miscStatus : 0;
    return S_OK;
}

// ---- persistence -------------------------------------------------------------

STDMETHODIMP Control::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = *class_.clsid;
    return S_OK;
}

STDMETHODIMP Control::Load(LPSTREAM stream) {
    const HRESULT hr = LoadProperties(stream, ControlDispatch(), extent_, PersistedProperties());
    if (SUCCEEDED(hr)) dirty_ = false;
    return hr;
}

STDMETHODIMP Control::Save(LPSTREAM stream, BOOL clearDirty) {
    const HRESULT hr = SaveProperties(stream, ControlDispatch(), extent_, PersistedProperties());
    if (SUCCEEDED(hr) && clearDirty) dirty_ = false;
    return hr;
}

STDMETHODIMP Control::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) return E_POINTER;
    std::vector<BYTE> bytes;
    const HRESULT hr = PropertyBytes(ControlDispatch(), extent_, PersistedProperties(), bytes);
    if (FAILED(hr)) return hr;
    size->QuadPart = bytes.size();
    return S_OK;
}

STDMETHODIMP Control::InitNew() {
    dirty_ = false;
    return S_OK;
}

STDMETHODIMP Control::InitNew(IStorage*) { return InitNew(); }

STDMETHODIMP Control::Load(IStorage* storage) {
    if (!storage) return E_POINTER;
    ComPtr<IStream> stream;
    const HRESULT hr = storage->OpenStream(kContentsStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.put());
    if (FAILED(hr)) return hr;
    return Load(stream.get());
}

STDMETHODIMP Control::Save(IStorage* storage, BOOL) {
    if (!storage) return E_POINTER;
    ComPtr<IStream> stream;
    const HRESULT hr = storage->CreateStream(kContentsStream, STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, 0,
                                             stream.put());
    if (FAILED(hr)) return hr;
    return Save(stream.get(), TRUE);
}

// ---- IQuickActivate ----------------------------------------------------------

STDMETHODIMP Control::QuickActivate(QACONTAINER* container, QACONTROL* control) {
    if (!container || !control) return E_POINTER;
    if (container->cbSize < sizeof(QACONTAINER) || control->cbSize < sizeof(QACONTROL)) return E_INVALIDARG;
    SetClientSite(container->pClientSite);
    if (container->pAdviseSink) SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
    control->dwEventCookie = 0;
    control->dwPropNotifyCookie = 0;
    if (container->pPropertyNotifySink)
        PropertyNotifyPoint().Advise(container->pPropertyNotifySink, &control->dwPropNotifyCookie);
    if (container->pUnkEventSink) EventPoint().Advise(container->pUnkEventSink, &control->dwEventCookie);
    control->dwMiscStatus = class_.miscStatus;
    GetViewStatus(&control->dwViewStatus);
    control->dwPointerActivationPolicy = 0;
    return S_OK;
}

STDMETHODIMP Control::SetContentExtent(LPSIZEL size) { return SetExtent(DVASPECT_CONTENT, size); }

STDMETHODIMP Control::GetContentExtent(LPSIZEL size) { return GetExtent(DVASPECT_CONTENT, size); }

// ---- IDataObject -------------------------------------------------------------

STDMETHODIMP Control::QueryGetData(FORMATETC* format) {
    if (!format) return E_POINTER;
    if (format->cfFormat != CF_METAFILEPICT) return DV_E_FORMATETC;
    if (!(format->tymed & TYMED_MFPICT)) return DV_E_TYMED;
    if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    return S_OK;
}

STDMETHODIMP Control::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!medium) return E_POINTER;
    const HRESULT hr = QueryGetData(format);
    if (FAILED(hr)) return hr;

    const SIZE dpi = ScreenDpi();
    const RECT bounds{0, 0, HimetricToPixels(extent_.cx, dpi.cx), HimetricToPixels(extent_.cy, dpi.cy)};

    handles::UniqueMetafileDc recording(CreateMetaFileW(nullptr));
    if (!recording) return E_OUTOFMEMORY;
    SetWindowOrgEx(recording.get(), 0, 0, nullptr);
    SetWindowExtEx(recording.get(), bounds.right, bounds.bottom, nullptr);
    OnDraw(recording.get(), bounds);
    handles::UniqueMetafile metafile(CloseMetaFile(recording.release()));
    if (!metafile) return E_OUTOFMEMORY;

    handles::UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, sizeof(METAFILEPICT)));
    auto* picture = memory ? static_cast<METAFILEPICT*>(GlobalLock(memory.get())) : nullptr;
    if (!picture) return E_OUTOFMEMORY;
    picture->mm = MM_ANISOTROPIC;
    picture->xExt = extent_.cx;
    picture->yExt = extent_.cy;
    picture->hMF = metafile.release();
    GlobalUnlock(memory.get());
    // The medium's receiver owns both from here.
    medium->tymed = TYMED_MFPICT;
    medium->hMetaFilePict = memory.release();
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

STDMETHODIMP Control::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (!out) return E_POINTER;
    out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP Control::DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* cookie) {
    if (!dataAdvise_) {
        const HRESULT hr = CreateDataAdviseHolder(dataAdvise_.put());
        if (FAILED(hr)) return hr;
    }
    return dataAdvise_->Advise(static_cast<IDataObject*>(this), format, flags, sink, cookie);
}

STDMETHODIMP Control::DUnadvise(DWORD cookie) {
    return dataAdvise_ ? dataAdvise_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

STDMETHODIMP Control::EnumDAdvise(IEnumSTATDATA** advises) {
    if (!advises) return E_POINTER;
    *advises = nullptr;
    return dataAdvise_ ? dataAdvise_->EnumAdvise(advises) : E_FAIL;
}

// ---- ISpecifyPropertyPages ---------------------------------------------------

STDMETHODIMP Control::GetPages(CAUUID* pages) {
    if (!pages) return E_POINTER;
    const auto list = PropertyPages();
    pages->cElems = 0;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID) * (list.empty() ? 1 : list.size())));
    if (!pages->pElems) return E_OUTOFMEMORY;
    for (const CLSID* page : list) pages->pElems[pages->cElems++] = *page;
    return S_OK;
}

}  // namespace zew::com
