// Wine's ATL host window ("AtlAxWin" of atl.dll), loaded at run time: a
// container we did not write, for tests that host a control in it.
#pragma once

#include <windows.h>
#include <unknwn.h>

using AtlAxWinInitFunction = BOOL(WINAPI*)();
using AtlAxGetControlFunction = HRESULT(WINAPI*)(HWND, IUnknown**);

// atl.dll for the length of a test.
struct AtlLibrary {
    AtlLibrary() : module(LoadLibraryW(L"atl.dll")) {}
    ~AtlLibrary()
    {
        if (module)
            FreeLibrary(module);
    }
    AtlLibrary(const AtlLibrary&) = delete;
    AtlLibrary& operator=(const AtlLibrary&) = delete;

    template <class T>
    T Entry(const char* name) const
    {
        return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
    HMODULE module;
};
