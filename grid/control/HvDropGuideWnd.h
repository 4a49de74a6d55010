// HvDropGuideWnd: the red double arrow that marks where dragged headers
// would land: one arrow touches the header's top edge, the other its bottom
// edge, at the drop x.
#pragma once

#include "FeedbackPopup.h"

#include <windows.h>

class HvDropGuideWnd
{
public:
    explicit HvDropGuideWnd(HWND owner = nullptr);
    HvDropGuideWnd(const HvDropGuideWnd&) = delete;
    HvDropGuideWnd& operator=(const HvDropGuideWnd&) = delete;

    // Makes the window when none exists; E_FAIL when it cannot be made.
    HRESULT Create();
    void SetShape(const RECT& header);
    // anchor: the drop point on the header's top edge, in screen pixels.
    void Place(POINT anchor, const RECT& header);
    void Hide();
    void SetOwner(HWND owner) { m_owner = owner; }

    HWND Window() const { return m_popup.Window(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // How often the region was built (a second drag over headers of one
    // height reuses it).
    int ShapeBuilds() const { return m_shapeBuilds; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_owner; // stored only
    FeedbackPopup m_popup;
    int m_width = 30;
    int m_height = 50;
    bool m_shapeMade = false;
    int m_shapeHeight = -1;
    int m_shapeBuilds = 0;
};
