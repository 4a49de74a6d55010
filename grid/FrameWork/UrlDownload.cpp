// Asynchronous URL downloads of a control, and the control's bind host.
#include "UrlDownload.h"

#include "BindStatusCallback.h"
#include "ControlBase.h"
#include "UrlLibrary.h"

#include <new>

namespace {

// Owns one interface reference for the scope.
template <class T>
class Held
{
public:
    Held() = default;
    ~Held()
    {
        if (m_pointer)
            m_pointer->Release();
    }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

    T* Get() const { return m_pointer; }
    T** Out() { return &m_pointer; }
    void** OutVoid() { return reinterpret_cast<void**>(&m_pointer); }

private:
    T* m_pointer = nullptr;
};

HRESULT BindThroughHost(IBindHost* host, CControlBase* control, DWORD tag, LPCWSTR url, bool throughBindHost)
{
    Held<IBindCtx> context;
    HRESULT result = CreateBindCtx(0, context.Out());
    if (FAILED(result))
        return result;
    Held<CBindStatusCallback> callback;
    *callback.Out() = new (std::nothrow) CBindStatusCallback(control, tag);
    if (!callback.Get())
        return E_OUTOFMEMORY;
    result = RegisterBindStatusCallbackDynamic(context.Get(), callback.Get(), nullptr, 0);
    if (FAILED(result))
        return result;
    Held<IMoniker> moniker;
    result = throughBindHost ? host->CreateMoniker(const_cast<LPOLESTR>(url), context.Get(), moniker.Out(), 0)
                             : CreateURLMonikerDynamic(nullptr, url, moniker.Out());
    if (FAILED(result))
        return result;
    Held<IUnknown> object;
    return host->MonikerBindToStorage(moniker.Get(), nullptr, callback.Get(), IID_IStream, object.OutVoid());
}

HRESULT BindDirectly(CControlBase* control, DWORD tag, LPCWSTR url)
{
    Held<IMoniker> moniker;
    HRESULT result = CreateURLMonikerDynamic(nullptr, url, moniker.Out());
    if (FAILED(result))
        return result;
    Held<IBindCtx> context;
    result = CreateBindCtx(0, context.Out());
    if (FAILED(result))
        return result;
    Held<CBindStatusCallback> callback;
    *callback.Out() = new (std::nothrow) CBindStatusCallback(control, tag);
    if (!callback.Get())
        return E_OUTOFMEMORY;
    result = RegisterBindStatusCallbackDynamic(context.Get(), callback.Get(), nullptr, 0);
    if (FAILED(result))
        return result;
    Held<IUnknown> object;
    return moniker.Get()->BindToStorage(context.Get(), nullptr, IID_IStream, object.OutVoid());
}

} // namespace

IBindHost* CControlBase::GetBindHost()
{
    if (m_bindHost || !ClientSite())
        return m_bindHost;
    IServiceProvider* services = nullptr;
    if (SUCCEEDED(ClientSite()->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&services))) &&
        services) {
        if (FAILED(services->QueryService(IID_IBindHost, IID_IBindHost, reinterpret_cast<void**>(&m_bindHost))))
            m_bindHost = nullptr;
        services->Release();
    } else if (FAILED(ClientSite()->QueryInterface(IID_IBindHost, reinterpret_cast<void**>(&m_bindHost)))) {
        m_bindHost = nullptr;
    }
    return m_bindHost;
}

HRESULT StartUrlDownload(CControlBase* control, DWORD tag, LPCWSTR url, bool throughBindHost)
{
    if (!control || !url)
        return E_INVALIDARG;
    try {
        if (IBindHost* host = control->GetBindHost())
            return BindThroughHost(host, control, tag, url, throughBindHost);
        if (throughBindHost)
            return E_NOINTERFACE;
        return BindDirectly(control, tag, url);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
