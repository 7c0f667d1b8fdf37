// The saved form of a control's properties: a version tag, the control's
// extent in HIMETRIC units, then one record per persisted property in the
// order of the control's property list, each the property's variant type (two
// bytes) followed by its value. All numbers are little-endian.
//
// Properties are read and written through the object's IDispatch, by their
// DISPIDs, so a loaded value passes the same checks as a client's write.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <objidl.h>

#include <cstdint>
#include <span>
#include <vector>

namespace zew::com {

struct PersistedProperty {
    const wchar_t* name;
    DISPID id;
};

inline constexpr uint32_t kPropertyStreamVersion = 0x300;

// The saved form of the object's properties as they are now.
HRESULT PropertyBytes(IDispatch* object, SIZEL extent, std::span<const PersistedProperty> properties,
                      std::vector<BYTE>& bytes);

HRESULT SaveProperties(IStream* stream, IDispatch* object, SIZEL extent, std::span<const PersistedProperty> properties);

// Reads the whole saved form before the object is touched: a read error
// returns that error, a stream that ends early or holds a type without a
// fixed-size value returns E_FAIL, a version tag above ours returns E_FAIL,
// all with the object and extent unchanged. Then each property is set in
// order; when one is refused, the ones already set get their old values back
// and the result is E_FAIL. On success extent holds the saved extent.
HRESULT LoadProperties(IStream* stream, IDispatch* object, SIZEL& extent, std::span<const PersistedProperty> properties);

}  // namespace zew::com
