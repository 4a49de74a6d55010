// SizingHost: what the element sizing operation needs of the grid control:
// its window and its input dispatcher.
#pragma once

#include <windows.h>

class InputDispatcher;

class SizingHost
{
public:
    // Null when the control has no window.
    virtual HWND GetGridWindow() = 0;
    // Null when the control has none.
    virtual InputDispatcher* SizingDispatcher() = 0;

protected:
    ~SizingHost() = default;
};
