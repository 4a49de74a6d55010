// Registration of the recordset server, machine-wide under HKEY_CLASSES_ROOT.
#include "ServerRegistration.h"

#include "ServerModule.h"

#include "../ComRef.h"

#include <HvRecordset.h>
#include <olectl.h>

#include <string>

namespace hv::recordset::server {

namespace {

constexpr wchar_t kProgId[] = L"HvRecordset.Recordset";
constexpr wchar_t kVersionedProgId[] = L"HvRecordset.Recordset.1";
constexpr wchar_t kDescription[] = L"HvRecordset in-memory recordset";

std::wstring GuidText(REFGUID guid)
{
    wchar_t text[40] = L"";
    StringFromGUID2(guid, text, 40);
    return text;
}

// Writes the default value (and one named value) of a key under HKCR.
bool WriteKey(const std::wstring& path, const std::wstring& value, const wchar_t* name = nullptr,
              const std::wstring& named = std::wstring())
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    auto set = [key](const wchar_t* valueName, const std::wstring& text) {
        return RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    };
    const bool ok = set(nullptr, value) && (!name || set(name, named));
    RegCloseKey(key);
    return ok;
}

} // namespace

HRESULT RegisterServer()
{
    try {
        const std::wstring path = ServerModule::Path();
        if (path.empty())
            return SELFREG_E_CLASS;
        const std::wstring classKey = L"CLSID\\" + GuidText(CLSID_Recordset);
        const bool ok = WriteKey(classKey, kDescription) &&
                        WriteKey(classKey + L"\\InprocServer32", path, L"ThreadingModel", L"Apartment") &&
                        WriteKey(classKey + L"\\ProgID", kVersionedProgId) &&
                        WriteKey(classKey + L"\\VersionIndependentProgID", kProgId) &&
                        WriteKey(classKey + L"\\TypeLib", GuidText(LIBID_HvRecordsetLib)) &&
                        WriteKey(classKey + L"\\Version", L"1.0") &&
                        WriteKey(kProgId, kDescription) &&
                        WriteKey(std::wstring(kProgId) + L"\\CLSID", GuidText(CLSID_Recordset)) &&
                        WriteKey(std::wstring(kProgId) + L"\\CurVer", kVersionedProgId) &&
                        WriteKey(kVersionedProgId, kDescription) &&
                        WriteKey(std::wstring(kVersionedProgId) + L"\\CLSID", GuidText(CLSID_Recordset));
        if (!ok)
            return SELFREG_E_CLASS;
        ComRef<ITypeLib> library;
        HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, library.Put());
        return FAILED(hr) ? SELFREG_E_TYPELIB : S_OK;
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
