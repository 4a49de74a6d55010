// InputOperation: a mouse sink of the grid's input dispatcher. Each mouse
// operation of the grid (the root element's sink, sizing, selecting,
// dragging, pressed button parts, hover tracking) derives from it and
// overrides only the messages it wants. Points are in grid client pixels;
// a handler sets handled when it took the message, and its result then
// becomes the message result.
#pragma once

#include <windows.h>

class InputOperation
{
public:
    virtual ~InputOperation() = default;

    virtual LRESULT OnMouseMove(UINT keys, int x, int y, bool& handled) { return Ignore(keys, x, y, handled); }
    virtual LRESULT OnLButtonDown(UINT keys, int x, int y, bool& handled) { return Ignore(keys, x, y, handled); }
    virtual LRESULT OnLButtonUp(UINT keys, int x, int y, bool& handled) { return Ignore(keys, x, y, handled); }
    virtual LRESULT OnLButtonDblClk(UINT keys, int x, int y, bool& handled) { return Ignore(keys, x, y, handled); }
    virtual LRESULT OnRButtonDown(UINT keys, int x, int y, bool& handled) { return Ignore(keys, x, y, handled); }
    virtual LRESULT OnRButtonUp(UINT keys, int x, int y, bool& handled) { return Ignore(keys, x, y, handled); }
    virtual LRESULT OnRButtonDblClk(UINT keys, int x, int y, bool& handled) { return Ignore(keys, x, y, handled); }
    virtual LRESULT OnMButtonDown(UINT keys, int x, int y, bool& handled) { return Ignore(keys, x, y, handled); }
    virtual LRESULT OnMButtonUp(UINT keys, int x, int y, bool& handled) { return Ignore(keys, x, y, handled); }
    virtual LRESULT OnMButtonDblClk(UINT keys, int x, int y, bool& handled) { return Ignore(keys, x, y, handled); }
    virtual LRESULT OnMouseLeave(UINT keys, int x, int y, bool& handled) { return Ignore(keys, x, y, handled); }
    virtual LRESULT OnMouseHover(UINT keys, int x, int y, bool& handled) { return Ignore(keys, x, y, handled); }
    virtual LRESULT OnMouseWheel(int wheelData, UINT keys, int x, int y, bool& handled)
    {
        (void)wheelData;
        return Ignore(keys, x, y, handled);
    }
    // Non-zero when the operation set the cursor.
    virtual LRESULT OnSetCursor(HWND window, UINT hitTest, UINT mouseMessage)
    {
        (void)window; (void)hitTest; (void)mouseMessage;
        return 0;
    }
    // The dispatcher drops the operation's capture: by default it lets the
    // mouse go.
    virtual LRESULT CancelMode()
    {
        ReleaseCapture();
        return 0;
    }
    virtual LRESULT OnCtrlKeyChange() { return 0; }
    virtual LRESULT OnElementsRepositioned() { return 0; }
    // The part of the window the operation takes messages in; false: all of it.
    virtual bool GetActiveRect(RECT* rect)
    {
        (void)rect;
        return false;
    }

private:
    static LRESULT Ignore(UINT keys, int x, int y, bool& handled)
    {
        (void)keys; (void)x; (void)y; (void)handled;
        return 0;
    }
};
