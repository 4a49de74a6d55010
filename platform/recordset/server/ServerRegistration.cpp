// Registration of the recordset server, machine-wide under HKEY_CLASSES_ROOT.
#include "ServerRegistration.h"

#include <HvRecordset.h>
#include <RegistryKeys.h>
#include <ServerModule.h>
#include <olectl.h>

#include <string>

namespace hv::recordset::server {

using comserver::GuidText;
using comserver::ServerModule;

namespace {

constexpr wchar_t kProgId[] = L"HvRecordset.Recordset";
constexpr wchar_t kVersionedProgId[] = L"HvRecordset.Recordset.1";
constexpr wchar_t kDescription[] = L"HvRecordset in-memory recordset";

} // namespace

HRESULT RegisterServer()
{
    try {
        const std::wstring path = ServerModule::Path();
        if (path.empty())
            return SELFREG_E_CLASS;
        const std::wstring classKey = L"CLSID\\" + GuidText(CLSID_Recordset);
        const bool ok = comserver::WriteClassesKey(classKey, kDescription) &&
                        comserver::WriteClassesKey(classKey + L"\\InprocServer32", path, L"ThreadingModel", L"Apartment") &&
                        comserver::WriteClassesKey(classKey + L"\\ProgID", kVersionedProgId) &&
                        comserver::WriteClassesKey(classKey + L"\\VersionIndependentProgID", kProgId) &&
                        comserver::WriteClassesKey(classKey + L"\\TypeLib", GuidText(LIBID_HvRecordsetLib)) &&
                        comserver::WriteClassesKey(classKey + L"\\Version", L"1.0") &&
                        comserver::WriteClassesKey(kProgId, kDescription) &&
                        comserver::WriteClassesKey(std::wstring(kProgId) + L"\\CLSID", GuidText(CLSID_Recordset)) &&
                        comserver::WriteClassesKey(std::wstring(kProgId) + L"\\CurVer", kVersionedProgId) &&
                        comserver::WriteClassesKey(kVersionedProgId, kDescription) &&
                        comserver::WriteClassesKey(std::wstring(kVersionedProgId) + L"\\CLSID", GuidText(CLSID_Recordset));
        if (!ok)
            return SELFREG_E_CLASS;
        return FAILED(comserver::RegisterEmbeddedTypeLibrary(path)) ? SELFREG_E_TYPELIB : S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT UnregisterServer()
{
    try {
        const std::wstring classKey = L"CLSID\\" + GuidText(CLSID_Recordset);
        for (const std::wstring& key : {classKey, std::wstring(kProgId), std::wstring(kVersionedProgId)})
            RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
        UnRegisterTypeLib(LIBID_HvRecordsetLib, 1, 0, LOCALE_NEUTRAL, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace hv::recordset::server
