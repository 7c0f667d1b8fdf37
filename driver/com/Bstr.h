// Owner of one BSTR. A default Bstr is the null BSTR, which automation treats
// as the empty string.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace zew::com {

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::wstring_view text)
        : s_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr& other) : s_(other.s_ ? SysAllocStringLen(other.s_, SysStringLen(other.s_)) : nullptr) {}
    Bstr(Bstr&& other) noexcept : s_(std::exchange(other.s_, nullptr)) {}
    ~Bstr() { SysFreeString(s_); }
    Bstr& operator=(Bstr other) noexcept { std::swap(s_, other.s_); return *this; }

    static Bstr Attach(BSTR s) { Bstr result; result.s_ = s; return result; }
    BSTR Detach() { return std::exchange(s_, nullptr); }
    // A new copy for an out parameter; the caller frees it. Null stays null.
    BSTR Copy() const { return Bstr(*this).Detach(); }

    BSTR get() const { return s_; }
    BSTR* put() { SysFreeString(std::exchange(s_, nullptr)); return &s_; }
    bool null() const { return s_ == nullptr; }
    std::wstring_view view() const { return s_ ? std::wstring_view(s_, SysStringLen(s_)) : std::wstring_view(); }

private:
    BSTR s_ = nullptr;
};

// The text of a BSTR that the object does not own; null reads as "".
inline std::wstring_view View(BSTR text) {
    return text ? std::wstring_view(text, SysStringLen(text)) : std::wstring_view();
}

}  // namespace zew::com
