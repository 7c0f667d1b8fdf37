// The instrument's 100 auto-test programs as a collection, by number or by name.
#pragma once

#include <windows.h>

#include "Zew4400Lib.h"
#include "../com/Aggregatable.h"
#include "../com/SupportErrorInfo.h"
#include "CProgram.h"
#include "CObjectArray.h"
#include "Collection.h"

namespace zew::objects {

class CPrograms final : public com::Aggregatable,
                        public Collection<IPrograms, CProgram, IProgram, true>,
                        public com::SupportErrorInfo<IPrograms> {
public:
    explicit CPrograms(IUnknown* outer) : com::Aggregatable(outer) {}
    // Creates the 100 programs, numbered 0 to 99; false when memory runs out.
    bool Initialize() { return AddNewItems(CObjectArray<CProgram>::kCapacity); }

    ZEW_DELEGATE_IUNKNOWN

    STDMETHODIMP get_Item(VARIANT Index, IProgram** pVal) override { return ItemOf(Index, pVal); }

private:
    IUnknown* FindInterface(REFIID riid) override {
        if (riid == IID_IPrograms || riid == IID_IDispatch) return static_cast<IPrograms*>(this);
        if (riid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo*>(this);
        return nullptr;
    }
};

}  // namespace zew::objects
