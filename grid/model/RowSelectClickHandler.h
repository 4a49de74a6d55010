// RowSelectClickHandler: CellClickAction RowSelect: a click on a cell
// selects its row, a new row becomes the active row, and cells cannot be
// selected on their own.
#pragma once

#include "CellClickActionHandler.h"

class RowSelectClickHandler final : public CellClickActionHandler {
public:
    void ActivateRow(HvSelectableItem* row) override;
    void ClickCell(HvSelectableItem* cell, LONG flag1, LONG flag2) override;
    HRESULT SelectCell(HvSelectableItem* cell, LONG flag1, LONG flag2) override;
    void MapSelectionItem(HvSelectableItem** item) override;
};
