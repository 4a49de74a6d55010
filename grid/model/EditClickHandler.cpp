// EditClickHandler: activation and editing on click.
#include "EditClickHandler.h"

#include "HvSelectableItem.h"
#include "KeyedItemHold.h"
#include "SelectionBandSeam.h"
#include "SelectionControlSeam.h"

namespace {

bool ControlKeyDown()
{
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

} // namespace

void EditClickHandler::ActivateRow(HvSelectableItem* row)
{
    CellSelectClickHandler::ActivateRow(row);
    SelectionControlSeam* control = row ? row->GridControl() : nullptr;
    if (!control || control->GetActiveRow() != row)
        return;
    HvSelectableItem* cell = control->GetActiveCell();
    if (cell && cell->MayActivate())
        cell->EnterEditMode();
}

void EditClickHandler::ClickCell(HvSelectableItem* cell, LONG flag1, LONG flag2)
{
    if (!cell)
        return;
    if (ControlKeyDown() || !cell->MayActivate()) {
        CellSelectClickHandler::ClickCell(cell, flag1, flag2);
        return;
    }
    SelectionControlSeam* control = cell->GridControl();
    ControlHold controlHold(control);
    KeyedItemHold cellHold(cell->KeyedItem());
    HvSelectableItem* row = cell->RowItem();
    KeyedItemHold rowHold(row ? row->KeyedItem() : nullptr);
    if (control && control->ClearAllSelections() != 0)
        return; // BeforeSelectChange cancelled
    // The event's handler may have deleted the row or let the grid go.
    if (!cellHold.Alive() || !rowHold.Alive() || cell->GridControl() != control)
        return;
    if (SelectionBandSeam* band = cell->OwnerBand())
        band->CallCellSelectStrategy();
    cell->Activate(flag1 != 0, 1, 0);
}
