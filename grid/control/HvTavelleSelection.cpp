// The grid control's selection management: clearing selections between
// BeforeSelectChange and AfterSelectChange, taking over a new selection,
// the pivot of range selection and ranges of columns.
#include "HvTavelle.h"

#include "CellClickActionHandler.h"
#include "EventEnableMask.h"
#include "HvBand.h"
#include "HvLayout.h"
#include "HvSelected.h"
#include "HvSelectedCells.h"
#include "HvSelectedCols.h"
#include "HvSelectedRows.h"
#include "ObjectInfo.h"
#include "ScrollRegionItem.h"

namespace {

constexpr LONG KindRows = 0;
constexpr LONG KindCells = 1;
constexpr LONG KindColumns = 2;
constexpr LONG KindGroup = 99;
constexpr LONG KindClearAll = 3;

IDispatch* AsDispatch(HvSelected* selected)
{
    IDispatch* dispatch = nullptr;
    if (selected)
        selected->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    return dispatch;
}

bool IsLivePivot(HvSelectableItem* item)
{
    return item && CAutomationObject::IsActive(item->KeyedItem()->GetItemObject());
}

void HoldItem(HvSelectableItem* item)
{
    if (item)
        item->KeyedItem()->GetItemObject()->AddRef();
}

void DropItem(HvSelectableItem*& item)
{
    if (item && IsValidObjectPointer(item->KeyedItem()->GetItemObject()))
        item->KeyedItem()->GetItemObject()->Release();
    item = nullptr;
}

} // namespace

LONG HvTavelle::SelectableKind(HvSelectableItem* item)
{
    if (!item)
        return -1;
    switch (item->KeyedItem()->GetItemObject()->ObjectType()) {
    case ObjectType::HvRow:
        return KindRows;
    case ObjectType::HvCell:
        return KindCells;
    case ObjectType::HvColumn:
        return KindColumns;
    case ObjectType::HvGroup:
        return KindGroup;
    default:
        return -1;
    }
}

bool HvTavelle::IsEventAllowed(DISPID event)
{
    return gate_ && gate_->IsEventAllowed(event);
}

bool HvTavelle::IsEventFiring(DISPID event)
{
    return gate_ && gate_->IsEventFiring(event);
}

SelectionLayoutSeam* HvTavelle::SelectionLayout()
{
    return layout_;
}

HRESULT HvTavelle::ClearSelection(LONG kind, bool fireEvents)
{
    return ClearKindWithEvents(kind, fireEvents);
}

HRESULT HvTavelle::ClearKindWithEvents(LONG kind, bool fireEvents)
{
    HvSelected* selected = GetSelectedObject(true);
    if (!selected || selected != selected_)
        return 0;
    if (kind == KindGroup)
        kind = KindColumns;
    LONG count = 0;
    switch (kind) {
    case KindRows:
        count = selected->Rows() ? selected->Rows()->ItemCount() : 0;
        break;
    case KindCells:
        count = selected->Cells() ? selected->Cells()->ItemCount() : 0;
        break;
    case KindColumns:
        count = selected->Columns() ? selected->Columns()->ItemCount() : 0;
        break;
    default:
        return E_FAIL;
    }
    if (count == 0)
        return 0;
    const bool fire = fireEvents && layout_ && layout_->CanFireEvents(false) && gate_;
    if (fire) {
        // The selection as it would be after the clear: the other lists.
        HvSelected* after = HvSelected::Create(this, true);
        if (!after)
            return E_OUTOFMEMORY;
        if (kind == KindColumns) {
            if (selected->Cells())
                after->SetCells(selected->Cells()->CreateSnapshot());
            if (selected->Rows())
                after->SetRows(selected->Rows()->CreateSnapshot());
        } else if (selected->Columns()) {
            after->SetColumns(selected->Columns()->CreateSnapshot());
        }
        IDispatch* dispatch = AsDispatch(after);
        const bool cancelled = gate_->Fire_BeforeSelectChange(kind, dispatch);
        if (dispatch)
            dispatch->Release();
        after->Release();
        if (cancelled)
            return 1;
    }
    ClearSelectionsForKind(kind, false, false);
    // Rows and cells exclude each other: the clear unmarks both, so both
    // lists are emptied (a list keeping unmarked items would lie).
    switch (kind) {
    case KindRows:
    case KindCells:
        if (selected->Rows())
            selected->Rows()->ClearChecked();
        if (selected->Cells())
            selected->Cells()->ClearChecked();
        break;
    default:
        selected->Columns()->ClearChecked();
        break;
    }
    if (fire)
        gate_->Fire_AfterSelectChange(kind);
    return 0;
}

LONG HvTavelle::ClearAllSelections()
{
    HvSelected* selected = GetSelectedObject(true);
    if (!selected || selected != selected_)
        return 0;
    auto count = [](auto* list) { return list ? list->ItemCount() : 0; };
    if (count(selected->Rows()) == 0 && count(selected->Cells()) == 0 && count(selected->Columns()) == 0)
        return 0;
    const bool fire = layout_ && layout_->CanFireEvents(false) && gate_;
    if (fire) {
        HvSelected* empty = HvSelected::Create(this, true);
        if (!empty)
            return E_OUTOFMEMORY;
        IDispatch* dispatch = AsDispatch(empty);
        const bool cancelled = gate_->Fire_BeforeSelectChange(KindClearAll, dispatch);
        if (dispatch)
            dispatch->Release();
        empty->Release();
        if (cancelled)
            return 1;
    }
    ForgetPivots();
    if (selected->Rows())
        selected->Rows()->ResetItemStates();
    if (selected->Cells())
        selected->Cells()->ResetItemStates();
    if (selected->Columns())
        selected->Columns()->ResetItemStates();
    selected->SetRows(nullptr);
    selected->SetCells(nullptr);
    selected->SetColumns(nullptr);
    if (fire)
        gate_->Fire_AfterSelectChange(KindClearAll);
    return 0;
}

HRESULT HvTavelle::ClearSelectionsQuietly()
{
    ClearSelection(KindRows, false);
    ClearSelection(KindCells, false);
    ClearSelection(KindColumns, false);
    return S_OK;
}

HRESULT HvTavelle::ClearSelectionsForKind(LONG kind, bool keepSameKind, bool clearOthers)
{
    HvSelected* selected = selected_;
    if (!selected)
        return S_OK;
    auto resetRows = [selected] { if (selected->Rows()) selected->Rows()->ResetItemStates(); };
    auto resetCells = [selected] { if (selected->Cells()) selected->Cells()->ResetItemStates(); };
    auto resetColumns = [selected] { if (selected->Columns()) selected->Columns()->ResetItemStates(); };
    switch (kind) {
    case KindRows:
        resetCells();
        if (!keepSameKind)
            resetRows();
        if (clearOthers)
            resetColumns();
        break;
    case KindCells:
        resetRows();
        if (!keepSameKind)
            resetCells();
        if (clearOthers)
            resetColumns();
        break;
    case KindColumns:
    case KindGroup:
        if (!keepSameKind)
            resetColumns();
        if (clearOthers) {
            resetCells();
            resetRows();
        }
        break;
    default:
        break;
    }
    return S_OK;
}

void HvTavelle::ApplySelection(HvSelected* newSelected, bool, HvSelected* rangeLists)
{
    HvSelected* current = selected_;
    if (!newSelected || !current)
        return;
    HvSelected* source = rangeLists ? rangeLists : newSelected;
    auto mark = [](auto* list, bool on) {
        if (!list)
            return;
        for (HvSelectableItem* item : list->SelectedItems())
            item->SetSelected(on);
    };
    if (source->Rows() != current->Rows()) {
        mark(current->Rows(), false);
        mark(source->Rows(), true);
    }
    if (!HvSelectedCells::IsSameSelection(source->Cells(), current->Cells())) {
        mark(current->Cells(), false);
        mark(source->Cells(), true);
    }
    if (newSelected->Columns() != current->Columns()) {
        mark(current->Columns(), false);
        mark(newSelected->Columns(), true);
    }
    AdoptSelection(newSelected);
}

void HvTavelle::AdoptSelection(HvSelected* newSelected)
{
    HvSelected* current = GetSelectedObject(true);
    if (!newSelected || !current || newSelected == current)
        return;
    // A client may hold Selected.Rows, Cells or Columns: the grid's own
    // collections take the new contents instead of being replaced. Where
    // the grid has none yet, the new one moves over.
    auto take = [](auto* held, auto* incoming, auto move) {
        if (!held || (FAILED(held->TakeItemsFrom(incoming)) && incoming))
            move();
    };
    take(current->Rows(), newSelected->Rows(), [&] {
        HvSelectedRows* list = newSelected->Rows();
        if (list)
            list->AddRef();
        newSelected->SetRows(nullptr);
        current->SetRows(list);
        if (list)
            list->Release();
    });
    take(current->Cells(), newSelected->Cells(), [&] {
        HvSelectedCells* list = newSelected->Cells();
        if (list)
            list->AddRef();
        newSelected->SetCells(nullptr);
        current->SetCells(list);
        if (list)
            list->Release();
    });
    take(current->Columns(), newSelected->Columns(), [&] {
        HvSelectedCols* list = newSelected->Columns();
        if (list)
            list->AddRef();
        newSelected->SetColumns(nullptr);
        current->SetColumns(list);
        if (list)
            list->Release();
    });
}

void HvTavelle::ForgetPivots()
{
    for (Pivot& pivot : pivots_)
        DropItem(pivot.item);
    pivots_.clear();
}

HvTavelle::Pivot* HvTavelle::FindPivot(bool columns, bool create)
{
    ScrollRegionItem* active = columns ? GetActiveColScrollRegion(false) : GetActiveRowScrollRegion();
    const void* region = active ? static_cast<const void*>(dynamic_cast<CAutomationObject*>(active)) : nullptr;
    Pivot* found = nullptr;
    for (auto it = pivots_.begin(); it != pivots_.end();) {
        // A region that died takes its pivot with it.
        if (it->region && !it->regionLive.Alive()) {
            DropItem(it->item);
            it = pivots_.erase(it);
            continue;
        }
        if (it->columns == columns && it->region == region)
            found = &*it;
        ++it;
    }
    if (found || !create)
        return found;
    Pivot pivot;
    pivot.region = region;
    pivot.regionLive = LiveRef(dynamic_cast<CAutomationObject*>(active));
    pivot.columns = columns;
    pivots_.push_back(pivot);
    return &pivots_.back();
}

void HvTavelle::SetSelectionPivot(HvSelectableItem* item, bool keepExisting)
{
    const LONG kind = SelectableKind(item);
    if (kind < 0)
        return;
    const bool column = kind == KindColumns || kind == KindGroup;
    Pivot* pivot = FindPivot(column, true);
    if (keepExisting && IsLivePivot(pivot->item))
        return;
    HoldItem(item);
    DropItem(pivot->item);
    pivot->item = item;
    // A cell pivots its column in the column region too.
    if (kind == KindCells)
        if (HvSelectableItem* columnItem = ColumnOfCell(item)) {
            Pivot* columns = FindPivot(true, true);
            HoldItem(columnItem);
            DropItem(columns->item);
            columns->item = columnItem;
        }
}

HvSelectableItem* HvTavelle::GetSelectionPivot(HvSelectableItem* item)
{
    const LONG kind = SelectableKind(item);
    Pivot* pivot = FindPivot(kind == KindColumns || kind == KindGroup, false);
    return pivot && IsLivePivot(pivot->item) ? pivot->item : nullptr;
}

bool HvTavelle::IsSelectionPivot(HvSelectableItem* item)
{
    return item && GetSelectionPivot(item) == item;
}

namespace {

CellClickActionHandler* ClickHandlerOf(HvSelectableItem* cell)
{
    auto* band = cell ? dynamic_cast<HvBand*>(cell->OwnerBand()) : nullptr;
    return band ? CellClickActionHandler::FromStrategy(band->GetCellClickStrategy()) : nullptr;
}

} // namespace

void HvTavelle::ClickSelectCell(HvSelectableItem* cell, bool shift, bool ctrl)
{
    if (CellClickActionHandler* handler = ClickHandlerOf(cell))
        handler->ClickCell(cell, shift ? 1 : 0, ctrl ? 1 : 0);
}

HRESULT HvTavelle::SelectCellThroughHandler(HvSelectableItem* cell, bool select, bool fireEvents)
{
    CellClickActionHandler* handler = ClickHandlerOf(cell);
    if (!handler)
        return E_OUTOFMEMORY;
    return handler->SelectCell(cell, select ? 1 : 0, fireEvents ? 1 : 0);
}

void HvTavelle::MapCellThroughHandler(HvSelectableItem** cell)
{
    if (CellClickActionHandler* handler = cell ? ClickHandlerOf(*cell) : nullptr)
        handler->MapSelectionItem(cell);
}

// A row selected or unselected on its own (its Selected property): the
// proposal is the selection with the row added (which drops selected
// cells) or taken out; BeforeSelectChange may cancel it, which is no error.
HRESULT HvTavelle::SelectRowItem(HvSelectableItem* row, bool select, bool fireEvents)
{
    HvSelected* selected = GetSelectedObject(true);
    if (!row || !selected || selected != selected_)
        return E_OUTOFMEMORY;
    const bool fire = fireEvents && layout_ && layout_->CanFireEvents(false) && gate_;
    if (fire) {
        HvSelected* proposal = selected->CreateSnapshot();
        if (!proposal)
            return E_OUTOFMEMORY;
        if (select)
            proposal->AddItem(row, HvSelected::RowItem, false);
        else if (proposal->Rows())
            proposal->Rows()->DeselectRow(row);
        IDispatch* dispatch = AsDispatch(proposal);
        const bool cancelled = gate_->Fire_BeforeSelectChange(KindRows, dispatch);
        if (dispatch)
            dispatch->Release();
        proposal->Release();
        if (cancelled)
            return S_OK;
    }
    HRESULT hr = S_OK;
    if (select) {
        hr = selected->AddItem(row, HvSelected::RowItem, false);
    } else if (selected->Rows()) {
        hr = selected->Rows()->DeselectRow(row);
    }
    if (FAILED(hr))
        return hr;
    row->SetSelected(select);
    if (fire)
        gate_->Fire_AfterSelectChange(KindRows);
    return S_OK;
}
