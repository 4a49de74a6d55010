// ErrorReporterHost: what the error reports need of the grid control: its
// event gate and layout, whether the layout may raise events now, the
// Error event, the grid window, the modal state around a box and the
// control's dialog strings. The control implements it; tests use stand-ins.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

class ErrorReporterHost
{
public:
    // The control has its event gate and its layout.
    virtual bool HasEventGateAndLayout() = 0;
    // The layout may raise events now: InitializeLayout is not being
    // raised, it is the displayed layout and the control can fire events.
    virtual bool LayoutCanFireEvents() = 0;
    // Raises Error with the error object (through the gate).
    virtual void FireError(IDispatch* error) = 0;
    virtual HWND GetGridWindow() = 0;
    virtual void SetModalState(bool modal) = 0;
    // The control's DialogStrings text for an identifier (6000-6010).
    virtual std::wstring DialogString(int id) = 0;

protected:
    ~ErrorReporterHost() = default;
};
