// IEnumVARIANT over a snapshot of automation objects, as the _NewEnum of a
// collection hands it out: each item comes as a VT_DISPATCH with its own
// reference.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <vector>

#include "ComPtr.h"
#include "SnapshotEnumerator.h"

namespace zew::com {

struct DispatchVariantTraits {
    using Interface = IEnumVARIANT;
    using Item = VARIANT;
    using Stored = ComPtr<IDispatch>;
    static VARIANT Out(const Stored& object) {
        VARIANT v;
        VariantInit(&v);
        if (object) {
            v.vt = VT_DISPATCH;
            v.pdispVal = ComPtr<IDispatch>(object).Detach();
        } else {
            v.vt = VT_I4;
            v.lVal = 0;
        }
        return v;
    }
};

using DispatchEnumerator = SnapshotEnumerator<DispatchVariantTraits>;

}  // namespace zew::com
