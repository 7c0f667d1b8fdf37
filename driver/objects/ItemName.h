// The names of panel memories and programs, as the instrument keeps them.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <new>
#include <string>
#include <string_view>

#include "../com/Bstr.h"

namespace zew::objects {

inline constexpr std::size_t kMaxItemName = 12;

// At most 12 characters, and none that would break the command line that
// carries the name or the comma-separated reply that returns it: a double
// quote, a comma or a control character.
inline bool IsValidItemName(std::wstring_view name) {
    if (name.size() > kMaxItemName) return false;
    for (const wchar_t c : name) {
        if (c == L'"' || c == L',' || c < L' ' || c == 0x7F) return false;
    }
    return true;
}

// Whether a name can go out between the double quotes of a command line:
// no double quote and no control character. Names read from the instrument
// are not checked as a client's are, so they are checked before they go out.
inline bool FitsInQuotes(std::wstring_view name) {
    for (const wchar_t c : name) {
        if (c == L'"' || c < L' ' || c == 0x7F) return false;
    }
    return true;
}

// The Name property of a memory or a program: a copy out, and a checked
// name in (a null BSTR is "").
inline HRESULT GetItemName(const std::wstring& name, BSTR* pVal) {
    if (!pVal) return E_POINTER;
    *pVal = SysAllocStringLen(name.data(), static_cast<UINT>(name.size()));
    return *pVal ? S_OK : E_OUTOFMEMORY;
}

inline HRESULT PutItemName(std::wstring& name, BSTR newVal) {
    const std::wstring_view text = com::View(newVal);
    if (!IsValidItemName(text)) return E_INVALIDARG;
    try {
        name = text;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

}  // namespace zew::objects
