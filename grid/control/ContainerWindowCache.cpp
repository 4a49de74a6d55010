// The container's window as the control's sites report it.
#include "ContainerWindowCache.h"

HWND ContainerWindowCache::Get(IOleInPlaceSiteWindowless* windowless, IOleInPlaceSite* inPlace,
                               IOleClientSite* client)
{
    if (m_window)
        return m_window;
    IOleInPlaceSite* site = windowless ? windowless : inPlace;
    IOleInPlaceSite* queried = nullptr;
    if (!site && client &&
        SUCCEEDED(client->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&queried))))
        site = queried;
    HWND window = nullptr;
    if (site && SUCCEEDED(site->GetWindow(&window)))
        m_window = window;
    if (queried)
        queried->Release();
    return m_window;
}
