// Making objects of classes derived from Aggregatable: for a class object
// (aggregated or not, asked for an interface) and for the library's own use
// (not aggregated, held through the class itself).
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <new>

#include "ComPtr.h"

namespace zew::com {

// T is built from the outer unknown. A T with `bool Initialize()` does there
// the part of its construction that can fail; false counts as out of memory.
template <class T>
ComPtr<T> MakeObject() {
    auto object = ComPtr<T>::Attach(new (std::nothrow) T(nullptr));
    if constexpr (requires(T& t) { t.Initialize(); }) {
        if (object && !object->Initialize()) object.reset();
    }
    return object;
}

template <class T>
HRESULT CreateObject(IUnknown* outer, REFIID riid, void** ppv) {
    auto* object = new (std::nothrow) T(outer);
    if (!object) return E_OUTOFMEMORY;
    HRESULT hr = E_OUTOFMEMORY;
    bool ready = true;
    if constexpr (requires(T& t) { t.Initialize(); }) ready = object->Initialize();
    if (ready) hr = object->InnerUnknown()->QueryInterface(riid, ppv);
    object->InnerUnknown()->Release();
    return hr;
}

}  // namespace zew::com
