#include "CZew4400.h"

#include <new>

#include "../com/EventFiring.h"
#include "../com/ObjectCreation.h"
#include "../parsers/DeviceName.h"
#include "../parsers/Identity.h"
#include "../session/CResourceManager.h"
#include "../session/CodePage.h"
#include "../session/Exchange.h"
#include "../session/Messages.h"

namespace zew::objects {
namespace {

using com::View;

using session::CVisaException;
using session::Exchange;

constexpr ViUInt32 kTimeoutMs = 10000;
constexpr ViVersion kVisa20 = 0x00200000;
constexpr LONG kControlPixels = 32;
constexpr LONG kNaturalSize = 5080;   // HIMETRIC, 2 inches
// SETCLIENTSITEFIRST, INVISIBLEATRUNTIME, ACTIVATEWHENVISIBLE, INSIDEOUT,
// CANTLINKINSIDE and RECOMPOSEONRESIZE.
constexpr DWORD kMiscStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INVISIBLEATRUNTIME | OLEMISC_ACTIVATEWHENVISIBLE |
                              OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE;
static_assert(kMiscStatus == 132497);

const com::ControlClass kControlClass{&CLSID_Zew4400, kMiscStatus, {kNaturalSize, kNaturalSize}};

// Pixels of the screen converted to HIMETRIC, rounded.
LONG PixelsToHimetric(LONG pixels, int dpi) { return (pixels * 2540 + dpi / 2) / dpi; }

SIZEL InitialExtent() {
    const SIZE dpi = com::ScreenDpi();
    return {PixelsToHimetric(kControlPixels, dpi.cx), PixelsToHimetric(kControlPixels, dpi.cy)};
}

}  // namespace

HRESULT CZew4400::Create(IUnknown* outer, REFIID riid, void** ppv) {
    auto* object = new (std::nothrow) CZew4400(outer);
    if (!object) return E_OUTOFMEMORY;
    HRESULT hr = S_OK;
    if (!(object->register_ && object->programs_ && object->memories_)) {
        hr = E_OUTOFMEMORY;
    } else {
        // A lock that cannot be had now is asked for again at Connect, which
        // fails without it: its exchanges could interleave with another
        // program's on the same instrument.
        static_cast<void>(object->session_.CreateLock());
        hr = object->InnerUnknown()->QueryInterface(riid, ppv);
    }
    object->InnerUnknown()->Release();
    return hr;
}

CZew4400::CZew4400(IUnknown* outer)
    : com::Aggregatable(outer),
      com::ProvideClassInfo(CLSID_Zew4400, DIID_DIZewEventSink),
      com::Control(kControlClass, InitialExtent()),
      register_(com::MakeObject<CRegister>()),
      programs_(com::MakeObject<CPrograms>()),
      memories_(com::MakeObject<CMemories>()) {
    session::CResourceManager::AddDriverObject();
}

CZew4400::~CZew4400() {
    points_.DisconnectAll();
    // No timer callback may reach the object once it is gone.
    StopMonitorTimer();
    // Children that clients still hold must not reach this object or its
    // session once it is gone.
    for (IDriverChild* child : Children()) {
        if (child) child->ForgetDriver();
    }
    // Nobody can reach the instrument session any more: it closes as with
    // Disconnect, before the last object closes the resource manager.
    CloseSession();
    session::CResourceManager::RemoveDriverObject();
    session_.CloseLock();
}

bool CZew4400::CloseSession() noexcept {
    try {
        session_.Detach(true);
        return true;
    } catch (const CVisaException&) {
        return false;
    }
}

std::array<IDriverChild*, 3> CZew4400::Children() const { return {register_.get(), programs_.get(), memories_.get()}; }

void CZew4400::PropertyChanged(DISPID id) {
    SetDirty();
    com::NotifyPropertyChanged(points_.Point<1>(), id);
}

IUnknown* CZew4400::FindInterface(REFIID riid) {
    if (riid == IID_IZew4400 || riid == IID_IDispatch) return static_cast<IZew4400*>(this);
    if (riid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo*>(this);
    if (riid == IID_IConnectionPointContainer) return &points_;
    if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2) return static_cast<IProvideClassInfo2*>(this);
    return FindControlInterface(riid);
}

STDMETHODIMP CZew4400::get_Vendor(BSTR* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    *pVal = SysAllocString(L"ORVANTA");
    return *pVal ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CZew4400::get_LegalModelName(BSTR* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    *pVal = modelName_.Copy();
    return S_OK;
}

STDMETHODIMP CZew4400::get_Version(short* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    *pVal = romVersion_;
    return S_OK;
}

STDMETHODIMP CZew4400::get_hGpib(LONG* pVal) { return get_hVisa(pVal); }

STDMETHODIMP CZew4400::get_hVisa(LONG* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    *pVal = static_cast<LONG>(session_.GetSession());
    return S_OK;
}

STDMETHODIMP CZew4400::get_hVisaRM(LONG* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    *pVal = static_cast<LONG>(session::CResourceManager::Handle());
    return S_OK;
}

STDMETHODIMP CZew4400::get_ErrVisa(LONG* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    *pVal = session_.GetLastStatus();
    return S_OK;
}

STDMETHODIMP CZew4400::get_Register(IRegister** pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    return register_->QueryInterface(IID_IRegister, reinterpret_cast<void**>(pVal));
}

STDMETHODIMP CZew4400::get_Memories(IMemories** pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    return memories_->QueryInterface(IID_IMemories, reinterpret_cast<void**>(pVal));
}

STDMETHODIMP CZew4400::get_Programs(IPrograms** pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    return programs_->QueryInterface(IID_IPrograms, reinterpret_cast<void**>(pVal));
}

void CZew4400::ConfigureSerialLink() {
    session_.SetAttribute(VI_ATTR_ASRL_FLOW_CNTRL, VI_ASRL_FLOW_XON_XOFF);
    session_.SetAttribute(VI_ATTR_ASRL_STOP_BITS, VI_ASRL_STOP_TWO);
    session_.SetAttribute(VI_ATTR_ASRL_PARITY, VI_ASRL_PAR_NONE);
    session_.SetAttribute(VI_ATTR_ASRL_DATA_BITS, 8);
    session_.SetAttribute(VI_ATTR_TMO_VALUE, kTimeoutMs);
    session_.SetAttribute(VI_ATTR_ASRL_BAUD, 19200);
}

void CZew4400::ConfigureGpibLink() {
    session_.SetAttribute(VI_ATTR_IO_PROT, VI_PROT_NORMAL);
    session_.SetAttribute(VI_ATTR_TMO_VALUE, kTimeoutMs);
    if (session::CResourceManager::SpecVersion() >= kVisa20) session_.SetAttribute(VI_ATTR_GPIB_READDR_EN, VI_TRUE);
}

std::optional<parsers::Identity> CZew4400::SetUpAndIdentify() {
    const bool serial = session_.GetInterfaceType() == VI_INTF_ASRL;
    if (serial) ConfigureSerialLink();
    if (session_.GetInterfaceType() == VI_INTF_GPIB) ConfigureGpibLink();
    session_.SetTermChar('\n');
    if (serial) session_.WriteCommand(L"SILENT 1");
    session_.WriteCommand(L"*IDN?");
    // A line that is no identity, such as the late reply to a client that
    // went away while it waited, is read past; another maker's identity is not.
    return parsers::ParseIdentity(session_.ReadResponseWhere(&parsers::LooksLikeIdentity));
}

STDMETHODIMP CZew4400::Connect(BSTR DevName) {
    return Exchange(session_, [&] {
        const std::string resource = parsers::ResourceNameFromDevice(session::ToAnsi(View(DevName)), 0);
        // Connecting again closes the session it replaces (under the lock
        // this call holds while one is open): a reconnect per product must
        // not leave a VISA session, and a serial port, behind each time.
        if (session_.GetSession() != 0) {
            for (IDriverChild* child : Children()) child->DetachFromDriver();
            session_.Detach(true);
        }
        session_.RequireLock(resource);
        session_.Open(resource, 0, kTimeoutMs);
        std::optional<parsers::Identity> identity;
        try {
            identity = SetUpAndIdentify();
        } catch (...) {
            // A session that failed its set-up is no connection: nobody could
            // close it later, and a serial port would stay taken.
            session_.Abandon();
            throw;
        }
        if (!identity) {
            session_.Detach(true);
            throw CVisaException{VI_SUCCESS, MSG_DIFFERENT_MODEL, &session_};
        }
        modelName_ = com::Bstr(session::FromAnsi(identity->model));
        romVersion_ = identity->RomVersion();
        limits_ = ModelLimits::ForModel(identity->model, limits_);
        for (IDriverChild* child : Children()) child->AttachToDriver(session_, this);
    });
}

STDMETHODIMP CZew4400::Disconnect() {
    for (IDriverChild* child : Children()) child->DetachFromDriver();
    return CloseSession() ? S_OK : S_FALSE;
}

STDMETHODIMP CZew4400::Initialize() {
    return Exchange(session_, [&] { session_.WriteCommand(L"*RST"); });
}

STDMETHODIMP CZew4400::SetString(BSTR strWrt) {
    if (!session_.FitsOnLine(View(strWrt))) return session::Refused(E_INVALIDARG);
    return Exchange(session_, [&] { session_.WriteCommand(View(strWrt)); });
}

STDMETHODIMP CZew4400::GetString(BSTR* pVal) {
    if (!pVal) return session::Refused(E_POINTER);
    *pVal = nullptr;
    return Exchange(session_, [&] { *pVal = com::Bstr(session::FromAnsi(session_.ReadResponse())).Detach(); });
}

}  // namespace zew::objects
