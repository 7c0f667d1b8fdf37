#include "ConnectionPointContainer.h"

#include <new>
#include <vector>

#include "ComPtr.h"
#include "SnapshotEnumerator.h"

namespace zew::com {
namespace {

struct PointTraits {
    using Interface = IEnumConnectionPoints;
    using Item = IConnectionPoint*;
    using Stored = ComPtr<IConnectionPoint>;
    static IConnectionPoint* Out(const Stored& point) {
        point->AddRef();
        return point.get();
    }
};

}  // namespace

STDMETHODIMP ConnectionPointContainer::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (!points) return E_POINTER;
    *points = nullptr;
    std::vector<ComPtr<IConnectionPoint>> snapshot;
    try {
        snapshot.reserve(Points().size());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    for (ConnectionPoint& point : Points()) {
        point.AddRef();
        snapshot.push_back(ComPtr<IConnectionPoint>::Attach(&point));
    }
    return SnapshotEnumerator<PointTraits>::Create(std::move(snapshot), points);
}

STDMETHODIMP ConnectionPointContainer::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = Find(riid);
    if (!*point) return CONNECT_E_NOCONNECTION;
    (*point)->AddRef();
    return S_OK;
}

ConnectionPoint* ConnectionPointContainer::Find(REFIID riid) {
    for (ConnectionPoint& point : Points()) {
        if (point.Iid() == riid) return &point;
    }
    return nullptr;
}

void ConnectionPointContainer::DisconnectAll() {
    for (ConnectionPoint& point : Points()) point.DisconnectAll();
}

}  // namespace zew::com
