// The instrument's 100 memories as a collection, by number or by name.
#pragma once

#include <windows.h>

#include "Zew4400Lib.h"
#include "../com/Aggregatable.h"
#include "../com/SupportErrorInfo.h"
#include "CMemory.h"
#include "CObjectArray.h"
#include "Collection.h"

namespace zew::objects {

class CMemories final : public com::Aggregatable,
                        public Collection<IMemories, CMemory, IMemory, true>,
                        public com::SupportErrorInfo<IMemories> {
public:
    explicit CMemories(IUnknown* outer) : com::Aggregatable(outer) {}
    // Creates the 100 memorys, numbered 0 to 99; false when memory runs out.
    bool Initialize() { return AddNewItems(CObjectArray<CMemory>::kCapacity); }

    ZEW_DELEGATE_IUNKNOWN

    STDMETHODIMP get_Item(VARIANT Index, IMemory** pVal) override { return ItemOf(Index, pVal); }

private:
    IUnknown* FindInterface(REFIID riid) override {
        if (riid == IID_IMemories || riid == IID_IDispatch) return static_cast<IMemories*>(this);
        if (riid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo*>(this);
        return nullptr;
    }
};

}  // namespace zew::objects
