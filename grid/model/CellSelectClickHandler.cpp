// CellSelectClickHandler: cell selection on click.
#include "CellSelectClickHandler.h"

#include "HvSelectableItem.h"
#include "SelectionBandSeam.h"
#include "SelectionControlSeam.h"

void CellSelectClickHandler::ActivateRow(HvSelectableItem* row)
{
    if (!row)
        return;
    SelectionControlSeam* control = row->GridControl();
    if (!control)
        return;
    SelectionBandSeam* band = row->OwnerBand();
    HvSelectableItem* column = band ? band->FindHeaderAfter() : nullptr;
    HvSelectableItem* cell = column ? row->GetCell(column) : nullptr;
    if (cell)
        control->SetActiveCell(cell);
    else
        control->SetActiveRow(row);
}

void CellSelectClickHandler::ClickCell(HvSelectableItem* cell, LONG flag1, LONG flag2)
{
    if (SelectionBandSeam* band = cell ? cell->OwnerBand() : nullptr)
        band->InvokeCellSelectStrategy(cell, flag1, flag2, 0);
}

HRESULT CellSelectClickHandler::SelectCell(HvSelectableItem* cell, LONG flag1, LONG flag2)
{
    if (!cell)
        return E_INVALIDARG;
    SelectionBandSeam* band = cell->OwnerBand();
    return band ? band->SelectCell(cell, flag1, flag2) : E_FAIL;
}

void CellSelectClickHandler::MapSelectionItem(HvSelectableItem**) {}
