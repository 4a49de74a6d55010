// Module state of the recordset server.
#include "ServerModule.h"

#include "../ComRef.h"

#include <atomic>
#include <mutex>

namespace hv::recordset::server {

namespace {

HINSTANCE g_instance = nullptr;
std::atomic<long> g_locks{0};

// The type library, loaded once from the module itself and kept while the
// module is loaded.
std::mutex g_libraryMutex;
ITypeLib* g_library = nullptr;

HRESULT Library(ITypeLib** library)
{
    std::lock_guard<std::mutex> hold(g_libraryMutex);
    if (!g_library) {
        const std::wstring path = ServerModule::Path();
        if (path.empty())
            return E_FAIL;
        HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &g_library);
        if (FAILED(hr))
            return hr;
    }
    g_library->AddRef();
    *library = g_library;
    return S_OK;
}

} // namespace

void ServerModule::SetInstance(HINSTANCE instance)
{
    g_instance = instance;
}

HINSTANCE ServerModule::Instance()
{
    return g_instance;
}

std::wstring ServerModule::Path()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(g_instance, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void ServerModule::Lock()
{
    ++g_locks;
}

void ServerModule::Unlock()
{
    --g_locks;
}

bool ServerModule::CanUnload()
{
    return g_locks.load() == 0;
}

HRESULT ServerModule::TypeInfoOf(REFIID iid, ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    ComRef<ITypeLib> library;
    HRESULT hr = Library(library.Put());
    if (FAILED(hr))
        return hr;
    return library->GetTypeInfoOfGuid(iid, info);
}

} // namespace hv::recordset::server
