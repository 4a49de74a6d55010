// ServerModule: the spreadsheet server's module state: its instance handle,
// the count of live objects and locks that decides whether it may unload,
// and the type information of its embedded type library.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace hv::sheet::server {

class ServerModule {
public:
    static void SetInstance(HINSTANCE instance);
    static std::wstring Path();

    static void Lock();
    static void Unlock();
    static bool CanUnload();

    // The type information of one interface; the caller gets a reference.
    static HRESULT TypeInfoOf(REFIID iid, ITypeInfo** info);
};

} // namespace hv::sheet::server
