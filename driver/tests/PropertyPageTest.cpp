// The control's property pages in a page site of the tests' own, and its
// About box: what they show, what Apply sets and where it stops, and the
// error report a refused value gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogWatcher.h"
#include "DriverFixture.h"

namespace zewtest {
namespace {

constexpr DWORD kDirtyAndValidate = PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE;
const wchar_t kInvalidArgument[] = L"Invalid procedure call or argument";

class PageSite : public IPropertyPageSite {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IPropertyPageSite) {
            *ppv = this;
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP OnStatusChange(DWORD flags) override {
        statuses.push_back(flags);
        return S_OK;
    }
    STDMETHODIMP GetLocaleID(LCID* locale) override {
        *locale = LOCALE_USER_DEFAULT;
        return S_OK;
    }
    STDMETHODIMP GetPageContainer(IUnknown** container) override {
        *container = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }
    ULONG refs = 0;
    std::vector<DWORD> statuses;
};

// The user's decimal separator for one test.
class DecimalSeparator {
public:
    explicit DecimalSeparator(const char* separator) {
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved_, sizeof saved_);
        SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator);
    }
    ~DecimalSeparator() { SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved_); }

private:
    char saved_[8] = {};
};

// One page, made through the library's class object, on a frame window of
// the test's own and given the driver object.
class HostedPage {
public:
    HostedPage(REFCLSID clsid, IZew4400* driver) {
        frame_ = CreateWindowExW(0, L"STATIC", L"Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400, nullptr,
                                 nullptr, nullptr, nullptr);
        // Without a frame the page cannot show; say so rather than fail later.
        EXPECT_NE(frame_, nullptr) << "no frame window: error " << GetLastError();
        EXPECT_EQ(ClassFactory(clsid)->CreateInstance(nullptr, IID_IPropertyPage, page.put_void()), S_OK);
        EXPECT_EQ(page->SetPageSite(&site), S_OK);
        IUnknown* objects[] = {driver};
        EXPECT_EQ(page->SetObjects(1, objects), S_OK);
        const RECT rect{5, 5, 400, 350};
        EXPECT_EQ(page->Activate(frame_, &rect, TRUE), S_OK);
        page->Show(SW_SHOW);
        dialog = GetWindow(frame_, GW_CHILD);
    }
    ~HostedPage() {
        page->Deactivate();
        page->SetObjects(0, nullptr);
        page->SetPageSite(nullptr);
        page.reset();
        EXPECT_EQ(site.refs, 0u);
        DestroyWindow(frame_);
    }
    std::wstring Text(int id) const { return ItemText(dialog, id); }
    void Type(int id, const wchar_t* text) const { SetDlgItemTextW(dialog, id, text); }
    void Check(int id, bool on) const {
        SendDlgItemMessageW(dialog, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }
    // Apply, with the error report answered and its text kept.
    HRESULT Apply() {
        reports.clear();
        DialogWatcher watcher([this](HWND box) { reports.push_back(ItemText(box, 0xFFFF)); }, IDOK);
        return page->Apply();
    }
    // The failing field is selected whole and has the focus.
    void ExpectSelected(int id) const {
        HWND control = GetDlgItem(dialog, id);
        EXPECT_EQ(GetFocus(), control);
        DWORD start = 1, end = 0;
        SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthW(control)));
    }

    PageSite site;
    ComPtr<IPropertyPage> page;
    HWND dialog = nullptr;
    std::vector<std::wstring> reports;

private:
    HWND frame_ = nullptr;
};

using PropertyPageTest = DriverTest;

TEST_F(PropertyPageTest, GeneralShowsAndAppliesRealsWithTheUsersDecimalSeparator) {
    DecimalSeparator comma(",");
    ASSERT_EQ(driver->put_Current(1.5), S_OK);
    ASSERT_EQ(driver->put_FailModeOn(VARIANT_TRUE), S_OK);
    HostedPage general(CLSID_PropPageGeneral, driver.get());
    ASSERT_TRUE(general.dialog);

    EXPECT_EQ(general.Text(202), L"1,5");
    EXPECT_EQ(general.Text(204), L"50");
    EXPECT_EQ(general.Text(206), L"0,000");
    EXPECT_EQ(general.Text(208), L"1,200");
    EXPECT_EQ(general.Text(209), L"0,0");
    EXPECT_EQ(IsDlgButtonChecked(general.dialog, 211), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(general.dialog, 214), BST_UNCHECKED);
    // Clean after initialisation, and the site was told to validate.
    EXPECT_EQ(general.page->IsPageDirty(), S_FALSE);
    ASSERT_FALSE(general.site.statuses.empty());
    EXPECT_EQ(general.site.statuses.back(), kDirtyAndValidate);

    general.Type(206, L"2,25");
    EXPECT_EQ(general.page->IsPageDirty(), S_OK);
    general.Check(214, true);
    ASSERT_EQ(general.Apply(), S_OK);
    EXPECT_TRUE(general.reports.empty());
    EXPECT_EQ(general.page->IsPageDirty(), S_FALSE);
    double lower = 0;
    driver->get_LimitLower(&lower);
    EXPECT_EQ(lower, 2.25);
    VARIANT_BOOL offset = VARIANT_FALSE;
    driver->get_OffsetON(&offset);
    EXPECT_EQ(offset, 1) << "a checked box applies as 1";
}

TEST_F(PropertyPageTest, ApplyStopsAtAnInvalidFieldAndLeavesLaterFieldsUnapplied) {
    DecimalSeparator point(".");
    HostedPage general(CLSID_PropPageGeneral, driver.get());
    // With a point separator a comma ends the number.
    EXPECT_EQ(general.Text(202), L"3.0");
    general.Type(206, L"2,25");
    ASSERT_EQ(general.Apply(), S_OK);
    double lower = 0;
    driver->get_LimitLower(&lower);
    EXPECT_EQ(lower, 2.0);

    general.Type(204, L"fifty");
    EXPECT_EQ(general.Apply(), E_INVALIDARG);
    EXPECT_EQ(general.reports, std::vector<std::wstring>{kInvalidArgument});
    general.ExpectSelected(204);
    EXPECT_EQ(general.page->IsPageDirty(), S_OK);

    general.Type(202, L"7.5");
    general.Type(204, L"60");
    general.Type(206, L"-1");
    general.Type(208, L"0.5");
    general.Type(209, L"5");
    general.Check(214, true);
    general.Check(210, true);
    EXPECT_EQ(general.Apply(), E_INVALIDARG);
    EXPECT_EQ(general.reports, std::vector<std::wstring>{kInvalidArgument});
    general.ExpectSelected(206);

    double current = 0, upper = 0, execTime = 0;
    short frequency = 0;
    VARIANT_BOOL offset = VARIANT_TRUE, contact = VARIANT_TRUE;
    driver->get_Current(&current);
    driver->get_Frequency(&frequency);
    driver->get_LimitUpper(&upper);
    driver->get_ExecTime(&execTime);
    driver->get_OffsetON(&offset);
    driver->get_ContactCheckOn(&contact);
    EXPECT_EQ(current, 7.5);
    EXPECT_EQ(frequency, 60);
    EXPECT_EQ(upper, 1.2);
    EXPECT_EQ(execTime, 0.0);
    EXPECT_EQ(offset, VARIANT_FALSE);
    EXPECT_EQ(contact, VARIANT_FALSE);
}

TEST_F(PropertyPageTest, AutoSwitchesTheMonitorAndRefusesAnIntervalAboveItsRange) {
    HostedPage page(CLSID_PropPageAuto, driver.get());
    EXPECT_EQ(IsDlgButtonChecked(page.dialog, 215), BST_UNCHECKED);
    EXPECT_EQ(page.Text(216), L"1000");

    VARIANT_BOOL enabled = VARIANT_FALSE;
    page.Check(215, true);
    page.Type(216, L"500");
    ASSERT_EQ(page.Apply(), S_OK);
    driver->get_AutoMonitorEnabled(&enabled);
    EXPECT_EQ(enabled, VARIANT_TRUE);
    ASSERT_EQ(page.Apply(), S_OK) << "a running monitor stays on";
    driver->get_AutoMonitorEnabled(&enabled);
    EXPECT_EQ(enabled, VARIANT_TRUE);

    page.Check(215, false);
    ASSERT_EQ(page.Apply(), S_OK);
    driver->get_AutoMonitorEnabled(&enabled);
    EXPECT_EQ(enabled, VARIANT_FALSE);

    page.Type(216, L"40000");
    EXPECT_EQ(page.Apply(), E_INVALIDARG);
    EXPECT_EQ(page.reports, std::vector<std::wstring>{kInvalidArgument});
    page.ExpectSelected(216);
    short interval = 0;
    driver->get_AutoMonitorInterval(&interval);
    EXPECT_EQ(interval, 500);
}

// The About box's VISA line, from the VISA version the process read when
// its first driver object opened the resource manager.
std::wstring VisaLine(ComPtr<IZew4400>& driver, ViVersion version) {
    driver = {};
    ZvSetSpecVersion(version);
    driver = CreateDriver();
    std::wstring line;
    DialogWatcher watcher([&](HWND box) { line = ItemText(box, 203); }, IDCANCEL);
    EXPECT_EQ(driver->AboutBox(), S_OK);
    EXPECT_EQ(watcher.Seen(), 1);
    return line;
}

TEST_F(PropertyPageTest, AboutBoxNamesTheVisaVersionFound) {
    EXPECT_EQ(VisaLine(driver, 0x00200200), L"VISA library V2.2 found");
    EXPECT_EQ(VisaLine(driver, 0), L"No VISA library found");
}

}  // namespace
}  // namespace zewtest
