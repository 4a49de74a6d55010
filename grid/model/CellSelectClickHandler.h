// CellSelectClickHandler: CellClickAction CellSelect: a click goes to the
// band's cell-selection strategy, a new row makes its first visible cell
// active.
#pragma once

#include "CellClickActionHandler.h"

class CellSelectClickHandler : public CellClickActionHandler {
public:
    void ActivateRow(HvSelectableItem* row) override;
    void ClickCell(HvSelectableItem* cell, LONG flag1, LONG flag2) override;
    HRESULT SelectCell(HvSelectableItem* cell, LONG flag1, LONG flag2) override;
    void MapSelectionItem(HvSelectableItem** item) override;
};
