// ServerModule: the state of an in-process server module: its instance
// handle and path, the count of live objects and locks that decides whether
// it may unload, and the type information of its embedded type library
// (loaded once, each interface's kept while the module is loaded).
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace hv::comserver {

class ServerModule {
public:
    static void SetInstance(HINSTANCE instance);
    static std::wstring Path();

    // Live objects and class-factory locks.
    static void Lock();
    static void Unlock();
    static bool CanUnload();

    // The type information of one interface; the caller gets a reference.
    static HRESULT TypeInfoOf(REFIID iid, ITypeInfo** info);
};

} // namespace hv::comserver
