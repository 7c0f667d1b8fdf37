// Calls from a connectable object out to the sinks of one of its connection
// points, in list order. A sink's failure is its own: the others are called
// all the same, and the caller learns nothing of it.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "ConnectionPoint.h"

namespace zew::com {

// IPropertyNotifySink::OnChanged(id) on every sink of point, whose interface
// must be IPropertyNotifySink (E_INVALIDARG otherwise, nothing called).
HRESULT NotifyPropertyChanged(const ConnectionPoint& point, DISPID id);

// Fires event id of a dispatch interface: IDispatch::Invoke(id, IID_NULL,
// LOCALE_USER_DEFAULT, DISPATCH_METHOD, params) on every sink of point, whose
// interface must be a dispinterface (a property-change point is refused with
// E_INVALIDARG). Results are discarded.
HRESULT FireDispatchEvent(const ConnectionPoint& point, DISPID id, DISPPARAMS& params);

}  // namespace zew::com
