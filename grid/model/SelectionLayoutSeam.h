// SelectionLayoutSeam: what the selection and sort collections need of the
// grid's layout: the grid control that shows it and that control's state.
#pragma once

#include <windows.h>

class SelectionControlSeam;

class SelectionLayoutSeam {
public:
    // Null for a layout that no grid shows (not referenced).
    virtual SelectionControlSeam* GridControl() = 0;
    // True when the layout has a grid whose state reports this code (the
    // dispatch identifier of an event being fired).
    virtual bool TestGridState(LONG state) = 0;

protected:
    ~SelectionLayoutSeam() = default;
};
