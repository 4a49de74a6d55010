// Registers the grid control a benchmark was built against, in this process,
// as regsvr32 would: benchmarks run without the test suite's registration.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

namespace hv::bench {

// The control's Windows path, from the Unix path the build gives.
inline std::wstring OcxPath()
{
    std::string unix = HV_TAVELLE_OCX;
    std::wstring path = L"Z:";
    for (char c : unix)
        path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path;
}

inline bool RegisterGrid()
{
    HMODULE library = LoadLibraryW(OcxPath().c_str());
    FARPROC entry = library ? GetProcAddress(library, "DllRegisterServer") : nullptr;
    if (!entry)
        return false;
    HRESULT(STDAPICALLTYPE * regist)() = nullptr;
    static_assert(sizeof(regist) == sizeof(entry));
    std::memcpy(&regist, &entry, sizeof(entry));
    return SUCCEEDED(regist());
}

} // namespace hv::bench
