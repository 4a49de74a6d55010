// The class factory and the exports' bodies.
#include "ClassFactory.h"

#include "ServerModule.h"

#include <new>

namespace hv::comserver {

ClassFactory::ClassFactory(CreateFunction create) : create_(create)
{
    ServerModule::Lock();
}

ClassFactory::~ClassFactory()
{
    ServerModule::Unlock();
}

STDMETHODIMP ClassFactory::QueryInterface(REFIID iid, void** out)
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

STDMETHODIMP_(ULONG) ClassFactory::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

STDMETHODIMP_(ULONG) ClassFactory::Release()
{
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return create_(iid, out);
}

STDMETHODIMP ClassFactory::LockServer(BOOL lock)
{
    if (lock)
        ServerModule::Lock();
    else
        ServerModule::Unlock();
    return S_OK;
}

HRESULT GetClassObject(REFCLSID asked, REFCLSID served, CreateFunction create, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (asked != served)
        return CLASS_E_CLASSNOTAVAILABLE;
    ClassFactory* factory = new (std::nothrow) ClassFactory(create);
    if (!factory)
        return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

HRESULT CanUnloadNow()
{
    return ServerModule::CanUnload() ? S_OK : S_FALSE;
}

} // namespace hv::comserver
