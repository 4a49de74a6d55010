// Registry entries of a server.
#include "RegistryKeys.h"

#include <oleauto.h>

namespace hv::comserver {

std::wstring GuidText(REFGUID guid)
{
    wchar_t text[40] = L"";
    StringFromGUID2(guid, text, 40);
    return text;
}

bool WriteClassesKey(const std::wstring& path, const std::wstring& value, const wchar_t* name,
                     const std::wstring& named)
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

HRESULT RegisterEmbeddedTypeLibrary(const std::wstring& path)
{
    ITypeLib* library = nullptr;
    const HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &library);
    if (library)
        library->Release();
    return hr;
}

} // namespace hv::comserver
