// HvSelectableItem: the internal interface through which selection reaches
// the grid's cells, columns and rows: their selected mark, the band
// and layout they belong to, and what the click handlers do with a cell or
// a row. The cell, column and row objects implement it beside
// HvKeyedItem.
#pragma once

#include <windows.h>

class HvKeyedItem;
class SelectionBandSeam;
class SelectionControlSeam;
class SelectionLayoutSeam;

class HvSelectableItem {
public:
    // The object as a collection item (reference counting, liveness,
    // hand-out under its own interface).
    virtual HvKeyedItem* KeyedItem() = 0;
    // Marks the object selected or not; nothing else changes.
    virtual void SetSelected(bool selected) = 0;
    // The selected mark (a group: all its selectable columns are marked).
    virtual bool IsSelected() = 0;
    // The band the object belongs to, null when it has left it.
    virtual SelectionBandSeam* OwnerBand() = 0;
    // The layout that owns the object (object, band, layout).
    virtual SelectionLayoutSeam* Layout() = 0;
    // The grid control that shows the object, null for a stand-alone layout.
    virtual SelectionControlSeam* GridControl() = 0;

    // Cells: the row of the cell, null when none (others: null).
    virtual HvSelectableItem* RowItem() = 0;
    // Cells: false when the resolved Activation is disabled.
    virtual bool MayActivate() = 0;
    // Cells: makes the cell the active cell and, with enterEdit, puts it into
    // edit mode; non-zero when that was cancelled.
    virtual LONG Activate(bool enterEdit, LONG arg, LONG arg2) = 0;
    // Cells: puts the active cell into edit mode.
    virtual void EnterEditMode() = 0;
    // Rows: the row's cell for a column, made on first use; null when none.
    virtual HvSelectableItem* GetCell(HvSelectableItem* column) = 0;

    // The selectable face of a collection item, or null.
    static HvSelectableItem* FromKeyed(HvKeyedItem* item);

protected:
    ~HvSelectableItem() = default;
};
