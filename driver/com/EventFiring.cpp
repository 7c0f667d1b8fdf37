#include "EventFiring.h"

#include <ocidl.h>

#include "Variant.h"

namespace zew::com {

HRESULT NotifyPropertyChanged(const ConnectionPoint& point, DISPID id) {
    if (point.Iid() != IID_IPropertyNotifySink) return E_INVALIDARG;
    return point.ForEachSink<IPropertyNotifySink>([id](IPropertyNotifySink* sink) { sink->OnChanged(id); });
}

HRESULT FireDispatchEvent(const ConnectionPoint& point, DISPID id, DISPPARAMS& params) {
    if (point.Iid() == IID_IPropertyNotifySink) return E_INVALIDARG;
    return point.ForEachSink<IDispatch>([id, &params](IDispatch* sink) {
        Variant result;
        sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.put(), nullptr, nullptr);
    });
}

}  // namespace zew::com
