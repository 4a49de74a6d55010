// SelectedControlSeam: what the selected object needs of the grid control:
// the layout its selection collections list, the event gate's answer for
// the selection events, and the control's clear of every selection.
#pragma once

#include <windows.h>

class SelectionLayoutSeam;

class SelectedControlSeam
{
public:
    // The control's layout (not referenced).
    virtual SelectionLayoutSeam* SelectionLayout() = 0;
    // The control may fire the event now and it is enabled.
    virtual bool IsEventAllowed(DISPID event) = 0;
    // Clears the rows, cells and columns of the control without events.
    virtual HRESULT ClearSelectionsQuietly() = 0;

protected:
    ~SelectedControlSeam() = default;
};
