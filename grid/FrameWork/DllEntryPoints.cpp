// The four exports of the control library.
#include "ClassFactory.h"
#include "Module.h"
#include "ObjectInfo.h"
#include "Registration.h"

#include <new>

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    int type = FindObjectTypeByClsid(clsid);
    if (type < 0)
        return CLASS_E_CLASSNOTAVAILABLE;
    CClassFactory* factory = new (std::nothrow) CClassFactory(type);
    if (!factory)
        return E_OUTOFMEMORY;
    HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

STDAPI DllCanUnloadNow()
{
    return LibraryObjectCount() == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer()
{
    return RegisterAllObjects();
}

STDAPI DllUnregisterServer()
{
    return UnregisterAllObjects();
}
