// IConnectionPointContainer of a connectable object over a fixed set of
// connection points, one per outgoing interface, that lives inside the object.
// It delegates IUnknown to the object's outer unknown, so the object's
// FindInterface answers IID_IConnectionPointContainer with it:
//
//     com::ConnectionPoints<2> points_{OuterUnknown(), {&DIID_Events, &IID_IPropertyNotifySink}};
//     ...
//     if (riid == IID_IConnectionPointContainer) return &points_;
//
// Adding an outgoing interface is adding its IID to that list.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <array>
#include <cstddef>
#include <span>
#include <utility>

#include "ConnectionPoint.h"

namespace zew::com {

class ConnectionPointContainer : public IConnectionPointContainer {
public:
    ConnectionPointContainer(const ConnectionPointContainer&) = delete;
    ConnectionPointContainer& operator=(const ConnectionPointContainer&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return outer_->QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return outer_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return outer_->Release(); }

    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

    // The point of an outgoing interface, or nullptr.
    ConnectionPoint* Find(REFIID riid);
    // Disconnects the sinks of every point.
    void DisconnectAll();

protected:
    // outer is the object's outer unknown; it is not owned.
    explicit ConnectionPointContainer(IUnknown* outer) : outer_(outer) {}
    ~ConnectionPointContainer() = default;

    virtual std::span<ConnectionPoint> Points() = 0;

private:
    IUnknown* outer_;
};

// The container with its N points, in the order of their IIDs.
template <std::size_t N>
class ConnectionPoints final : public ConnectionPointContainer {
public:
    ConnectionPoints(IUnknown* outer, const std::array<const IID*, N>& iids)
        : ConnectionPointContainer(outer), storage_(Make(iids, std::make_index_sequence<N>{})) {}

    // The point of the I-th IID of the list.
    template <std::size_t I>
    ConnectionPoint& Point() { return std::get<I>(storage_); }

private:
    std::span<ConnectionPoint> Points() override { return storage_; }

    template <std::size_t... I>
    std::array<ConnectionPoint, N> Make(const std::array<const IID*, N>& iids, std::index_sequence<I...>) {
        return {ConnectionPoint(this, *iids[I])...};
    }

    std::array<ConnectionPoint, N> storage_;
};

}  // namespace zew::com
