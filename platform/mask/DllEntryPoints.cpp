// The exports of HvMask.dll: the input-mask component, registered by class
// identifier (no ProgID: the grid creates it by its identifier only).
#include "MaskComponent.h"

#include <ClassFactory.h>
#include <RegistryKeys.h>
#include <ServerModule.h>

#include <olectl.h>

#include <new>
#include <string>

namespace {

constexpr wchar_t kDescription[] = L"HvMask input-mask component";

std::wstring ClassKey() { return L"CLSID\\" + hv::comserver::GuidText(CLSID_HvMaskEngine); }

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
    return hv::comserver::GetClassObject(clsid, CLSID_HvMaskEngine, &hv::mask::MaskComponent::Create, iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return hv::comserver::CanUnloadNow();
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    try {
        const std::wstring path = hv::comserver::ServerModule::Path();
        const std::wstring key = ClassKey();
        const bool ok = !path.empty() && hv::comserver::WriteClassesKey(key, kDescription) &&
                        hv::comserver::WriteClassesKey(key + L"\\InprocServer32", path, L"ThreadingModel",
                                                       L"Apartment");
        return ok ? S_OK : SELFREG_E_CLASS;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    try {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, ClassKey().c_str());
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
