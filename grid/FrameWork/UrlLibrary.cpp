// Run-time binding of the URL library.
#include "UrlLibrary.h"

namespace {

HMODULE UrlLibraryModule()
{
    // Set once on first use (function-local statics are initialised once).
    static HMODULE library = LoadLibraryW(L"urlmon.dll");
    return library;
}

template <class Function>
Function UrlFunction(const char* name)
{
    HMODULE library = UrlLibraryModule();
    if (!library)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

} // namespace

HRESULT CreateURLMonikerDynamic(IMoniker* outer, LPCWSTR url, IMoniker** moniker)
{
    using Function = HRESULT(WINAPI*)(IMoniker*, LPCWSTR, IMoniker**);
    auto create = UrlFunction<Function>("CreateURLMoniker");
    return create ? create(outer, url, moniker) : E_UNEXPECTED;
}

HRESULT RegisterBindStatusCallbackDynamic(IBindCtx* bindContext, IBindStatusCallback* callback,
                                          IBindStatusCallback** previous, DWORD reserved)
{
    using Function = HRESULT(WINAPI*)(IBindCtx*, IBindStatusCallback*, IBindStatusCallback**, DWORD);
    auto registerCallback = UrlFunction<Function>("RegisterBindStatusCallback");
    return registerCallback ? registerCallback(bindContext, callback, previous, reserved) : E_UNEXPECTED;
}
