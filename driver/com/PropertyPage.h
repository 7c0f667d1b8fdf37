// A property page of a control, as a property frame hosts it: the page
// object's side of the IPropertyPage protocol over a dialog template, its
// dirty flag with the site's notifications, and the error report of Apply.
// A page class supplies the transfer between its controls and one object
// (ShowValues, ApplyTo); the page talks to its objects only through what they
// answer to QueryInterface.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <vector>

#include "Aggregatable.h"
#include "ComPtr.h"

namespace zew::com {

// Where Apply left its work: the failure and the dialog control that caused it.
struct HRCTLID {
    HRESULT hr;
    UINT controlId;
};

struct PropertyPageResources {
    UINT titleId;
    UINT helpFileId;
    UINT docStringId;
    UINT templateId;
};

class PropertyPage : public Aggregatable, public IPropertyPage {
public:
    ZEW_DELEGATE_IUNKNOWN

    STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
    STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    STDMETHODIMP Deactivate() override;
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
    STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
    STDMETHODIMP Show(UINT command) override;
    STDMETHODIMP Move(LPCRECT rect) override;
    STDMETHODIMP IsPageDirty() override { return dirty_ ? S_OK : S_FALSE; }
    STDMETHODIMP Apply() override;
    STDMETHODIMP Help(LPCOLESTR helpDirectory) override;
    STDMETHODIMP TranslateAccelerator(MSG* message) override;

protected:
    PropertyPage(IUnknown* outer, const PropertyPageResources& resources);
    ~PropertyPage() override;

    HWND Window() const { return window_; }

    // Puts one object's values into the page's controls.
    virtual void ShowValues(IUnknown* object) = 0;
    // Sets one object's properties from the controls; {S_OK, 0} when all of
    // them were taken, else where it stopped.
    virtual HRCTLID ApplyTo(IUnknown* object) = 0;

private:
    IUnknown* FindInterface(REFIID riid) override;
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void SetDirty(bool dirty, bool notify);
    void ReportApplyFailure(const HRCTLID& failure);

    PropertyPageResources resources_;
    ComPtr<IPropertyPageSite> site_;
    std::vector<ComPtr<IUnknown>> objects_;
    HWND window_ = nullptr;
    bool dirty_ = false;
    SIZE size_{};
};

}  // namespace zew::com
