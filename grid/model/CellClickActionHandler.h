// CellClickActionHandler: what a click on a cell does under an override's
// CellClickAction setting (edit, select the row, select the cell). The
// handlers hold no state: everything goes through the band, the row, the
// cell and the grid control. An override makes its handler on first use
// (through the layout) and frees it when the setting changes.
#pragma once

#include "OverrideStrategy.h"

#include <windows.h>

#include <memory>

class HvSelectableItem;

class CellClickActionHandler : public OverrideStrategy {
public:
    // Constants_CellClickAction values that make a handler.
    enum Action : int { Edit = 1, RowSelect = 2, CellSelect = 3 };

    // The handler for a setting's value; null for the default (0) and for
    // values outside the enumeration.
    static std::unique_ptr<CellClickActionHandler> Create(int action);
    // The click handler behind a strategy an override cached, or null.
    static CellClickActionHandler* FromStrategy(OverrideStrategy* strategy);

    // A row was added through its band: make it (or a cell of it) active.
    virtual void ActivateRow(HvSelectableItem* row) = 0;
    // A cell was clicked; the flags come unchanged from the click path.
    virtual void ClickCell(HvSelectableItem* cell, LONG flag1, LONG flag2) = 0;
    // A client selects (or unselects) a cell.
    virtual HRESULT SelectCell(HvSelectableItem* cell, LONG flag1, LONG flag2) = 0;
    // Turns the item about to be selected into what this action selects.
    virtual void MapSelectionItem(HvSelectableItem** item) = 0;
};
