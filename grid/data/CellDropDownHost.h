// CellDropDownHost: the drop-down of a cell as its column answers for it
// (DroppedDown): the grid's cell editor shows the column's value list or
// the calendar under the active cell and closes it again.
#pragma once

#include <windows.h>

class HvCell;

class CellDropDownHost {
public:
    // The list or calendar is down for the cell.
    virtual bool IsDropDownShowing(HvCell* cell) = 0;
    // Drops the cell's list or calendar down when it is not; S_FALSE when
    // the cell is not the one being edited.
    virtual HRESULT DropDown(HvCell* cell) = 0;
    virtual HRESULT CloseDropDown(HvCell* cell) = 0;

protected:
    ~CellDropDownHost() = default;
};
