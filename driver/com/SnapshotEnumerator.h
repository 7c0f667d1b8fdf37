// A standard COM enumerator (Next, Skip, Reset, Clone) over a copy of a list
// taken when it is made, so it stays valid however the list changes later.
// Each item handed out by Next carries its own reference for the caller.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <cstddef>
#include <new>
#include <utility>
#include <vector>

#include "ComPtr.h"
#include "Module.h"

namespace zew::com {

// Traits supplies: using Interface (the IEnumXxx), Item (what Next fills in),
// Stored (what the snapshot keeps) and static Item Out(const Stored&), which
// returns the item with a new reference.
template <class Traits>
class SnapshotEnumerator final : public Traits::Interface {
public:
    using Interface = typename Traits::Interface;
    using Item = typename Traits::Item;
    using Stored = typename Traits::Stored;

    // A new enumerator over items, positioned at the start.
    static HRESULT Create(std::vector<Stored> items, Interface** result) {
        if (!result) return E_POINTER;
        *result = nullptr;
        auto* created = new (std::nothrow) SnapshotEnumerator(std::move(items), 0);
        if (!created) return E_OUTOFMEMORY;
        *result = created;
        return S_OK;
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == __uuidof(Interface)) {
            *ppv = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

    // The caller may leave fetched null only when it asks for one item.
    STDMETHODIMP Next(ULONG count, Item* items, ULONG* fetched) override {
        if (fetched) *fetched = 0;
        if (!items || (!fetched && count != 1)) return E_POINTER;
        ULONG done = 0;
        for (; done < count && position_ < items_.size(); ++done, ++position_) items[done] = Traits::Out(items_[position_]);
        if (fetched) *fetched = done;
        return done == count ? S_OK : S_FALSE;
    }

    STDMETHODIMP Skip(ULONG count) override {
        const std::size_t left = items_.size() - position_;
        if (count > left) {
            position_ = items_.size();
            return S_FALSE;
        }
        position_ += count;
        return S_OK;
    }

    STDMETHODIMP Reset() override {
        position_ = 0;
        return S_OK;
    }

    STDMETHODIMP Clone(Interface** result) override {
        if (!result) return E_POINTER;
        *result = nullptr;
        std::vector<Stored> copy;
        try {
            copy = items_;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        auto* created = new (std::nothrow) SnapshotEnumerator(std::move(copy), position_);
        if (!created) return E_OUTOFMEMORY;
        *result = created;
        return S_OK;
    }

private:
    SnapshotEnumerator(std::vector<Stored> items, std::size_t position)
        : items_(std::move(items)), position_(position) { LockModule(); }
    ~SnapshotEnumerator() { UnlockModule(); }

    std::vector<Stored> items_;
    std::size_t position_;
    std::atomic<ULONG> refs_{1};
};

}  // namespace zew::com
