// RegistryKey: the owner of one open registry key, and the parsing of a
// registry path that starts with a root key name.
#pragma once

#include <windows.h>

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // On success the key held before is closed and the new one held; on
    // failure the old one stays. Both return the registry's result code.
    LSTATUS Create(HKEY parent, const wchar_t* subKey, REGSAM access = KEY_ALL_ACCESS,
                   DWORD* disposition = nullptr);
    LSTATUS Open(HKEY parent, const wchar_t* subKey, REGSAM access = KEY_READ);
    LSTATUS Close();

    // A REG_SZ value, its terminator counted (null name: the default value).
    LSTATUS SetString(const wchar_t* valueName, const wchar_t* text);
    // The whole global memory block as a REG_BINARY value.
    LSTATUS SetValueFromHGlobal(HGLOBAL memory, const wchar_t* valueName);
    // Frees the block given, if any; when the value is REG_BINARY, reads it
    // into a new zero-filled movable block. ERROR_INVALID_DATA for a value
    // of another type.
    LSTATUS QueryValueToHGlobal(HGLOBAL& memory, const wchar_t* valueName);

    HKEY Get() const { return key_; }
    bool IsOpen() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

// Splits "HKEY_LOCAL_MACHINE\Software\X" into the root key and "Software\X"
// (subKey points into path). A path without a root name gives
// HKEY_CURRENT_USER and the whole path; a root name alone gives false.
bool ParseRootKeyName(const wchar_t* path, HKEY& root, const wchar_t*& subKey);
