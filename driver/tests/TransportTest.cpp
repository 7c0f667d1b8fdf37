// Command lines and responses through the driver object, its state before a
// connection, and its automation surface (IDispatch, error information).
#include <gtest/gtest.h>

#include <string>

#include "DriverFixture.h"
#include "com/Variant.h"

namespace zewtest {
namespace {

using TransportTest = DriverTest;

TEST_F(TransportTest, BeforeConnectGettersGiveDefaultsExchangesFailAndNullsAreRefused) {
    short version = 0;
    LONG handle = -1;
    Bstr model(L"x"), vendor;
    EXPECT_EQ(driver->get_Version(&version), S_OK);
    EXPECT_EQ(version, -1);
    EXPECT_EQ(driver->get_LegalModelName(model.put()), S_OK);
    EXPECT_TRUE(model.null());
    EXPECT_EQ(driver->get_hVisa(&handle), S_OK);
    EXPECT_EQ(handle, 0);
    EXPECT_EQ(driver->get_hGpib(&handle), S_OK);
    EXPECT_EQ(handle, 0);
    EXPECT_EQ(driver->get_Vendor(vendor.put()), S_OK);
    EXPECT_EQ(vendor.view(), L"ORVANTA");

    const std::wstring notInitialized = L"Instrument not initialized in device ???.";
    Bstr reply;
    EXPECT_EQ(driver->GetString(reply.put()), kNotInitialized);
    EXPECT_EQ(ErrorDescription(), notInitialized);
    EXPECT_EQ(driver->Initialize(), kNotInitialized);
    EXPECT_EQ(VisaStatus(), 0);

    // The getters share one null check: a text, a number and a reply stand
    // for them all.
    EXPECT_EQ(driver->get_Vendor(nullptr), E_POINTER);
    EXPECT_EQ(driver->get_Version(nullptr), E_POINTER);
    EXPECT_EQ(driver->GetString(nullptr), E_POINTER);
}

TEST_F(TransportTest, LinesGoOutWithALineFeedAndRepliesComeBackWhole) {
    ASSERT_EQ(Connect(driver.get(), L"dev2"), S_OK);
    ZvClearLogs(nullptr);
    Bstr query(L"*IDN?");
    ASSERT_EQ(driver->SetString(query.get()), S_OK);
    Bstr reply;
    ASSERT_EQ(driver->GetString(reply.put()), S_OK);
    EXPECT_EQ(reply.view(), L"ORVANTA ELECTRONICS CORP.,ZEW4400,0,1.00.00\n");
    EXPECT_EQ(driver->Initialize(), S_OK);
    EXPECT_EQ(WireLog("GPIB0::2"), "*IDN?\n*RST\n");
}

TEST_F(TransportTest, OverlongLinesAreRefusedWithoutIo) {
    ASSERT_EQ(Connect(driver.get(), L"dev2"), S_OK);
    ZvClearLogs(nullptr);
    SetErrorInfo(0, nullptr);
    Bstr tooLong(std::wstring(1023, L'A'));
    EXPECT_EQ(driver->SetString(tooLong.get()), E_INVALIDARG);
    EXPECT_EQ(ErrorDescription(), L"");
    EXPECT_EQ(WireLog("GPIB0::2"), "");
    Bstr longest(std::wstring(1022, L'A'));
    EXPECT_EQ(driver->SetString(longest.get()), S_OK);
    EXPECT_EQ(WireLog("GPIB0::2"), std::string(1022, 'A') + "\n");
}

// The driver object and its children each announce error information for
// their own interface only.
TEST_F(TransportTest, ErrorInformationIsAnnouncedForTheObjectsOwnInterfaceOnly) {
    const ComPtr<IRegister> reg = RegisterOf(driver.get());
    const struct { IUnknown* object; const IID* own; const IID* other; } objects[] = {
        {driver.get(), &IID_IZew4400, &IID_IDispatch}, {reg.get(), &IID_IRegister, &IID_IZew4400}};
    for (const auto& o : objects) {
        ComPtr<ISupportErrorInfo> support;
        ASSERT_EQ(o.object->QueryInterface(IID_ISupportErrorInfo, support.put_void()), S_OK);
        EXPECT_EQ(support->InterfaceSupportsErrorInfo(*o.own), S_OK);
        EXPECT_EQ(support->InterfaceSupportsErrorInfo(*o.other), S_FALSE);
    }
}

TEST_F(TransportTest, DispatchFollowsTheTypeLibrary) {
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(driver->QueryInterface(IID_IDispatch, dispatch.put_void()), S_OK);
    // Names resolve through the type library (its DISPIDs are the IDL's own).
    const struct { const wchar_t* name; DISPID id; } members[] = {{L"Vendor", 1}, {L"GetString", 25}};
    for (const auto& m : members) {
        LPOLESTR name = const_cast<LPOLESTR>(m.name);
        DISPID id = 0;
        EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK) << m.name;
        EXPECT_EQ(id, m.id) << m.name;
    }

    DISPPARAMS none{};
    zew::com::Variant result;
    ASSERT_EQ(dispatch->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, result.put(), nullptr, nullptr), S_OK);
    ASSERT_EQ(result->vt, VT_BSTR);
    EXPECT_STREQ(result->bstrVal, L"ORVANTA");

    EXCEPINFO exception{};
    EXPECT_EQ(dispatch->Invoke(25, IID_NULL, 0, DISPATCH_METHOD, &none, result.put(), &exception, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, kNotInitialized);
    EXPECT_STREQ(exception.bstrDescription, L"Instrument not initialized in device ???.");
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
}

// An outer object that aggregates the driver.
class Outer : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown) {
            *ppv = this;
            return S_OK;
        }
        return inner ? inner->QueryInterface(riid, ppv) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    ComPtr<IUnknown> inner;
    ULONG refs = 1;
};

TEST_F(TransportTest, TheDriverCanBeAggregated) {
    ComPtr<IClassFactory> factory = ClassFactory(CLSID_Zew4400);
    ASSERT_TRUE(factory);
    Outer outer;
    ComPtr<IZew4400> refused;
    EXPECT_EQ(factory->CreateInstance(&outer, IID_IZew4400, refused.put_void()), CLASS_E_NOAGGREGATION);
    ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, outer.inner.put_void()), S_OK);
    {
        ComPtr<IZew4400> aggregated;
        ASSERT_EQ(outer.inner->QueryInterface(IID_IZew4400, aggregated.put_void()), S_OK);
        EXPECT_EQ(outer.refs, 2u);  // interfaces of the inner object count on the outer one
        ComPtr<IUnknown> identity;
        ASSERT_EQ(aggregated->QueryInterface(IID_IUnknown, identity.put_void()), S_OK);
        EXPECT_EQ(identity.get(), static_cast<IUnknown*>(&outer));
    }
    outer.inner.reset();
}

}  // namespace
}  // namespace zewtest
