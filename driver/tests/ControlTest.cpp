// The driver object as an ActiveX control in a container of the tests' own:
// its size rules, its saved form through streams and storages, its
// activation, windowed and windowless, and its drawing in both modes.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ChangeSink.h"
#include "DriverFixture.h"
#include "TestContainer.h"

namespace zewtest {
namespace {

constexpr DWORD kMiscStatus = 132497;
constexpr COLORREF kWhite = RGB(255, 255, 255);

template <class T>
ComPtr<T> As(IUnknown* object, REFIID iid) {
    ComPtr<T> result;
    object->QueryInterface(iid, result.put_void());
    return result;
}

// The extent of 32 screen pixels in HIMETRIC, as a new control starts.
SIZEL DefaultExtent() {
    HDC screen = GetDC(nullptr);
    const LONG dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const LONG dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return {(dpiX / 2 + 32 * 2540) / dpiX, (dpiY / 2 + 32 * 2540) / dpiY};
}

// The saved form, built here field by field.
class Bytes {
public:
    template <class T>
    Bytes& Add(T value) {
        const auto* first = reinterpret_cast<const BYTE*>(&value);
        data.insert(data.end(), first, first + sizeof value);
        return *this;
    }
    Bytes& Real(double value) { return Add<VARTYPE>(VT_R8).Add(value); }
    Bytes& Short(short value) { return Add<VARTYPE>(VT_I2).Add(value); }
    Bytes& Bool(VARIANT_BOOL value) { return Add<VARTYPE>(VT_BOOL).Add(value); }
    std::vector<BYTE> data;
};

Bytes Header(SIZEL extent, uint32_t version = 0x300) {
    Bytes bytes;
    bytes.Add(version).Add(static_cast<uint32_t>(extent.cx)).Add(static_cast<uint32_t>(extent.cy));
    return bytes;
}

// A whole saved form: these conditions, no lower limit or timer, every switch
// off, the monitor at 1000 ms.
Bytes Record(SIZEL extent, double current, short frequency, double upper, uint32_t version = 0x300) {
    Bytes bytes = Header(extent, version);
    bytes.Real(current).Short(frequency).Real(upper).Real(0.0).Real(0.0);
    for (int i = 0; i < 5; ++i) bytes.Bool(VARIANT_FALSE);
    bytes.Short(1000);
    return bytes;
}

ComPtr<IStream> StreamOf(const std::vector<BYTE>& bytes) {
    ComPtr<IStream> stream;
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
    ULONG written = 0;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

std::vector<BYTE> ContentOf(IStream* stream) {
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<BYTE> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    return bytes;
}

std::vector<BYTE> Saved(IZew4400* driver) {
    auto persist = As<IPersistStreamInit>(driver, IID_IPersistStreamInit);
    ComPtr<IStream> stream;
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
    EXPECT_EQ(persist->Save(stream.get(), TRUE), S_OK);
    return ContentOf(stream.get());
}

// Conditions other than the defaults, set through the driver's interface.
void SetConditions(IZew4400* driver) {
    ASSERT_EQ(driver->put_Current(25.5), S_OK);
    ASSERT_EQ(driver->put_Frequency(60), S_OK);
    ASSERT_EQ(driver->put_LimitUpper(0.5), S_OK);
    ASSERT_EQ(driver->put_LimitLower(0.125), S_OK);
    ASSERT_EQ(driver->put_ExecTime(2.5), S_OK);
    ASSERT_EQ(driver->put_OffsetON(VARIANT_TRUE), S_OK);
    ASSERT_EQ(driver->put_FailModeOn(VARIANT_TRUE), S_OK);
    ASSERT_EQ(driver->put_AutoMonitorInterval(250), S_OK);
}

Bytes ConditionBytes() {
    Bytes bytes = Header(DefaultExtent());
    bytes.Real(25.5).Short(60).Real(0.5).Real(0.125).Real(2.5);
    bytes.Bool(VARIANT_TRUE).Bool(VARIANT_FALSE).Bool(VARIANT_TRUE).Bool(VARIANT_FALSE);
    bytes.Bool(VARIANT_FALSE).Short(250);
    return bytes;
}

using ControlTest = DriverTest;

TEST_F(ControlTest, IsAutoSizedAtItsNaturalSizeAndReportsItsMiscStatus) {
    auto object = As<IOleObject>(driver.get(), IID_IOleObject);
    ASSERT_TRUE(object);
    DWORD status = 0;
    EXPECT_EQ(object->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
    EXPECT_EQ(status, kMiscStatus);

    const SIZEL initial = DefaultExtent();
    SIZEL extent{};
    ASSERT_EQ(object->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
    EXPECT_EQ(extent.cx, initial.cx);
    EXPECT_EQ(extent.cy, initial.cy);

    SIZEL natural{5080, 5080};
    EXPECT_EQ(object->SetExtent(DVASPECT_ICON, &natural), DV_E_DVASPECT);
    EXPECT_EQ(object->SetExtent(DVASPECT_CONTENT, nullptr), E_POINTER);
    EXPECT_EQ(object->SetExtent(DVASPECT_CONTENT, &natural), S_OK);
    SIZEL other{2000, 5080};
    EXPECT_EQ(object->SetExtent(DVASPECT_CONTENT, &other), E_FAIL);
    EXPECT_EQ(object->SetExtent(DVASPECT_CONTENT, &extent), E_FAIL);
    ASSERT_EQ(object->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
    EXPECT_EQ(extent.cx, initial.cx);
    EXPECT_EQ(extent.cy, initial.cy);

    auto pages = As<ISpecifyPropertyPages>(driver.get(), IID_ISpecifyPropertyPages);
    CAUUID list{};
    ASSERT_EQ(pages->GetPages(&list), S_OK);
    ASSERT_EQ(list.cElems, 2u);
    EXPECT_TRUE(IsEqualCLSID(list.pElems[0], CLSID_PropPageGeneral));
    EXPECT_TRUE(IsEqualCLSID(list.pElems[1], CLSID_PropPageAuto));
    CoTaskMemFree(list.pElems);
}

TEST_F(ControlTest, SavesTheDefaultsAndSetConditionsInEightyBytes) {
    auto persist = As<IPersistStreamInit>(driver.get(), IID_IPersistStreamInit);
    ASSERT_EQ(persist->InitNew(), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    const Bytes defaults = Record(DefaultExtent(), 3.0, 50, 1.2);
    ASSERT_EQ(defaults.data.size(), 80u);
    ULARGE_INTEGER size{};
    EXPECT_EQ(persist->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 80u);
    EXPECT_EQ(Saved(driver.get()), defaults.data);

    SetConditions(driver.get());
    EXPECT_EQ(persist->IsDirty(), S_OK);
    EXPECT_EQ(Saved(driver.get()), ConditionBytes().data);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
}

// A restored monitor is switched on with its saved interval.
TEST_F(ControlTest, ReloadsWhatItSavedThroughStreamsAndStorages) {
    SetConditions(driver.get());
    ASSERT_EQ(driver->put_ContactCheckOn(VARIANT_TRUE), S_OK);
    ASSERT_EQ(driver->put_AutoMonitorEnabled(VARIANT_TRUE), S_OK);
    ASSERT_EQ(driver->put_AutoMonitorInterval(300), S_OK);
    const std::vector<BYTE> saved = Saved(driver.get());

    // A stream.
    auto loaded = CreateDriver();
    auto persist = As<IPersistStreamInit>(loaded.get(), IID_IPersistStreamInit);
    ASSERT_EQ(persist->Load(StreamOf(saved).get()), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    EXPECT_EQ(Saved(loaded.get()), saved);
    double current = 0;
    VARIANT_BOOL enabled = VARIANT_FALSE;
    short interval = 0;
    loaded->get_Current(&current);
    loaded->get_AutoMonitorEnabled(&enabled);
    loaded->get_AutoMonitorInterval(&interval);
    EXPECT_EQ(current, 25.5);
    EXPECT_EQ(enabled, VARIANT_TRUE);
    EXPECT_EQ(interval, 300);

    // A storage keeps the same bytes in its stream "Contents".
    ComPtr<ILockBytes> memory;
    ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, memory.put()), S_OK);
    ComPtr<IStorage> storage;
    ASSERT_EQ(StgCreateDocfileOnILockBytes(memory.get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                           storage.put()),
              S_OK);
    auto storagePersist = As<IPersistStorage>(driver.get(), IID_IPersistStorage);
    ASSERT_EQ(storagePersist->Save(storage.get(), TRUE), S_OK);
    ComPtr<IStream> contents;
    ASSERT_EQ(storage->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, contents.put()), S_OK);
    EXPECT_EQ(ContentOf(contents.get()), saved);
    contents.reset();

    auto fromStorage = CreateDriver();
    ASSERT_EQ(As<IPersistStorage>(fromStorage.get(), IID_IPersistStorage)->Load(storage.get()), S_OK);
    EXPECT_EQ(Saved(fromStorage.get()), saved);
    for (IZew4400* object : {driver.get(), loaded.get(), fromStorage.get()}) object->put_AutoMonitorEnabled(VARIANT_FALSE);
}

// A refused stream leaves every property and the extent as they were.
TEST_F(ControlTest, RefusesNewerTruncatedAndInvalidStreamsWithoutHalfLoading) {
    SetConditions(driver.get());
    const std::vector<BYTE> before = Saved(driver.get());
    auto persist = As<IPersistStreamInit>(driver.get(), IID_IPersistStreamInit);

    EXPECT_EQ(persist->Load(StreamOf(Record({5080, 5080}, 10.0, 50, 1.0, 0x301).data).get()), E_FAIL);
    EXPECT_EQ(Saved(driver.get()), before);

    const std::vector<BYTE> valid = Record({5080, 5080}, 10.0, 50, 1.0).data;
    for (size_t cut : {size_t{0}, size_t{6}, size_t{12}, size_t{13}, size_t{20}, size_t{79}}) {
        const std::vector<BYTE> truncated(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_TRUE(FAILED(persist->Load(StreamOf(truncated).get()))) << "cut at " << cut;
        EXPECT_EQ(Saved(driver.get()), before) << "cut at " << cut;
    }

    // A value the driver refuses (frequency 55) after accepted ones.
    EXPECT_EQ(persist->Load(StreamOf(Record({5080, 5080}, 10.0, 55, 1.0).data).get()), E_FAIL);
    EXPECT_EQ(Saved(driver.get()), before);

    // A record type the format cannot hold.
    std::vector<BYTE> badType = valid;
    badType[12] = VT_BSTR;
    EXPECT_EQ(persist->Load(StreamOf(badType).get()), E_FAIL);
    EXPECT_EQ(Saved(driver.get()), before);

    // An older version tag loads.
    EXPECT_EQ(persist->Load(StreamOf(Record({5080, 5080}, 10.0, 50, 1.0, 0x200).data).get()), S_OK);
    double current = 0;
    driver->get_Current(&current);
    EXPECT_EQ(current, 10.0);
}

// Draws the control into a white canvas through IViewObject.
void DrawInto(IZew4400* driver, MemoryCanvas& canvas, const RECTL* bounds) {
    auto view = As<IViewObjectEx>(driver, IID_IViewObjectEx);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), bounds, nullptr, nullptr, 0), S_OK);
}

// The pixels of the 32-pixel icon square at (left, top) that differ from its
// top-left corner, which the icon leaves transparent.
int Ink(HDC dc, int left, int top) {
    const COLORREF ground = GetPixel(dc, left, top);
    int ink = 0;
    for (int y = top; y < top + 32; ++y)
        for (int x = left; x < left + 32; ++x) ink += GetPixel(dc, x, y) != ground;
    return ink;
}

// The icon on the white canvas, and nothing beside it.
void ExpectIconOnly(const MemoryCanvas& canvas, int left, int top) {
    EXPECT_EQ(canvas.Pixel(left, top), kWhite);
    EXPECT_GT(Ink(canvas.Dc(), left, top), 0) << "no icon";
    EXPECT_EQ(canvas.Pixel(left + 33, top + 9), kWhite);
    EXPECT_EQ(canvas.Pixel(left + 40, top + 40), kWhite);
}

// A form designer's sequence: site, activate, draw, deactivate, close.
void RunContainerSequence(IZew4400* driver, bool windowless) {
    TestContainer::Options options;
    options.windowless = windowless;
    TestContainer container(options);
    auto object = As<IOleObject>(driver, IID_IOleObject);
    ASSERT_EQ(object->SetClientSite(&container), S_OK);
    auto persist = As<IPersistStreamInit>(driver, IID_IPersistStreamInit);
    ASSERT_EQ(persist->InitNew(), S_OK);

    RECT position = container.Position();
    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container, 0, container.Window(), &position), S_OK);
    EXPECT_TRUE(container.InPlaceActive());
    EXPECT_EQ(container.ActivatedWindowless(), windowless);
    auto inPlace = As<IOleInPlaceObject>(driver, IID_IOleInPlaceObject);
    HWND window = nullptr;
    if (windowless) {
        EXPECT_EQ(inPlace->GetWindow(&window), E_FAIL);
        // A windowless control draws at its position when given no bounds.
        MemoryCanvas canvas(100, 100);
        DrawInto(driver, canvas, nullptr);
        ExpectIconOnly(canvas, position.left, position.top);
    } else {
        ASSERT_EQ(inPlace->GetWindow(&window), S_OK);
        EXPECT_EQ(GetParent(window), container.Window());
        RECT placed{};
        GetWindowRect(window, &placed);
        MapWindowPoints(nullptr, container.Window(), reinterpret_cast<POINT*>(&placed), 2);
        EXPECT_TRUE(EqualRect(&placed, &position));
        // The window paints as the view does: the icon at its top-left.
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetDC(window);
        EXPECT_GT(Ink(dc, 0, 0), 0) << "no icon";
        ReleaseDC(window, dc);
    }

    ASSERT_EQ(object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &container, 0, container.Window(), &position), S_OK);
    EXPECT_TRUE(container.UIActive());

    EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
    EXPECT_FALSE(container.UIActive());
    EXPECT_FALSE(container.InPlaceActive());
    if (window) {
        EXPECT_FALSE(IsWindow(window));
    }
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_EQ(container.References(), 0u) << "the control kept a reference to its site";
}

TEST_F(ControlTest, ActivatesInAWindowOfItsOwnAndDeactivates) { RunContainerSequence(driver.get(), false); }

TEST_F(ControlTest, ActivatesWindowlessAndDeactivates) { RunContainerSequence(driver.get(), true); }

TEST_F(ControlTest, DrawsItsIconInDesignModeAndTheBackgroundAtRunTime) {
    TestContainer::Options options;
    TestContainer container(options);
    auto object = As<IOleObject>(driver.get(), IID_IOleObject);
    ASSERT_EQ(object->SetClientSite(&container), S_OK);
    const RECTL bounds{10, 20, 90, 95};

    {
        MemoryCanvas canvas(100, 100);
        DrawInto(driver.get(), canvas, &bounds);
        ExpectIconOnly(canvas, 10, 20);
    }

    container.Ambients().userMode = true;
    container.Ambients().backColor = RGB(10, 200, 30);
    {
        MemoryCanvas canvas(100, 100);
        DrawInto(driver.get(), canvas, &bounds);
        EXPECT_EQ(canvas.Pixel(10, 20), RGB(10, 200, 30));
        EXPECT_EQ(canvas.Pixel(89, 94), RGB(10, 200, 30));
        EXPECT_EQ(Ink(canvas.Dc(), 10, 20), 0) << "an icon at run time";
        EXPECT_EQ(canvas.Pixel(9, 20), kWhite);
        EXPECT_EQ(canvas.Pixel(90, 95), kWhite);
    }

    // A system colour is the system's colour of that name.
    container.Ambients().backColor = 0x80000000 | COLOR_BTNFACE;
    {
        MemoryCanvas canvas(100, 100);
        DrawInto(driver.get(), canvas, &bounds);
        EXPECT_EQ(canvas.Pixel(50, 50), GetNearestColor(canvas.Dc(), GetSysColor(COLOR_BTNFACE)));
    }

    // A container without ambient properties counts as design mode.
    TestContainer silent({.answersAmbients = false});
    ASSERT_EQ(object->SetClientSite(&silent), S_OK);
    {
        MemoryCanvas canvas(100, 100);
        DrawInto(driver.get(), canvas, &bounds);
        ExpectIconOnly(canvas, 10, 20);
    }
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_EQ(container.References(), 0u);
    EXPECT_EQ(silent.References(), 0u);
}

TEST_F(ControlTest, QuickActivationSitesTheControlAndConnectsTheSinks) {
    TestContainer container({});
    ChangeSink sink;
    QACONTAINER qaContainer{};
    qaContainer.cbSize = sizeof qaContainer;
    qaContainer.pClientSite = &container;
    qaContainer.pPropertyNotifySink = &sink;
    QACONTROL qaControl{};
    qaControl.cbSize = sizeof qaControl;
    auto quick = As<IQuickActivate>(driver.get(), IID_IQuickActivate);
    ASSERT_EQ(quick->QuickActivate(&qaContainer, &qaControl), S_OK);
    EXPECT_EQ(qaControl.dwMiscStatus, kMiscStatus);
    EXPECT_NE(qaControl.dwPropNotifyCookie, 0u);

    ASSERT_EQ(driver->put_Frequency(60), S_OK);
    EXPECT_EQ(sink.changed, std::vector<DISPID>{29});

    auto object = As<IOleObject>(driver.get(), IID_IOleObject);
    ComPtr<IOleClientSite> site;
    ASSERT_EQ(object->GetClientSite(site.put()), S_OK);
    EXPECT_EQ(site.get(), static_cast<IOleClientSite*>(&container));
    site.reset();

    // The drawing as a metafile picture of the control's extent.
    auto data = As<IDataObject>(driver.get(), IID_IDataObject);
    FORMATETC format{CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT};
    STGMEDIUM medium{};
    ASSERT_EQ(data->GetData(&format, &medium), S_OK);
    ASSERT_EQ(medium.tymed, static_cast<DWORD>(TYMED_MFPICT));
    auto* picture = static_cast<METAFILEPICT*>(GlobalLock(medium.hMetaFilePict));
    EXPECT_EQ(picture->xExt, DefaultExtent().cx);
    EXPECT_NE(picture->hMF, nullptr);
    GlobalUnlock(medium.hMetaFilePict);
    ReleaseStgMedium(&medium);
    format.cfFormat = CF_TEXT;
    EXPECT_EQ(data->QueryGetData(&format), DV_E_FORMATETC);

    auto points = As<IConnectionPointContainer>(driver.get(), IID_IConnectionPointContainer);
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(points->FindConnectionPoint(IID_IPropertyNotifySink, point.put()), S_OK);
    EXPECT_EQ(point->Unadvise(qaControl.dwPropNotifyCookie), S_OK);
    EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_EQ(sink.refs, 0u);
    EXPECT_EQ(container.References(), 0u);
}

}  // namespace
}  // namespace zewtest
