// Registration of the spreadsheet server, machine-wide under HKEY_CLASSES_ROOT.
#include "ServerRegistration.h"

#include "ServerModule.h"

#include <HvSpreadsheet.h>
#include <olectl.h>

#include <string>

namespace hv::sheet::server {

namespace {

constexpr wchar_t kProgId[] = L"Excel.Application";
constexpr wchar_t kDescription[] = L"HvSpreadsheet application";

std::wstring GuidText(REFGUID guid)
{
    wchar_t text[40] = L"";
    StringFromGUID2(guid, text, 40);
    return text;
}

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
        const bool ok = WriteKey(classKey, kDescription) &&
                        WriteKey(classKey + L"\\InprocServer32", path, L"ThreadingModel", L"Apartment") &&
                        WriteKey(classKey + L"\\ProgID", kProgId) &&
                        WriteKey(classKey + L"\\VersionIndependentProgID", kProgId) &&
                        WriteKey(classKey + L"\\TypeLib", GuidText(LIBID_HvSpreadsheetLib)) &&
                        WriteKey(kProgId, kDescription) && WriteKey(std::wstring(kProgId) + L"\\CLSID", clsid);
        if (!ok)
            return SELFREG_E_CLASS;
        ITypeLib* library = nullptr;
        const HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &library);
        if (library)
            library->Release();
        return FAILED(hr) ? SELFREG_E_TYPELIB : S_OK;
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
