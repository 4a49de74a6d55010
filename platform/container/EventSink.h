// EventSink: the container's sink for a control's events. It takes every
// event through IDispatch::Invoke and hands it to the C++ handler set for
// its DISPID (or to the handler for any event), and keeps the DISPIDs it
// received in order.
#pragma once

#include "EventCall.h"

#include <functional>
#include <map>
#include <vector>

namespace hv::container {

class EventSink final : public IDispatch {
public:
    using Handler = std::function<void(const EventCall&)>;

    // eventIid: the control's event interface, answered besides IDispatch.
    static EventSink* Create(const IID& eventIid);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* dispids) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

    void On(DISPID dispid, Handler handler);
    void OnAny(Handler handler) { any_ = std::move(handler); }
    void Clear() { handlers_.clear(); any_ = nullptr; received_.clear(); }

    const std::vector<DISPID>& Received() const { return received_; }
    int ReceivedCount(DISPID dispid) const;
    void ClearReceived() { received_.clear(); }
    const IID& EventIid() const { return eventIid_; }
    void SetEventIid(const IID& iid) { eventIid_ = iid; }

private:
    explicit EventSink(const IID& eventIid) : eventIid_(eventIid) {}
    ~EventSink() = default;

    ULONG refs_ = 1;
    IID eventIid_;
    std::map<DISPID, Handler> handlers_;
    Handler any_;
    std::vector<DISPID> received_;
};

} // namespace hv::container
