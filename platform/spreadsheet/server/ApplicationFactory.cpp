// The class factory of the application object.
#include "ApplicationFactory.h"

#include "ServerModule.h"
#include "SheetApplication.h"

namespace hv::sheet::server {

ApplicationFactory::ApplicationFactory()
{
    ServerModule::Lock();
}

ApplicationFactory::~ApplicationFactory()
{
    ServerModule::Unlock();
}

STDMETHODIMP ApplicationFactory::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory)
        return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ApplicationFactory::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

STDMETHODIMP_(ULONG) ApplicationFactory::Release()
{
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP ApplicationFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return SheetApplication::Create(iid, out);
}

STDMETHODIMP ApplicationFactory::LockServer(BOOL lock)
{
    if (lock)
        ServerModule::Lock();
    else
        ServerModule::Unlock();
    return S_OK;
}

} // namespace hv::sheet::server
