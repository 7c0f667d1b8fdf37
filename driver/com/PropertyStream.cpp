#include "PropertyStream.h"

#include <cstring>
#include <new>

#include "Variant.h"

namespace zew::com {
namespace {

// Size in bytes of the saved value of a variant type; 0 for a type the
// format cannot hold.
size_t ValueSize(VARTYPE type) {
    switch (type) {
    case VT_I1: case VT_UI1:
        return 1;
    case VT_I2: case VT_UI2: case VT_BOOL:
        return 2;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: case VT_ERROR:
        return 4;
    case VT_R8: case VT_CY: case VT_DATE: case VT_I8: case VT_UI8:
        return 8;
    default:
        return 0;
    }
}

// The value bytes of a variant of one of the types above; all of them
// start at the same place of the union.
void* ValueOf(VARIANT& v) { return &v.llVal; }

HRESULT GetProperty(IDispatch* object, DISPID id, VARIANT* value) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value, nullptr, nullptr);
}

HRESULT PutProperty(IDispatch* object, DISPID id, VARIANT& value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

template <class T>
void Append(std::vector<BYTE>& bytes, const T& value) {
    const auto* first = reinterpret_cast<const BYTE*>(&value);
    bytes.insert(bytes.end(), first, first + sizeof value);
}

// Exactly size bytes of the stream, or the reason there are not.
HRESULT ReadExact(IStream* stream, void* buffer, ULONG size) {
    ULONG read = 0;
    const HRESULT hr = stream->Read(buffer, size, &read);
    if (FAILED(hr)) return hr;
    return read == size ? S_OK : E_FAIL;
}

}  // namespace

HRESULT PropertyBytes(IDispatch* object, SIZEL extent, std::span<const PersistedProperty> properties,
                      std::vector<BYTE>& bytes) {
    try {
        bytes.clear();
        Append(bytes, kPropertyStreamVersion);
        Append(bytes, static_cast<uint32_t>(extent.cx));
        Append(bytes, static_cast<uint32_t>(extent.cy));
        for (const PersistedProperty& property : properties) {
            Variant value;
            const HRESULT hr = GetProperty(object, property.id, value.put());
            if (FAILED(hr)) return hr;
            const size_t size = ValueSize(value->vt);
            if (size == 0) return E_FAIL;
            Append(bytes, value->vt);
            const auto* first = static_cast<const BYTE*>(ValueOf(*value.get()));
            bytes.insert(bytes.end(), first, first + size);
        }
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT SaveProperties(IStream* stream, IDispatch* object, SIZEL extent, std::span<const PersistedProperty> properties) {
    if (!stream) return E_POINTER;
    std::vector<BYTE> bytes;
    HRESULT hr = PropertyBytes(object, extent, properties, bytes);
    if (FAILED(hr)) return hr;
    ULONG written = 0;
    hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    if (FAILED(hr)) return hr;
    return written == bytes.size() ? S_OK : STG_E_MEDIUMFULL;
}

HRESULT LoadProperties(IStream* stream, IDispatch* object, SIZEL& extent, std::span<const PersistedProperty> properties) {
    if (!stream) return E_POINTER;
    uint32_t header[3] = {};
    HRESULT hr = ReadExact(stream, header, sizeof header);
    if (FAILED(hr)) return hr;
    if (header[0] > kPropertyStreamVersion) return E_FAIL;

    std::vector<Variant> saved;
    std::vector<Variant> previous;
    try {
        saved = std::vector<Variant>(properties.size());
        previous = std::vector<Variant>(properties.size());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    for (Variant& value : saved) {
        VARTYPE type = VT_EMPTY;
        hr = ReadExact(stream, &type, sizeof type);
        if (FAILED(hr)) return hr;
        const size_t size = ValueSize(type);
        if (size == 0) return E_FAIL;
        VARIANT raw;
        VariantInit(&raw);
        hr = ReadExact(stream, ValueOf(raw), static_cast<ULONG>(size));
        if (FAILED(hr)) return hr;
        raw.vt = type;
        *value.put() = raw;
    }

    for (size_t i = 0; i < properties.size(); ++i) {
        hr = GetProperty(object, properties[i].id, previous[i].put());
        if (FAILED(hr)) return hr;
    }
    for (size_t i = 0; i < properties.size(); ++i) {
        if (SUCCEEDED(PutProperty(object, properties[i].id, *saved[i].get()))) continue;
        // No half-loaded object: what was set goes back.
        for (size_t j = 0; j < i; ++j) PutProperty(object, properties[j].id, *previous[j].get());
        return E_FAIL;
    }
    extent = {static_cast<LONG>(header[1]), static_cast<LONG>(header[2])};
    return S_OK;
}

}  // namespace zew::com
