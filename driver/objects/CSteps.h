// The steps of one program, by position. Only the program adds and removes
// steps; the collection does no I/O and never attaches.
#pragma once

#include <windows.h>

#include "Zew4400Lib.h"
#include "../com/Aggregatable.h"
#include "../com/ObjectCreation.h"
#include "../com/SupportErrorInfo.h"
#include "CStep.h"
#include "Collection.h"

namespace zew::objects {

class CSteps final : public com::Aggregatable,
                     public Collection<ISteps, CStep, IStep, false>,
                     public com::SupportErrorInfo<ISteps> {
public:
    explicit CSteps(IUnknown* outer) : com::Aggregatable(outer) {}

    ZEW_DELEGATE_IUNKNOWN

    STDMETHODIMP get_Item(LONG Index, IStep** pVal) override { return ItemAt(Index, pVal); }

    // A new step numbered after the last one, following the given driver;
    // not yet in the collection. Null when memory runs out.
    com::ComPtr<CStep> MakeStep(const session::CVisaSession& session, CZew4400* driver) const {
        com::ComPtr<CStep> step = com::MakeObject<CStep>();
        if (step) {
            step->SetIndex(static_cast<int16_t>(items_.GetCount()));
            step->AttachToDriver(session, driver);
        }
        return step;
    }
    // False, and nothing added, for a null step or past 100 steps.
    [[nodiscard]] bool Add(com::ComPtr<CStep> step) { return items_.Add(std::move(step)); }
    // Steps that clients still hold stay valid, but belong to no program.
    void RemoveAll() { items_.RemoveAll(); }
    int Size() const { return items_.GetCount(); }
    const CStep* At(int position) const { return items_.GetAt(position); }

private:
    IUnknown* FindInterface(REFIID riid) override {
        if (riid == IID_ISteps || riid == IID_IDispatch) return static_cast<ISteps*>(this);
        if (riid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo*>(this);
        return nullptr;
    }
};

}  // namespace zew::objects
