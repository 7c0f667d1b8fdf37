// What a client's VARIANT names when it picks an item or a panel memory: a
// number or a name. Nothing is coerced.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <string_view>

#include "../com/Bstr.h"

namespace zew::objects {

struct VariantIndex {
    enum class Kind { None, Number, Name };
    Kind kind = Kind::None;
    VARTYPE numberType = VT_EMPTY;   // VT_I2 or VT_I4, as the client gave it
    int16_t number = 0;              // of a VT_I4, only the low 16 bits count
    std::wstring_view name;          // a null BSTR is ""
};

// VT_I2 and VT_I4 are numbers, VT_BSTR is a name; every other type is
// neither. A script host passes a variable by reference (VBScript's
// Memories(i)): one level of reference is looked through, so that a variable
// names what its value names.
inline VariantIndex ReadVariantIndex(const VARIANT& given) {
    const VARIANT& value = (given.vt == (VT_BYREF | VT_VARIANT) && given.pvarVal) ? *given.pvarVal : given;
    auto number = [](VARTYPE type, long n) {
        return VariantIndex{VariantIndex::Kind::Number, type, static_cast<int16_t>(static_cast<uint16_t>(n & 0xFFFF)), {}};
    };
    auto name = [](BSTR text) { return VariantIndex{VariantIndex::Kind::Name, VT_EMPTY, 0, com::View(text)}; };
    switch (value.vt) {
        case VT_I2: return number(VT_I2, value.iVal);
        case VT_I4: return number(VT_I4, value.lVal);
        case VT_BSTR: return name(value.bstrVal);
        case VT_BYREF | VT_I2: return value.piVal ? number(VT_I2, *value.piVal) : VariantIndex{};
        case VT_BYREF | VT_I4: return value.plVal ? number(VT_I4, *value.plVal) : VariantIndex{};
        case VT_BYREF | VT_BSTR: return value.pbstrVal ? name(*value.pbstrVal) : VariantIndex{};
        default: return {};
    }
}

}  // namespace zew::objects
