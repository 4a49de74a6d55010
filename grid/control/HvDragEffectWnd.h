// HvDragEffectWnd: the borderless popup that floats the dragged header's
// image centred above the cursor during a header drag.
#pragma once

#include "FeedbackPopup.h"

#include <windows.h>

class HvDragEffectWnd
{
public:
    HvDragEffectWnd();
    ~HvDragEffectWnd();
    HvDragEffectWnd(const HvDragEffectWnd&) = delete;
    HvDragEffectWnd& operator=(const HvDragEffectWnd&) = delete;

    // Makes the window when none exists; false when it cannot be made.
    bool Create();
    // Takes the bitmap (deleted with the object) and gives the region to
    // the window.
    void SetImage(HBITMAP bitmap, int width, int height, HRGN region);
    void ClearImage();
    void ShowAt(POINT screen);
    void MoveTo(POINT screen, bool repaint);
    void Hide();

    HWND Window() const { return m_popup.Window(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    HBITMAP Bitmap() const { return m_bitmap; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc, const RECT& paint);
    POINT TopLeftFor(POINT screen) const;

    FeedbackPopup m_popup;
    int m_width = 0;
    int m_height = 0;
    HBITMAP m_bitmap = nullptr; // owned
};
