// HoverHost: what the hover operation needs of the grid control: its input
// dispatcher, whether it tracks yet, its layout's root element and window,
// its event gate and its tool tip.
#pragma once

#include <windows.h>

class EventEnableMask;
class HvUIElement;
class InputDispatcher;

class HoverHost
{
public:
    // Null when the control has none.
    virtual InputDispatcher* HoverDispatcher() = 0;
    virtual bool IsDesignMode() = 0;
    // The control has painted at least once.
    virtual bool HasPainted() = 0;
    // The layout's root element, or null.
    virtual HvUIElement* GetRootUIElement() = 0;
    virtual HWND GetGridWindow() = 0;
    virtual EventEnableMask& EventGate() = 0;
    // Asks the control's tool tip window for a hover notice after the
    // layout's TipDelay; false when there is no tool tip or it refused.
    virtual bool RequestTipHover() = 0;

protected:
    ~HoverHost() = default;
};
