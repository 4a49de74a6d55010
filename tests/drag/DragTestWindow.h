// Helpers of the drag tests: a visible popup standing for the grid window,
// message pumping and a pixel read back from the screen.
#pragma once

#include <windows.h>

class DragTestWindow
{
public:
    // A popup at screen (x, y) of the given size.
    DragTestWindow(int x, int y, int width, int height);
    ~DragTestWindow();
    DragTestWindow(const DragTestWindow&) = delete;
    DragTestWindow& operator=(const DragTestWindow&) = delete;
    HWND Hwnd() const { return m_window; }

private:
    HWND m_window;
};

void PumpMessages();
// The colour on the screen at (x, y) once it is expected, after pending
// paints: the window system may copy a window's painting to the screen a
// little later. After two seconds, the colour seen last.
COLORREF ScreenPixel(int x, int y, COLORREF expected);
