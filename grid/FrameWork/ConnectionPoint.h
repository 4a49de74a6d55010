// CConnectionPoint: one connection point of an object that fires events,
// with its list of connected sinks: event sinks (IDispatch or the object's
// event interface) or property-notification sinks.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstddef>
#include <vector>

class CAutomationObjectWithEvents;

class CConnectionPoint final : public IConnectionPoint
{
public:
    enum Kind : BYTE { EventSinks = 0, PropertyNotifySinks = 1 };

    CConnectionPoint(CAutomationObjectWithEvents& owner, Kind kind) noexcept;
    // Releases every sink still connected.
    ~CConnectionPoint();
    CConnectionPoint(const CConnectionPoint&) = delete;
    CConnectionPoint& operator=(const CConnectionPoint&) = delete;

    // The point lives as long as its object: AddRef and Release go to it.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
    // The cookie of a connection is the sink's pointer as stored.
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** out) override;

    // Calls IDispatch::Invoke (as a method, no result) on every event sink in
    // connection order. Sinks' failures are ignored. The broadcast walks the
    // sinks connected when it starts, skipping those disconnected meanwhile,
    // and keeps the object and each sink referenced while calling it, so a
    // handler may unadvise any sink or release the object.
    void InvokeAllSinks(DISPID dispid, DISPPARAMS* params) noexcept;
    // IPropertyNotifySink::OnChanged on every property sink, the same way.
    void FirePropertyChanged(DISPID dispid) noexcept;

    int Count() const noexcept { return m_count; }
    // Room of the sink list; grows by 8 entries at a time.
    std::size_t Capacity() const noexcept { return m_sinks.capacity(); }

private:
    template <class Call>
    void Broadcast(Call call) noexcept;
    void Compact() noexcept;

    CAutomationObjectWithEvents& m_owner;
    Kind m_kind;
    // Each entry holds one reference. During a broadcast an unadvised entry
    // is set to null instead of being removed, so positions stay put.
    std::vector<IUnknown*> m_sinks;
    int m_count = 0;
    int m_broadcasts = 0;
};
