// The members every collection of the object model shares: Item (by position,
// or by a VARIANT holding a number or a name), Count and _NewEnum, over a
// CObjectArray of its items.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <new>
#include <string_view>
#include <vector>

#include "../com/Bstr.h"
#include "../com/ComPtr.h"
#include "../com/DispatchEnumerator.h"
#include "../com/Dispatch.h"
#include "../com/ObjectCreation.h"
#include "CObjectArray.h"
#include "IDriverChild.h"
#include "../session/Exchange.h"
#include "ItemName.h"
#include "VariantIndex.h"

namespace zew::objects {

// Item is the implementation class of the items and ItemInterface the
// interface that Item hands out. Looking items up by name needs of Item
// `HRESULT RefreshName()` and `bool NameIs(std::wstring_view) const`. With
// kItemsFollowDriver the items attach and detach with the collection, in
// position order, after it.
template <class Interface, class Item, class ItemInterface, bool kItemsFollowDriver>
class Collection : public com::Dispatch<Interface>, public DriverChild {
public:
    void AttachToDriver(const session::CVisaSession& session, CZew4400* driver) override {
        DriverChild::AttachToDriver(session, driver);
        if constexpr (kItemsFollowDriver) {
            for (int i = 0; i < items_.GetCount(); ++i) items_.GetAt(i)->AttachToDriver(session, driver);
        }
    }
    void DetachFromDriver() override {
        DriverChild::DetachFromDriver();
        if constexpr (kItemsFollowDriver) {
            for (int i = 0; i < items_.GetCount(); ++i) items_.GetAt(i)->DetachFromDriver();
        }
    }
    // Every item, whoever else holds it, lets go of the driver with its collection.
    void ForgetDriver() override {
        DriverChild::ForgetDriver();
        for (int i = 0; i < items_.GetCount(); ++i) items_.GetAt(i)->ForgetDriver();
    }

    STDMETHODIMP get_Count(LONG* pVal) override {
        if (!pVal) return session::Refused(E_POINTER);
        *pVal = items_.GetCount();
        return S_OK;
    }

    // A snapshot: later changes to the collection do not reach the enumerator.
    STDMETHODIMP get__NewEnum(IUnknown** pVal) override {
        if (!pVal) return session::Refused(E_POINTER);
        *pVal = nullptr;
        std::vector<com::ComPtr<IDispatch>> snapshot;
        try {
            snapshot.reserve(static_cast<std::size_t>(items_.GetCount()));
            for (int i = 0; i < items_.GetCount(); ++i) {
                com::ComPtr<IDispatch> item;
                items_.GetAt(i)->QueryInterface(IID_IDispatch, item.put_void());
                snapshot.push_back(std::move(item));
            }
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        com::ComPtr<IEnumVARIANT> enumerator;
        const HRESULT hr = com::DispatchEnumerator::Create(std::move(snapshot), enumerator.put());
        if (FAILED(hr)) return hr;
        *pVal = enumerator.Detach();
        return S_OK;
    }

protected:
    // The item at a 0-based position; E_INVALIDARG outside the collection.
    HRESULT ItemAt(LONG index, ItemInterface** pVal, const std::source_location& where = std::source_location::current()) const {
        if (!pVal) return session::Refused(E_POINTER, where);
        *pVal = nullptr;
        Item* item = index >= 0 && index < items_.GetCount() ? items_.GetAt(static_cast<int>(index)) : nullptr;
        if (!item) return session::Refused(E_INVALIDARG, where);
        return item->QueryInterface(__uuidof(ItemInterface), reinterpret_cast<void**>(pVal));
    }

    // A number is a position, a name the first item whose name, freshly read
    // from the instrument, is the one given (see VariantIndex.h).
    HRESULT ItemOf(const VARIANT& index, ItemInterface** pVal, const std::source_location& where = std::source_location::current()) {
        if (!pVal) return session::Refused(E_POINTER, where);
        *pVal = nullptr;
        const VariantIndex value = ReadVariantIndex(index);
        switch (value.kind) {
            case VariantIndex::Kind::Number: return ItemAt(value.number, pVal, where);
            case VariantIndex::Kind::Name: return ItemNamed(value.name, pVal, where);
            default: return session::Refused(E_INVALIDARG, where);
        }
    }

    // Each item's name is refreshed in turn, up to the first that matches, so
    // a lookup costs one exchange per item passed. A failed refresh ends it.
    HRESULT ItemNamed(std::wstring_view name, ItemInterface** pVal, const std::source_location& where = std::source_location::current()) {
        if (name.size() > kMaxItemName) return session::Refused(E_INVALIDARG, where);
        for (int i = 0; i < items_.GetCount(); ++i) {
            Item* item = items_.GetAt(i);
            const HRESULT hr = item->RefreshName();
            if (FAILED(hr)) return hr;
            if (item->NameIs(name)) return ItemAt(i, pVal, where);
        }
        return session::Refused(E_INVALIDARG, where);
    }

    // Appends count new items, numbered on from the last; false when memory
    // runs out or the collection is full.
    bool AddNewItems(int count) {
        for (int i = 0; i < count; ++i) {
            com::ComPtr<Item> item = com::MakeObject<Item>();
            if (!item) return false;
            item->SetIndex(static_cast<int16_t>(items_.GetCount()));
            if (!items_.Add(std::move(item))) return false;
        }
        return true;
    }

    ~Collection() = default;

    CObjectArray<Item> items_;
};

}  // namespace zew::objects
