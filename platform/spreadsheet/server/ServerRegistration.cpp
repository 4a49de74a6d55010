// Registration of the spreadsheet server, machine-wide under HKEY_CLASSES_ROOT.
#include "ServerRegistration.h"

#include <HvSpreadsheet.h>
#include <RegistryKeys.h>
#include <ServerModule.h>
#include <olectl.h>

#include <string>

namespace hv::sheet::server {

using comserver::GuidText;
using comserver::ServerModule;

namespace {

constexpr wchar_t kProgId[] = L"Excel.Application";
constexpr wchar_t kDescription[] = L"HvSpreadsheet application";

// The class the ProgID names now, empty when it names none.
std::wstring ProgIdClass()
{
    wchar_t text[64] = L"";
    LONG size = sizeof text;
    const std::wstring key = std::wstring(kProgId) + L"\\CLSID";
    if (RegQueryValueW(HKEY_CLASSES_ROOT, key.c_str(), text, &size) != ERROR_SUCCESS)
        return std::wstring();
    return text;
}

bool SameGuidText(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

} // namespace

HRESULT RegisterServer()
{
    try {
        const std::wstring path = ServerModule::Path();
        const std::wstring clsid = GuidText(CLSID_Application);
        const std::wstring current = ProgIdClass();
        if (path.empty() || (!current.empty() && !SameGuidText(current, clsid)))
            return SELFREG_E_CLASS;
        const std::wstring classKey = L"CLSID\\" + clsid;
        const bool ok = comserver::WriteClassesKey(classKey, kDescription) &&
                        comserver::WriteClassesKey(classKey + L"\\InprocServer32", path, L"ThreadingModel", L"Apartment") &&
                        comserver::WriteClassesKey(classKey + L"\\ProgID", kProgId) &&
                        comserver::WriteClassesKey(classKey + L"\\VersionIndependentProgID", kProgId) &&
                        comserver::WriteClassesKey(classKey + L"\\TypeLib", GuidText(LIBID_HvSpreadsheetLib)) &&
                        comserver::WriteClassesKey(kProgId, kDescription) && comserver::WriteClassesKey(std::wstring(kProgId) + L"\\CLSID", clsid);
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
        const std::wstring clsid = GuidText(CLSID_Application);
        if (SameGuidText(ProgIdClass(), clsid))
            RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
        RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + clsid).c_str());
        UnRegisterTypeLib(LIBID_HvSpreadsheetLib, 1, 0, LOCALE_NEUTRAL, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace hv::sheet::server
