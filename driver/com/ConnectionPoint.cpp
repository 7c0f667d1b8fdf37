#include "ConnectionPoint.h"

#include <algorithm>
#include <utility>

#include "SnapshotEnumerator.h"

namespace zew::com {
namespace {

struct ConnectionTraits {
    using Interface = IEnumConnections;
    using Item = CONNECTDATA;
    using Stored = ConnectionPoint::Connection;
    static CONNECTDATA Out(const Stored& connection) {
        connection.sink->AddRef();
        return {connection.sink.get(), connection.cookie};
    }
};

}  // namespace

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
        *ppv = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = iid_;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) return E_POINTER;
    container_->AddRef();
    *container = container_;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    ComPtr<IUnknown> connected;
    if (FAILED(sink->QueryInterface(iid_, connected.put_void())) || !connected) return CONNECT_E_CANNOTCONNECT;

    // Cookies count up and skip 0 and any still in use after a wrap-around.
    while (nextCookie_ == 0 || IsConnected(nextCookie_)) ++nextCookie_;
    try {
        connections_.push_back({nextCookie_, std::move(connected)});
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    *cookie = nextCookie_++;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) {
    const auto found = std::find_if(connections_.begin(), connections_.end(),
                                    [cookie](const Connection& c) { return c.cookie == cookie; });
    if (cookie == 0 || found == connections_.end()) return CONNECT_E_NOCONNECTION;
    // The sink is released after the list is consistent again: its Release
    // may call back into the object.
    ComPtr<IUnknown> released = std::move(found->sink);
    connections_.erase(found);
    return S_OK;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** connections) {
    if (!connections) return E_POINTER;
    *connections = nullptr;
    std::vector<Connection> snapshot;
    try {
        snapshot = connections_;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return SnapshotEnumerator<ConnectionTraits>::Create(std::move(snapshot), connections);
}

bool ConnectionPoint::IsConnected(DWORD cookie) const {
    return std::any_of(connections_.begin(), connections_.end(),
                       [cookie](const Connection& c) { return c.cookie == cookie; });
}

void ConnectionPoint::DisconnectAll() {
    std::vector<Connection> released;
    released.swap(connections_);
}

}  // namespace zew::com
