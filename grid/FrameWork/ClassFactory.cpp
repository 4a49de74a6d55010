// CClassFactory and object creation from the object-info table.
#include "ClassFactory.h"

#include "Module.h"
#include "ObjectInfo.h"

CClassFactory::CClassFactory(int objectType) : objectType_(objectType)
{
    LibraryAddRef();
}

CClassFactory::~CClassFactory()
{
    LibraryRelease();
}

STDMETHODIMP CClassFactory::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IClassFactory) || IsEqualIID(iid, IID_IUnknown)) {
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CClassFactory::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&count_));
}

STDMETHODIMP_(ULONG) CClassFactory::Release()
{
    ULONG count = static_cast<ULONG>(InterlockedDecrement(&count_));
    if (count == 0)
        delete this;
    return count;
}

STDMETHODIMP CClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out)
{
    if (!out)
        return E_INVALIDARG;
    return CreateObjectInstance(outer, objectType_, out, iid);
}

STDMETHODIMP CClassFactory::LockServer(BOOL lock)
{
    if (lock)
        LibraryAddRef();
    else
        LibraryRelease();
    return S_OK;
}

HRESULT CreateObjectInstance(IUnknown* outer, int objectType, void** out, REFIID iid)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    CreateObjectFunction create = GetObjectInfo(objectType).create;
    // The type's implementation has not installed its creation function.
    if (!create)
        return E_NOTIMPL;
    IUnknown* object = nullptr;
    try {
        object = create(outer);
    } catch (...) {
        object = nullptr;
    }
    if (!object)
        return E_OUTOFMEMORY;
    if (outer) {
        if (!IsEqualIID(iid, IID_IUnknown)) {
            object->Release();
            return E_INVALIDARG;
        }
        *out = object;
        return S_OK;
    }
    HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
}
