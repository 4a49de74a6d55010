// The exports of HvRecordset.dll.
#include "RecordsetFactory.h"
#include "ServerModule.h"
#include "ServerRegistration.h"

#include <HvRecordset.h>

using hv::recordset::server::RecordsetFactory;
using hv::recordset::server::ServerModule;

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
    if (clsid != CLSID_Recordset)
        return CLASS_E_CLASSNOTAVAILABLE;
    RecordsetFactory* factory = new (std::nothrow) RecordsetFactory();
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
    return hv::recordset::server::RegisterServer();
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    return hv::recordset::server::UnregisterServer();
}
