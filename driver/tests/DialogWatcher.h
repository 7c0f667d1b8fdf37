// Answers the modal dialogs and message boxes a test's own thread opens, so a
// test never hangs on one: each dialog, once shown, is handed to the test's
// inspector and then closed with the given button. A message box's text is
// its control 0xFFFF.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace zewtest {

class DialogWatcher {
public:
    using Inspector = std::function<void(HWND dialog)>;
    DialogWatcher(Inspector inspect, int closeWith);
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    int Seen() const { return seen_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    Inspector inspect_;
    int closeWith_;
    int seen_ = 0;
    HHOOK hook_;
};

std::wstring ItemText(HWND dialog, int id);

}  // namespace zewtest
