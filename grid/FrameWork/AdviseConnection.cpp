// Advise and unadvise through IConnectionPointContainer.
#include "AdviseConnection.h"

namespace {

// The connection point of iid on source, with one reference, or null.
IConnectionPoint* FindPoint(IUnknown* source, REFIID iid)
{
    if (!source)
        return nullptr;
    IConnectionPointContainer* container = nullptr;
    if (FAILED(source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container))) || !container)
        return nullptr;
    IConnectionPoint* point = nullptr;
    if (FAILED(container->FindConnectionPoint(iid, &point)))
        point = nullptr;
    container->Release();
    return point;
}

} // namespace

bool AdviseConnection(IUnknown* source, REFIID iid, IUnknown* sink, bool keepSinkReference, DWORD* cookie)
{
    if (!sink || !cookie)
        return false;
    IConnectionPoint* point = FindPoint(source, iid);
    if (!point)
        return false;
    const bool advised = SUCCEEDED(point->Advise(sink, cookie));
    point->Release();
    if (advised && !keepSinkReference)
        sink->Release();
    return advised;
}

bool UnadviseConnection(IUnknown* source, REFIID iid, IUnknown* sink, bool keepSinkReference, DWORD cookie)
{
    if (!sink)
        return false;
    IConnectionPoint* point = FindPoint(source, iid);
    if (!point)
        return false;
    // Give back the reference the advise took away before the point drops its own.
    if (!keepSinkReference)
        sink->AddRef();
    const bool unadvised = SUCCEEDED(point->Unadvise(cookie));
    point->Release();
    if (!keepSinkReference && !unadvised)
        sink->Release();
    return unadvised;
}
