// The exports of HvRecordset.dll.
#include "ScriptRecordset.h"
#include "ServerRegistration.h"

#include <ClassFactory.h>
#include <HvRecordset.h>
#include <ServerModule.h>

namespace {

HRESULT CreateRecordset(REFIID iid, void** out)
{
    return hv::recordset::server::ScriptRecordset::Create(nullptr, iid, out);
}

} // namespace

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
    return hv::comserver::GetClassObject(clsid, CLSID_Recordset, &CreateRecordset, iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return hv::comserver::CanUnloadNow();
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    return hv::recordset::server::RegisterServer();
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    return hv::recordset::server::UnregisterServer();
}
