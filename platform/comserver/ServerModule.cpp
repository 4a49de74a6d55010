// Module state of an in-process server.
#include "ServerModule.h"

#include <atomic>
#include <map>
#include <mutex>

namespace hv::comserver {

namespace {

HINSTANCE g_instance = nullptr;
std::atomic<long> g_locks{0};

// The type library and the type information of each interface, loaded once
// and kept while the module is loaded: every call of every object needs one.
std::mutex g_mutex;
ITypeLib* g_library = nullptr;
std::map<GUID, ITypeInfo*, bool (*)(const GUID&, const GUID&)> g_infos(
    [](const GUID& a, const GUID& b) { return memcmp(&a, &b, sizeof(GUID)) < 0; });

} // namespace

void ServerModule::SetInstance(HINSTANCE instance)
{
    g_instance = instance;
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
    std::lock_guard<std::mutex> hold(g_mutex);
    const auto found = g_infos.find(iid);
    if (found != g_infos.end()) {
        found->second->AddRef();
        *info = found->second;
        return S_OK;
    }
    if (!g_library) {
        const std::wstring path = Path();
        if (path.empty())
            return E_FAIL;
        const HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &g_library);
        if (FAILED(hr))
            return hr;
    }
    ITypeInfo* loaded = nullptr;
    const HRESULT hr = g_library->GetTypeInfoOfGuid(iid, &loaded);
    if (FAILED(hr))
        return hr;
    g_infos.emplace(iid, loaded);
    loaded->AddRef();
    *info = loaded;
    return S_OK;
}

} // namespace hv::comserver
