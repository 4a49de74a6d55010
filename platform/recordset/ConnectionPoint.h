// ConnectionPoint: one outgoing interface of a rowset or row position, with
// the sinks advised on it. It lives inside its container and shares its
// reference count.
#pragma once

#include "ComRef.h"

#include <ocidl.h>

#include <vector>

namespace hv::recordset {

class ConnectionPoint : public IConnectionPoint {
public:
    // `owner` and `container` are the object this point lives in (not owned).
    ConnectionPoint(IUnknown* owner, IConnectionPointContainer* container, REFIID iid);
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    // The sinks as they are now, each queried for the point's interface;
    // a copy, since sinks may come and go while they are being called.
    std::vector<ComRef<IUnknown>> Sinks() const;
    bool HasSinks() const { return !sinks_.empty(); }
    void DropAll() { sinks_.clear(); }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return owner_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return owner_->Release(); }
    // IConnectionPoint
    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

private:
    struct Sink {
        DWORD cookie;
        ComRef<IUnknown> sink;
    };
    IUnknown* owner_;
    IConnectionPointContainer* container_;
    IID iid_;
    std::vector<Sink> sinks_;
    DWORD nextCookie_ = 1;
};

} // namespace hv::recordset
