// The class factory of the scriptable recordset.
#include "RecordsetFactory.h"

#include "ScriptRecordset.h"
#include "ServerModule.h"

namespace hv::recordset::server {

RecordsetFactory::RecordsetFactory()
{
    ServerModule::Lock();
}

RecordsetFactory::~RecordsetFactory()
{
    ServerModule::Unlock();
}

STDMETHODIMP RecordsetFactory::QueryInterface(REFIID iid, void** out)
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

STDMETHODIMP_(ULONG) RecordsetFactory::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

STDMETHODIMP_(ULONG) RecordsetFactory::Release()
{
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP RecordsetFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return ScriptRecordset::Create(nullptr, iid, out);
}

STDMETHODIMP RecordsetFactory::LockServer(BOOL lock)
{
    if (lock)
        ServerModule::Lock();
    else
        ServerModule::Unlock();
    return S_OK;
}

} // namespace hv::recordset::server
