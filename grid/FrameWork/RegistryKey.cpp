// RegistryKey and ParseRootKeyName.
#include "RegistryKey.h"

#include <cwchar>

LSTATUS RegistryKey::Create(HKEY parent, const wchar_t* subKey, REGSAM access, DWORD* disposition)
{
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(parent, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                     nullptr, &key, disposition);
    if (status != ERROR_SUCCESS)
        return status;
    Close();
    key_ = key;
    return status;
}

LSTATUS RegistryKey::Open(HKEY parent, const wchar_t* subKey, REGSAM access)
{
    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExW(parent, subKey, 0, access, &key);
    if (status != ERROR_SUCCESS)
        return status;
    Close();
    key_ = key;
    return status;
}

LSTATUS RegistryKey::Close()
{
    if (!key_)
        return ERROR_SUCCESS;
    LSTATUS status = RegCloseKey(key_);
    key_ = nullptr;
    return status;
}

LSTATUS RegistryKey::SetString(const wchar_t* valueName, const wchar_t* text)
{
    if (!key_)
        return ERROR_INVALID_HANDLE;
    if (!text)
        text = L"";
    DWORD bytes = static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key_, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes);
}

LSTATUS RegistryKey::SetValueFromHGlobal(HGLOBAL memory, const wchar_t* valueName)
{
    if (!key_)
        return ERROR_INVALID_HANDLE;
    if (!memory)
        return ERROR_INVALID_PARAMETER;
    SIZE_T size = GlobalSize(memory);
    const void* bytes = GlobalLock(memory);
    if (!bytes && size != 0)
        return ERROR_NOT_ENOUGH_MEMORY;
    LSTATUS status = RegSetValueExW(key_, valueName, 0, REG_BINARY, static_cast<const BYTE*>(bytes),
                                    static_cast<DWORD>(size));
    GlobalUnlock(memory);
    return status;
}

LSTATUS RegistryKey::QueryValueToHGlobal(HGLOBAL& memory, const wchar_t* valueName)
{
    if (memory) {
        GlobalFree(memory);
        memory = nullptr;
    }
    if (!key_)
        return ERROR_INVALID_HANDLE;
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key_, valueName, nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS)
        return status;
    if (type != REG_BINARY)
        return ERROR_INVALID_DATA;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size ? size : 1);
    if (!block)
        return ERROR_NOT_ENOUGH_MEMORY;
    void* bytes = GlobalLock(block);
    status = RegQueryValueExW(key_, valueName, nullptr, &type, static_cast<BYTE*>(bytes), &size);
    GlobalUnlock(block);
    if (status != ERROR_SUCCESS) {
        GlobalFree(block);
        return status;
    }
    memory = block;
    return status;
}

bool ParseRootKeyName(const wchar_t* path, HKEY& root, const wchar_t*& subKey)
{
    static const struct {
        const wchar_t* name;
        HKEY key;
    } kRoots[] = {
        {L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},   {L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}, {L"HKEY_USERS", HKEY_USERS},
        {L"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG}, {L"HKEY_DYN_DATA", HKEY_DYN_DATA},
    };
    root = HKEY_CURRENT_USER;
    subKey = path;
    if (!path)
        return true;
    const wchar_t* slash = std::wcschr(path, L'\\');
    size_t headLength = slash ? static_cast<size_t>(slash - path) : std::wcslen(path);
    for (const auto& candidate : kRoots) {
        if (std::wcslen(candidate.name) != headLength || _wcsnicmp(path, candidate.name, headLength) != 0)
            continue;
        if (!slash)
            return false;
        root = candidate.key;
        subKey = slash + 1;
        return true;
    }
    return true;
}
