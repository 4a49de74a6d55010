// The exports of HvSpreadsheet.dll.
#include "ServerRegistration.h"
#include "SheetApplication.h"

#include <ClassFactory.h>
#include <HvSpreadsheet.h>
#include <ServerModule.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        hv::comserver::ServerModule::SetInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    return hv::comserver::GetClassObject(clsid, CLSID_Application, &hv::sheet::server::SheetApplication::Create, iid,
                                         out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return hv::comserver::CanUnloadNow();
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    return hv::sheet::server::RegisterServer();
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    return hv::sheet::server::UnregisterServer();
}
