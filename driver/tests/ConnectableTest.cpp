// The driver object as a connectable object: its event and property-change
// connection points, and the class information a host reads to find the events.
#include <gtest/gtest.h>

#include <ocidl.h>

#include <vector>

#include "ChangeSink.h"
#include "DriverTestSupport.h"
#include "VisaTestSupport.h"

namespace zewtest {
namespace {

ComPtr<IConnectionPoint> Point(IZew4400* driver, REFIID iid) {
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    if (SUCCEEDED(driver->QueryInterface(IID_IConnectionPointContainer, container.put_void())))
        container->FindConnectionPoint(iid, point.put());
    return point;
}

TEST(Connectable, EveryCachedPutIsAnnouncedOnceAndARefusedPutNotAtAll) {
    ZvReset();
    ComPtr<IZew4400> driver = CreateDriver();
    ASSERT_TRUE(driver);
    ComPtr<IConnectionPoint> point = Point(driver.get(), IID_IPropertyNotifySink);
    ASSERT_TRUE(point);
    ChangeSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);

    driver->put_Current(10);
    driver->put_Frequency(60);
    driver->put_LimitUpper(0.5);
    driver->put_LimitLower(0.1);
    driver->put_ExecTime(5);
    driver->put_OffsetON(VARIANT_TRUE);
    driver->put_ContactCheckOn(VARIANT_TRUE);
    driver->put_FailModeOn(VARIANT_TRUE);
    driver->put_MomentaryOn(VARIANT_TRUE);
    driver->put_AutoMonitorInterval(250);
    driver->put_AutoMonitorEnabled(VARIANT_TRUE);
    driver->put_AutoMonitorEnabled(VARIANT_FALSE);
    EXPECT_EQ(sink.changed, (std::vector<DISPID>{28, 29, 30, 31, 32, 33, 34, 36, 37, 48, 47, 47}));

    sink.changed.clear();
    driver->put_Frequency(55);
    driver->put_ExecTime(0.1);
    driver->put_AutoMonitorInterval(-5);
    driver->put_AutoMonitorEnabled(VARIANT_FALSE);   // already off
    EXPECT_EQ(Connect(driver.get(), L"dev1"), S_OK);
    driver->put_DoubleActionOn(VARIANT_TRUE);         // live settings are not kept, nor announced
    driver->put_BuzzerVolume(3);
    EXPECT_TRUE(sink.changed.empty());

    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    driver->put_Current(11);
    EXPECT_TRUE(sink.changed.empty());
}

TEST(Connectable, ClassInformationNamesTheEventInterface) {
    ComPtr<IZew4400> driver = CreateDriver();
    ASSERT_TRUE(driver);
    EXPECT_TRUE(Point(driver.get(), DIID_DIZewEventSink));
    ComPtr<IProvideClassInfo2> info;
    ASSERT_EQ(driver->QueryInterface(IID_IProvideClassInfo2, info.put_void()), S_OK);
    GUID source{};
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
    EXPECT_TRUE(IsEqualGUID(source, DIID_DIZewEventSink));
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID + 1, &source), E_INVALIDARG);
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, nullptr), E_POINTER);
}

}  // namespace
}  // namespace zewtest
