// The bind host of a control site.
#include "SiteBindHost.h"

#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace hv::container {

namespace {

std::wstring Result(HRESULT hr)
{
    wchar_t text[16] = {};
    wsprintfW(text, L"%08lX", static_cast<unsigned long>(hr));
    return text;
}

} // namespace

STDMETHODIMP SiteBindHost::QueryService(REFGUID service, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!IsEqualGUID(service, SID_SBindHost) && !IsEqualGUID(service, IID_IBindHost)) {
        log_.Add(L"QueryService(" + InterfaceName(service) + L") failed");
        return E_NOINTERFACE;
    }
    const HRESULT hr = QueryInterface(iid, out);
    log_.Add(L"QueryService(SID_SBindHost, " + InterfaceName(iid) + (SUCCEEDED(hr) ? L")" : L") failed"));
    return hr;
}

STDMETHODIMP SiteBindHost::CreateMoniker(LPOLESTR name, IBindCtx*, IMoniker** moniker, DWORD)
{
    if (!name || !moniker)
        return E_INVALIDARG;
    *moniker = nullptr;
    ComPtr<IMoniker> base;
    HRESULT hr = S_OK;
    if (!baseUrl_.empty())
        hr = CreateURLMonikerEx(nullptr, baseUrl_.c_str(), base.GetAddressOf(), URL_MK_UNIFORM);
    if (SUCCEEDED(hr))
        hr = CreateURLMonikerEx(base.Get(), name, moniker, URL_MK_UNIFORM);
    log_.Add(std::wstring(L"CreateMoniker(") + name + L") " + Result(hr));
    return hr;
}

STDMETHODIMP SiteBindHost::MonikerBindToStorage(IMoniker* moniker, IBindCtx*, IBindStatusCallback* callback,
                                                REFIID iid, void** out)
{
    return Bind(moniker, callback, iid, out, true);
}

STDMETHODIMP SiteBindHost::MonikerBindToObject(IMoniker* moniker, IBindCtx*, IBindStatusCallback* callback,
                                               REFIID iid, void** out)
{
    return Bind(moniker, callback, iid, out, false);
}

// The caller's bind context, when it gives one, is left alone: the bind
// gets a context of its own carrying the caller's callback.
HRESULT SiteBindHost::Bind(IMoniker* moniker, IBindStatusCallback* callback, REFIID iid, void** out, bool storage)
{
    if (!moniker || !out)
        return E_INVALIDARG;
    *out = nullptr;
    ComPtr<IBindCtx> context;
    HRESULT hr = CreateAsyncBindCtx(0, callback, nullptr, context.GetAddressOf());
    if (SUCCEEDED(hr))
        hr = storage ? moniker->BindToStorage(context.Get(), nullptr, iid, out)
                     : moniker->BindToObject(context.Get(), nullptr, iid, out);
    log_.Add(std::wstring(storage ? L"MonikerBindToStorage " : L"MonikerBindToObject ") + Result(hr));
    return hr;
}

} // namespace hv::container
