// RowSelectClickHandler: row selection on click.
#include "RowSelectClickHandler.h"

#include "AutomationObject.h"
#include "HvKeyedItem.h"
#include "HvSelectableItem.h"
#include "SelectionBandSeam.h"
#include "SelectionControlSeam.h"
#include "SelectionErrors.h"

void RowSelectClickHandler::ActivateRow(HvSelectableItem* row)
{
    if (SelectionControlSeam* control = row ? row->GridControl() : nullptr)
        control->SetActiveRow(row);
}

void RowSelectClickHandler::ClickCell(HvSelectableItem* cell, LONG flag1, LONG flag2)
{
    if (SelectionBandSeam* band = cell ? cell->OwnerBand() : nullptr)
        band->InvokeRowSelectStrategy(cell->RowItem(), flag1, flag2);
}

HRESULT RowSelectClickHandler::SelectCell(HvSelectableItem* cell, LONG, LONG)
{
    HvKeyedItem* keyed = cell ? cell->KeyedItem() : nullptr;
    CAutomationObject* object = keyed ? keyed->GetItemObject() : nullptr;
    if (!object)
        return SelectionError::CantSelectCell;
    return object->Exception(SelectionError::CantSelectCell, SelectionError::CantSelectCellString);
}

void RowSelectClickHandler::MapSelectionItem(HvSelectableItem** item)
{
    if (item && *item)
        *item = (*item)->RowItem();
}
