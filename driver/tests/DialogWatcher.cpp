#include "DialogWatcher.h"

namespace zewtest {
namespace {

thread_local DialogWatcher* t_watcher = nullptr;

}  // namespace

DialogWatcher::DialogWatcher(Inspector inspect, int closeWith)
    : inspect_(std::move(inspect)), closeWith_(closeWith),
      hook_(SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId())) {
    t_watcher = this;
}

DialogWatcher::~DialogWatcher() {
    UnhookWindowsHookEx(hook_);
    t_watcher = nullptr;
}

// A dialog is activated once it is initialised and shown.
LRESULT CALLBACK DialogWatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && t_watcher) {
        const auto window = reinterpret_cast<HWND>(wParam);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (std::wstring(className) == L"#32770") {
            ++t_watcher->seen_;
            if (t_watcher->inspect_) t_watcher->inspect_(window);
            PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(t_watcher->closeWith_), 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

}  // namespace zewtest
