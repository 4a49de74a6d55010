// ServerModule: the recordset server's module state: its instance handle,
// the count of live objects and locks that decides whether it may unload,
// and the type information of its own embedded type library.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace hv::recordset::server {

class ServerModule {
public:
    static void SetInstance(HINSTANCE instance);
    static HINSTANCE Instance();
    static std::wstring Path();

    // Live objects and class-factory locks.
    static void Lock();
    static void Unlock();
    static bool CanUnload();

    // The type information of one interface of the embedded type library;
    // the caller gets its own reference.
    static HRESULT TypeInfoOf(REFIID iid, ITypeInfo** info);
};

} // namespace hv::recordset::server
