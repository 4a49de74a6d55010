// The exports of HvSpreadsheet.dll.
#include "ApplicationFactory.h"
#include "ServerModule.h"
#include "ServerRegistration.h"

#include <HvSpreadsheet.h>

#include <new>

using hv::sheet::server::ApplicationFactory;
using hv::sheet::server::ServerModule;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        ServerModule::SetInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (clsid != CLSID_Application)
        return CLASS_E_CLASSNOTAVAILABLE;
    ApplicationFactory* factory = new (std::nothrow) ApplicationFactory();
    if (!factory)
        return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return ServerModule::CanUnload() ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    return hv::sheet::server::RegisterServer();
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    return hv::sheet::server::UnregisterServer();
}
