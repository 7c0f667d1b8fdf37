// One outgoing interface of a connectable object: the list of the sinks that
// clients connected to it, in the order they connected, each under a cookie
// that stays the same until it is disconnected.
//
// The point lives inside its object and shares the object's lifetime: its
// AddRef and Release are those of the object's container interface, so a
// client holding the point keeps the object alive, and the point holds no
// reference to its object (no cycle). Its QueryInterface answers only for the
// point itself. Like its object, it is used from the object's apartment only.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstddef>
#include <new>
#include <vector>

#include "ComPtr.h"

namespace zew::com {

class ConnectionPoint final : public IConnectionPoint {
public:
    // One connected sink: the sink's interface of the point's IID, counted.
    struct Connection {
        DWORD cookie;
        ComPtr<IUnknown> sink;
    };

    // container is the object's container interface; it is not owned.
    ConnectionPoint(IConnectionPointContainer* container, REFIID iid) : container_(container), iid_(iid) {}
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return container_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return container_->Release(); }

    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

    REFIID Iid() const { return iid_; }
    std::size_t Count() const { return connections_.size(); }
    bool IsConnected(DWORD cookie) const;
    // Disconnects every sink, for an object that closes down.
    void DisconnectAll();

    // Calls call(Interface*) for every connected sink in list order. The walk
    // runs over counted references taken before it starts: a sink may connect
    // or disconnect sinks (itself included) from within the call; a sink that
    // is disconnected before its turn is not called, a new one waits for the
    // next walk. Interface is the point's interface or one it derives from.
    template <class Interface, class Call>
    HRESULT ForEachSink(Call&& call) const {
        std::vector<Connection> snapshot;
        try {
            snapshot = connections_;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        for (const Connection& connection : snapshot) {
            if (IsConnected(connection.cookie)) call(static_cast<Interface*>(connection.sink.get()));
        }
        return S_OK;
    }

private:
    IConnectionPointContainer* container_;
    IID iid_;
    std::vector<Connection> connections_;
    DWORD nextCookie_ = 1;
};

}  // namespace zew::com
