// ContainerWindowCache: the container's window for the control, asked of
// its in-place site once and kept; the editor windows are parented to it.
#pragma once

#include <ocidl.h>

class ContainerWindowCache
{
public:
    // The cached window, else the window of the windowless site, of the
    // in-place site, or of the client site's in-place face; null when none
    // answers. The sites are the control's (not referenced here).
    HWND Get(IOleInPlaceSiteWindowless* windowless, IOleInPlaceSite* inPlace, IOleClientSite* client);
    // Forgets the window (the control left its container).
    void Reset() { m_window = nullptr; }

private:
    HWND m_window = nullptr;
};
