// SiteBindHost: the bind host a control site offers when the container
// downloads for its controls: IServiceProvider (the service SID_SBindHost)
// and IBindHost. Monikers are URL monikers, resolved against the site's base
// URL when one is set; binds run asynchronously through the caller's
// callback. It lives inside its site and shares the site's reference count;
// every call is logged.
#pragma once

#include "CallLog.h"

#include <servprov.h>
#include <urlmon.h>

#include <string>

namespace hv::container {

class SiteBindHost final : public IServiceProvider, public IBindHost {
public:
    // outer: the site whose reference count this shares (not referenced);
    // baseUrl: the URL that relative names are resolved against at each
    // call (empty: none), owned by the site.
    SiteBindHost(IUnknown& outer, CallLog& log, const std::wstring& baseUrl)
        : outer_(outer), log_(log), baseUrl_(baseUrl)
    {
    }
    SiteBindHost(const SiteBindHost&) = delete;
    SiteBindHost& operator=(const SiteBindHost&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return outer_.QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return outer_.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return outer_.Release(); }

    // IServiceProvider
    STDMETHODIMP QueryService(REFGUID service, REFIID iid, void** out) override;

    // IBindHost
    STDMETHODIMP CreateMoniker(LPOLESTR name, IBindCtx* context, IMoniker** moniker, DWORD reserved) override;
    STDMETHODIMP MonikerBindToStorage(IMoniker* moniker, IBindCtx* context, IBindStatusCallback* callback,
                                      REFIID iid, void** out) override;
    STDMETHODIMP MonikerBindToObject(IMoniker* moniker, IBindCtx* context, IBindStatusCallback* callback,
                                     REFIID iid, void** out) override;

private:
    HRESULT Bind(IMoniker* moniker, IBindStatusCallback* callback, REFIID iid, void** out, bool storage);

    IUnknown& outer_;
    CallLog& log_;
    const std::wstring& baseUrl_;
};

} // namespace hv::container
