// The names of panel memories and programs, as the instrument keeps them.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <new>
#include <string>
#include <string_view>

#include "../com/Bstr.h"
#include "../parsers/QuotedText.h"
#include "../session/CodePage.h"
#include "../session/Exchange.h"

namespace zew::objects {

inline constexpr std::size_t kMaxItemName = 12;

// At most 12 characters, and none that would break the command line that
// carries the name or the comma-separated reply that returns it. Judged on
// the characters sent: a character the code page maps to a double quote, a
// comma or a control character is refused like the character itself.
inline bool IsValidItemName(std::wstring_view name) {
    return name.size() <= kMaxItemName && parsers::IsItemNameText(session::ToAnsi(name));
}

// Whether a name can go out between the double quotes of a command line.
// Names read from the instrument are not checked as a client's are, so they
// are checked before they go out (a name that cannot even be converted for
// want of memory does not go out either).
inline bool FitsInQuotes(std::wstring_view name) noexcept {
    try {
        return parsers::FitsInQuotes(session::ToAnsi(name));
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// The Name property of a memory or a program: a copy out, and a checked
// name in (a null BSTR is "").
inline HRESULT GetItemName(const std::wstring& name, BSTR* pVal, const std::source_location& where = std::source_location::current()) {
    if (!pVal) return session::Refused(E_POINTER, where);
    *pVal = SysAllocStringLen(name.data(), static_cast<UINT>(name.size()));
    return *pVal ? S_OK : E_OUTOFMEMORY;
}

inline HRESULT PutItemName(std::wstring& name, BSTR newVal, const std::source_location& where = std::source_location::current()) {
    const std::wstring_view text = com::View(newVal);
    try {
        if (!IsValidItemName(text)) return session::Refused(E_INVALIDARG, where);
        name = text;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

}  // namespace zew::objects
