// EditClickHandler: activation and editing on click.
#include "EditClickHandler.h"

#include "AutomationObject.h"
#include "HvKeyedItem.h"
#include "HvSelectableItem.h"
#include "InputState.h"
#include "SelectionBandSeam.h"
#include "SelectionControlSeam.h"

namespace {

bool ControlKeyDown()
{
    return CurrentInputState().ctrl;
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
    // The selection events may free the cell, the grid or this handler (a
    // handler that changes CellClickAction): the cell and the grid are held
    // and tested again, and nothing of this object is used afterwards.
    CAutomationObject* object = cell->KeyedItem()->GetItemObject();
    SelectionControlSeam* control = cell->GridControl();
    ControlHold holdGrid(control);
    object->AddRef();
    struct Release {
        CAutomationObject* object;
        ~Release() { object->Release(); }
    } holdCell{object};
    if (control && control->ClearAllSelections() != 0)
        return; // BeforeSelectChange cancelled
    if (!CAutomationObject::IsActive(object))
        return;
    if (SelectionBandSeam* band = cell->OwnerBand())
        band->CallCellSelectStrategy();
    if (CAutomationObject::IsActive(object))
        cell->Activate(flag1 != 0, 1, 0);
}
