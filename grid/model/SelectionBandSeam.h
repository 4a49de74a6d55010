// SelectionBandSeam: what selection and the cell click handlers need of a
// band: its selection operations (through the grid's selection object and
// strategies, with the selection events) and its selection strategies.
#pragma once

#include <windows.h>

class HvSelectableItem;

class SelectionBandSeam {
public:
    // Select (true) or unselect a column or row when its state differs;
    // the strategy's result (a cancelled change is no error).
    virtual HRESULT SelectColumn(HvSelectableItem* column, bool select, bool fireEvents) = 0;
    virtual HRESULT SelectRow(HvSelectableItem* row, bool select, bool fireEvents) = 0;
    // Selects or unselects a cell through the grid's selection object.
    virtual HRESULT SelectCell(HvSelectableItem* cell, LONG flag1, LONG flag2) = 0;

    // The band's SelectTypeCell and SelectTypeRow strategies (the band
    // override's, else the layout's); exceptions are swallowed.
    virtual void InvokeCellSelectStrategy(HvSelectableItem* item, LONG flag1, LONG flag2, LONG arg) = 0;
    virtual void InvokeRowSelectStrategy(HvSelectableItem* row, LONG flag1, LONG flag2) = 0;
    // Lets the cell-selection strategy reset.
    virtual void CallCellSelectStrategy() = 0;

    // The first header of the band that is not hidden, in the layout's
    // active column scroll region: its column, or null.
    virtual HvSelectableItem* FindHeaderAfter() = 0;

protected:
    ~SelectionBandSeam() = default;
};
