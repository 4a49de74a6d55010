// Sink lists, advise and broadcast of a connection point.
#include "ConnectionPoint.h"

#include "AutomationObjectWithEvents.h"
#include "EnumObject.h"

#include <algorithm>
#include <cstdint>
#include <new>

namespace {

constexpr std::size_t SinkListStep = 8;

DWORD CookieOf(IUnknown* sink)
{
    return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(sink));
}

} // namespace

CConnectionPoint::CConnectionPoint(CAutomationObjectWithEvents& owner, Kind kind) noexcept
    : m_owner(owner), m_kind(kind)
{
}

CConnectionPoint::~CConnectionPoint()
{
    std::vector<IUnknown*> sinks;
    sinks.swap(m_sinks);
    m_count = 0;
    for (IUnknown* sink : sinks) {
        if (sink)
            sink->Release();
    }
}

STDMETHODIMP CConnectionPoint::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IConnectionPoint) || IsEqualIID(iid, IID_IUnknown)) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CConnectionPoint::AddRef()
{
    return m_owner.CUnknownObject::AddRef();
}

STDMETHODIMP_(ULONG) CConnectionPoint::Release()
{
    return m_owner.CUnknownObject::Release();
}

STDMETHODIMP CConnectionPoint::GetConnectionInterface(IID* iid)
{
    if (!iid)
        return E_POINTER;
    if (m_kind == PropertyNotifySinks) {
        *iid = IID_IPropertyNotifySink;
    } else {
        const IID* eventIid = m_owner.EventIid();
        *iid = eventIid ? *eventIid : IID_IDispatch;
    }
    return S_OK;
}

STDMETHODIMP CConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out)
{
    if (!out)
        return E_POINTER;
    return m_owner.QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(out));
}

STDMETHODIMP CConnectionPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!cookie)
        return E_POINTER;
    *cookie = 0;
    if (!sink)
        return E_POINTER;

    IUnknown* queried = nullptr;
    HRESULT hr = E_NOINTERFACE;
    if (m_kind == EventSinks) {
        const IID* eventIid = m_owner.EventIid();
        if (eventIid)
            hr = sink->QueryInterface(*eventIid, reinterpret_cast<void**>(&queried));
        if (FAILED(hr) || !queried)
            hr = sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&queried));
        if (FAILED(hr))
            queried = nullptr;
        // An event interface is a dispinterface: its pointer is an IDispatch.
        m_owner.OnAdvise(static_cast<IDispatch*>(queried));
    } else {
        hr = sink->QueryInterface(IID_IPropertyNotifySink, reinterpret_cast<void**>(&queried));
    }
    if (FAILED(hr))
        return hr;
    if (!queried)
        return E_NOINTERFACE;

    try {
        if (m_sinks.size() == m_sinks.capacity())
            m_sinks.reserve(m_sinks.size() + SinkListStep);
        m_sinks.push_back(queried);
    } catch (const std::bad_alloc&) {
        queried->Release();
        return E_OUTOFMEMORY;
    }
    ++m_count;
    *cookie = CookieOf(queried);
    return S_OK;
}

STDMETHODIMP CConnectionPoint::Unadvise(DWORD cookie)
{
    if (cookie == 0)
        return S_OK;
    const auto found = std::find_if(m_sinks.begin(), m_sinks.end(),
                                    [cookie](IUnknown* sink) { return sink && CookieOf(sink) == cookie; });
    if (found == m_sinks.end())
        return CONNECT_E_NOCONNECTION;
    IUnknown* sink = *found;
    if (m_broadcasts > 0)
        *found = nullptr;
    else
        m_sinks.erase(found);
    --m_count;
    if (m_count == 0 && m_broadcasts == 0)
        std::vector<IUnknown*>().swap(m_sinks);
    sink->Release();
    return S_OK;
}

STDMETHODIMP CConnectionPoint::EnumConnections(IEnumConnections** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    EnumElementArray connections(static_cast<ULONG>(m_count), sizeof(CONNECTDATA), ClearConnectDataElement);
    if (m_count > 0 && !connections.Data())
        return E_OUTOFMEMORY;
    ULONG i = 0;
    for (IUnknown* sink : m_sinks) {
        if (!sink)
            continue;
        sink->AddRef();
        *static_cast<CONNECTDATA*>(connections.At(i++)) = CONNECTDATA{sink, CookieOf(sink)};
    }
    return CEnumObject::Create(IID_IEnumConnections, std::move(connections), CopyConnectDataElement,
                               m_owner.ControllingUnknown(), reinterpret_cast<void**>(out));
}

template <class Call>
void CConnectionPoint::Broadcast(Call call) noexcept
{
    if (m_count == 0)
        return;
    // A handler may release the object's last outside reference.
    IUnknown* object = m_owner.ControllingUnknown();
    object->AddRef();
    ++m_broadcasts;
    // Sinks advised during the broadcast land after the snapshot's end.
    const std::size_t snapshot = m_sinks.size();
    for (std::size_t i = 0; i < snapshot; ++i) {
        IUnknown* sink = m_sinks[i];
        if (!sink)
            continue;
        sink->AddRef();
        call(sink);
        sink->Release();
    }
    if (--m_broadcasts == 0)
        Compact();
    object->Release();
}

void CConnectionPoint::Compact() noexcept
{
    m_sinks.erase(std::remove(m_sinks.begin(), m_sinks.end(), nullptr), m_sinks.end());
    if (m_count == 0)
        std::vector<IUnknown*>().swap(m_sinks);
}

void CConnectionPoint::InvokeAllSinks(DISPID dispid, DISPPARAMS* params) noexcept
{
    Broadcast([dispid, params](IUnknown* sink) {
        static_cast<IDispatch*>(sink)->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, params,
                                              nullptr, nullptr, nullptr);
    });
}

void CConnectionPoint::FirePropertyChanged(DISPID dispid) noexcept
{
    Broadcast([dispid](IUnknown* sink) { static_cast<IPropertyNotifySink*>(sink)->OnChanged(dispid); });
}
