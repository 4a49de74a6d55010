// InputDispatcherHost: what the input dispatcher needs of the grid control
// that owns it. The control implements it; tests use stand-ins.
#pragma once

#include <windows.h>

class CControlBase;

class InputDispatcherHost
{
public:
    // The control: its stock events, design mode and liveness. May be null.
    virtual CControlBase* InputControl() = 0;
    // The grid window (the control's window), or null.
    virtual HWND GetGridWindow() = 0;
    // There is an active cell and its column's input mask engine is ready.
    virtual bool ActiveCellHasMaskEngine() = 0;
    // The layout's shared drop-down calendar window, or null.
    virtual HWND GetDropDownCalendar() = 0;
    // The point (grid client pixels) lies in the root element's rectangle.
    // Called from the cursor tracking thread as well.
    virtual bool IsPointInGridArea(int x, int y) = 0;

protected:
    ~InputDispatcherHost() = default;
};
