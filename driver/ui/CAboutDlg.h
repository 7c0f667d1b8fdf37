// The control's About box: the driver's name and version, the VISA library
// the process found, and links to reach the maker by e-mail and on the web.
#pragma once

#include <windows.h>

#include <zewhandles/WindowsHandles.h>

namespace zew::ui {

class CAboutDlg {
public:
    CAboutDlg();

    // Shows the box modally; the id of the button that closed it.
    INT_PTR DoModal(HWND owner);

private:
    // The VISA line for a VISA specification version (major number in bits
    // 20 to 31, minor in bits 8 to 19) and the line's template; empty for 0.
    static void FormatVisaLine(char (&line)[64], const char* templateText, unsigned long version);

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    bool IsLink(HWND control) const;
    void OpenLink(int controlId, bool mail) const;

    HWND window_ = nullptr;
    handles::UniqueBrush buttonFace_;
    handles::UniqueFont boldFont_;
};

}  // namespace zew::ui
