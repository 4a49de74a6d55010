// The container's event sink.
#include "EventSink.h"

#include <algorithm>
#include <new>

namespace hv::container {

EventSink* EventSink::Create(const IID& eventIid)
{
    return new (std::nothrow) EventSink(eventIid);
}

STDMETHODIMP EventSink::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        (!IsEqualIID(eventIid_, IID_NULL) && IsEqualIID(iid, eventIid_))) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) EventSink::AddRef()
{
    return ++refs_;
}

STDMETHODIMP_(ULONG) EventSink::Release()
{
    const ULONG count = --refs_;
    if (count == 0)
        delete this;
    return count;
}

STDMETHODIMP EventSink::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP EventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP EventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP EventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO*, UINT*)
{
    if (result)
        VariantInit(result);
    try {
        received_.push_back(dispid);
        // A handler may release the sink's last outside reference.
        AddRef();
        struct Hold {
            EventSink* sink;
            ~Hold() { sink->Release(); }
        } hold{this};
        const EventCall call(dispid, params);
        auto it = handlers_.find(dispid);
        if (it != handlers_.end() && it->second)
            it->second(call);
        else if (any_)
            any_(call);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

void EventSink::On(DISPID dispid, Handler handler)
{
    handlers_[dispid] = std::move(handler);
}

int EventSink::ReceivedCount(DISPID dispid) const
{
    return static_cast<int>(std::count(received_.begin(), received_.end(), dispid));
}

} // namespace hv::container
