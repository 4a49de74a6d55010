// RegistryKeys: what a server's self-registration writes under
// HKEY_CLASSES_ROOT (machine-wide: the per-user classes are not read here).
#pragma once

#include <windows.h>

#include <string>

namespace hv::comserver {

std::wstring GuidText(REFGUID guid);
// Writes the default value of a key (and one named value, if given).
bool WriteClassesKey(const std::wstring& path, const std::wstring& value, const wchar_t* name = nullptr,
                     const std::wstring& named = std::wstring());
// Registers the type library embedded in the module at `path`.
HRESULT RegisterEmbeddedTypeLibrary(const std::wstring& path);

} // namespace hv::comserver
