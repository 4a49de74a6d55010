// EditClickHandler: CellClickAction Edit: a plain click on a cell that may
// be activated clears the selection and activates the cell (entering edit
// mode when the click path asks); a Ctrl-click, or a click on a disabled
// cell, selects as CellSelect does. A new row's first cell is activated and
// put into edit mode.
#pragma once

#include "CellSelectClickHandler.h"

class EditClickHandler final : public CellSelectClickHandler {
public:
    void ActivateRow(HvSelectableItem* row) override;
    void ClickCell(HvSelectableItem* cell, LONG flag1, LONG flag2) override;
};
