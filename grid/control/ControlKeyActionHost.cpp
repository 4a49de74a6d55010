// The grid as the key action performer walks it.
#include "ControlKeyActionHost.h"

#include "ControlEditor.h"
#include "ControlSelectStrategy.h"
#include "ControlSelectionHost.h"
#include "HvBand.h"
#include "HvCell.h"
#include "HvColumn.h"
#include "HvGroup.h"
#include "HvLayout.h"
#include "HvRow.h"
#include "HvRowScrollRegion.h"
#include "HvRowScrollRegions.h"
#include "HvTavelle.h"
#include "LayoutViewStyle.h"
#include "RowBandSeam.h"
#include "SelectOperation.h"

namespace {

constexpr LONG kActivationDisabled = 2;

HvBand* BandOf(HvSelectableItem* item)
{
    return item ? dynamic_cast<HvBand*>(item->OwnerBand()) : nullptr;
}

IHvRow* RowInterface(HvRow* row)
{
    return row;
}

} // namespace

// --- handles ---

void ControlKeyActionHost::Hold(CAutomationObject* object)
{
    if (!object)
        return;
    object->AddRef();
    held_.push_back(object);
}

void ControlKeyActionHost::EndKeyAction()
{
    std::vector<CAutomationObject*> held;
    held.swap(held_);
    for (CAutomationObject* object : held)
        object->Release();
}

KeyRow* ControlKeyActionHost::Out(HvRow* row)
{
    if (!row || !CAutomationObject::IsActive(row))
        return nullptr;
    Hold(row);
    return reinterpret_cast<KeyRow*>(static_cast<HvSelectableItem*>(row));
}

KeyRow* ControlKeyActionHost::Out(IHvRow* row)
{
    if (!row)
        return nullptr;
    KeyRow* handle = Out(HvRow::FromObject(row));
    row->Release();
    return handle;
}

KeyCell* ControlKeyActionHost::OutCell(HvSelectableItem* cell)
{
    if (!cell || !CAutomationObject::IsActive(cell->KeyedItem()->GetItemObject()))
        return nullptr;
    Hold(cell->KeyedItem()->GetItemObject());
    return reinterpret_cast<KeyCell*>(cell);
}

KeyColumn* ControlKeyActionHost::OutColumn(HvSelectableItem* column)
{
    if (!column)
        return nullptr;
    Hold(column->KeyedItem()->GetItemObject());
    return reinterpret_cast<KeyColumn*>(column);
}

HvRow* ControlKeyActionHost::RowOf(KeyRow* row)
{
    auto* item = reinterpret_cast<HvSelectableItem*>(row);
    return item ? dynamic_cast<HvRow*>(item) : nullptr;
}

HvCell* ControlKeyActionHost::CellOf(KeyCell* cell)
{
    HvSelectableItem* item = Selectable(cell);
    return item ? dynamic_cast<HvCell*>(item) : nullptr;
}

HvSelectableItem* ControlKeyActionHost::Selectable(KeyCell* cell)
{
    return reinterpret_cast<HvSelectableItem*>(cell);
}

HvSelectableItem* ControlKeyActionHost::Selectable(KeyColumn* column)
{
    return reinterpret_cast<HvSelectableItem*>(column);
}

// --- the active objects ---

KeyRow* ControlKeyActionHost::ActiveRow()
{
    return Out(control_.GetActiveRow());
}

KeyCell* ControlKeyActionHost::ActiveCell()
{
    return OutCell(control_.GetActiveCell());
}

void ControlKeyActionHost::RequestActiveRow(KeyRow* row)
{
    control_.ChangeActiveRow(RowOf(row));
}

void ControlKeyActionHost::RequestActiveCell(KeyCell* cell)
{
    if (HvCell* own = CellOf(cell))
        control_.ActivateCellWithEvents(own);
    else
        control_.DeactivateActiveCell(true, false);
}

void ControlKeyActionHost::SetSelectionPivotRow(KeyRow* row, bool keep)
{
    if (HvRow* own = RowOf(row))
        control_.SetSelectionPivot(own, keep);
}

void ControlKeyActionHost::SetSelectionPivotCell(KeyCell* cell, bool keep)
{
    if (HvSelectableItem* own = Selectable(cell))
        control_.SetSelectionPivot(own, keep);
}

void ControlKeyActionHost::UpdateGridWindow()
{
    if (HWND window = control_.ControlWindow())
        UpdateWindow(window);
}

// --- rows ---

bool ControlKeyActionHost::HasViewStyle()
{
    return control_.Layout() && LayoutViewStyle::Of(*control_.Layout());
}

bool ControlKeyActionHost::LaysBandsSideBySide()
{
    LayoutViewStyle* style = control_.Layout() ? LayoutViewStyle::Of(*control_.Layout()) : nullptr;
    return style && style->Strategy().IsHorizontal();
}

KeyRow* ControlKeyActionHost::GridFirstRow()
{
    IHvRow* row = nullptr;
    control_.GetRow(hvChildRowFirst, &row);
    return Out(row);
}

KeyRow* ControlKeyActionHost::GridLastRow()
{
    IHvRow* row = nullptr;
    control_.GetRow(hvChildRowLast, &row);
    return Out(row);
}

KeyRow* ControlKeyActionHost::ViewLastRow()
{
    KeyRow* last = GridLastRow();
    KeyRow* deepest = last ? LastShownDescendant(last) : nullptr;
    return deepest ? deepest : last;
}

KeyRow* ControlKeyActionHost::LastShownDescendant(KeyRow* row)
{
    HvRow* own = RowOf(row);
    HvRow* deepest = nullptr;
    while (own && own->ShowsChildRows()) {
        IHvRow* child = nullptr;
        if (FAILED(own->GetBand()->GetChildRow(own, hvChildRowLast, nullptr, &child)) || !child)
            break;
        HvRow* next = HvRow::FromObject(child);
        Out(child);
        if (!next)
            break;
        deepest = own = next;
    }
    return deepest ? Out(deepest) : nullptr;
}

bool ControlKeyActionHost::ShowsChildren(KeyRow* row)
{
    HvRow* own = RowOf(row);
    return own && own->ShowsChildRows();
}

KeyRow* ControlKeyActionHost::FirstChild(KeyRow* row)
{
    HvRow* own = RowOf(row);
    IHvRow* child = nullptr;
    if (!own || !own->GetBand() || FAILED(own->GetBand()->GetChildRow(own, hvChildRowFirst, nullptr, &child)))
        return nullptr;
    return Out(child);
}

bool ControlKeyActionHost::HasSibling(KeyRow* row, KeySibling which, bool spanBands)
{
    return Sibling(row, which, spanBands) != nullptr;
}

KeyRow* ControlKeyActionHost::Sibling(KeyRow* row, KeySibling which, bool spanBands)
{
    HvRow* own = RowOf(row);
    if (!own || !own->GetBand())
        return nullptr;
    LONG code = hvSiblingRowNext;
    switch (which) {
    case KeySibling::First: code = hvSiblingRowFirst; break;
    case KeySibling::Last: code = hvSiblingRowLast; break;
    case KeySibling::Next: code = hvSiblingRowNext; break;
    case KeySibling::Prev: code = hvSiblingRowPrevious; break;
    }
    IHvRow* sibling = nullptr;
    const HRESULT hr = own->GetBand()->GetSiblingRow(own, code, spanBands, &sibling);
    if (hr != S_OK) {
        if (sibling)
            sibling->Release();
        return nullptr;
    }
    return Out(sibling);
}

KeyRow* ControlKeyActionHost::Parent(KeyRow* row)
{
    HvRow* own = RowOf(row);
    return own ? Out(own->GetParentRow()) : nullptr;
}

KeyRow* ControlKeyActionHost::RelatedRow(KeyRow* row, bool forward, bool spanBands)
{
    HvRow* own = RowOf(row);
    KeyRow* parent = own ? Parent(row) : nullptr;
    RowBandSeam* band = spanBands ? nullptr : own->GetBand();
    for (KeyRow* level = parent; level;) {
        KeyRow* next = Sibling(level, forward ? KeySibling::Next : KeySibling::Prev, false);
        HvRow* nextRow = RowOf(next);
        if (!nextRow)
            return nullptr;
        IHvRow* child = nullptr;
        if (nextRow->GetBand() &&
            SUCCEEDED(nextRow->GetBand()->GetChildRow(nextRow, forward ? hvChildRowFirst : hvChildRowLast, band,
                                                      &child)) &&
            child)
            return Out(child);
        level = next;
    }
    return nullptr;
}

bool ControlKeyActionHost::IsEffectivelyHidden(KeyRow* row)
{
    HvRow* own = RowOf(row);
    return !own || own->IsHidden();
}

bool ControlKeyActionHost::IsRowDisabled(KeyRow* row)
{
    HvRow* own = RowOf(row);
    return !own || own->GetActivation() == kActivationDisabled;
}

// --- cells and headers ---

std::vector<HvSelectableItem*> ControlKeyActionHost::ShownColumns(HvBand* band)
{
    std::vector<HvSelectableItem*> columns;
    if (!band)
        return columns;
    for (HvKeyedItem* entry : band->GetHeaderOrder()) {
        if (auto* column = dynamic_cast<HvColumn*>(entry)) {
            if (!column->IsHiddenItem())
                columns.push_back(column);
        } else if (auto* group = dynamic_cast<HvGroup*>(entry); group && !group->IsHiddenItem()) {
            for (SHORT i = 0; HvColumn* member = group->GetColumnAt(i); ++i)
                if (!member->IsHiddenItem())
                    columns.push_back(member);
        }
    }
    return columns;
}

KeyColumn* ControlKeyActionHost::ColumnOf(KeyCell* cell)
{
    return OutColumn(control_.ColumnOfCell(Selectable(cell)));
}

KeyCell* ControlKeyActionHost::CellOf(KeyRow* row, KeyColumn* column)
{
    HvRow* own = RowOf(row);
    HvSelectableItem* columnItem = Selectable(column);
    return own && columnItem ? OutCell(own->GetCell(columnItem)) : nullptr;
}

KeyColumn* ControlKeyActionHost::StepHeaders(KeyRow* row, KeyColumn* from, KeyHeaderStep step)
{
    HvRow* own = RowOf(row);
    const std::vector<HvSelectableItem*> columns = ShownColumns(own ? BandOf(own) : nullptr);
    if (columns.empty())
        return nullptr;
    if (step == KeyHeaderStep::First)
        return OutColumn(columns.front());
    if (step == KeyHeaderStep::Last)
        return OutColumn(columns.back());
    HvSelectableItem* start = Selectable(from);
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] != start)
            continue;
        if (step == KeyHeaderStep::Next)
            return i + 1 < columns.size() ? OutColumn(columns[i + 1]) : nullptr;
        return i > 0 ? OutColumn(columns[i - 1]) : nullptr;
    }
    return nullptr;
}

KeyColumn* ControlKeyActionHost::FindHeaderAfter(KeyRow* row, bool)
{
    return StepHeaders(row, nullptr, KeyHeaderStep::First);
}

KeyColumn* ControlKeyActionHost::FindHeaderBefore(KeyRow* row)
{
    return StepHeaders(row, nullptr, KeyHeaderStep::Last);
}

bool ControlKeyActionHost::IsCellDisabled(KeyCell* cell)
{
    HvCell* own = CellOf(cell);
    return !own || own->ResolvedActivation() == kActivationDisabled;
}

// --- the selection strategies ---

namespace {

SelectOperation* StrategyOf(HvSelectableItem* item, OverrideStrategyKind kind)
{
    HvBand* band = BandOf(item);
    return band ? ControlSelectStrategy::OperationFor(band->GetSelectStrategy(kind), item) : nullptr;
}

} // namespace

bool ControlKeyActionHost::AcceptsCell(KeyCell* cell, bool shift, bool ctrl)
{
    HvSelectableItem* own = Selectable(cell);
    SelectOperation* operation = StrategyOf(own, OverrideStrategyKind::SelectTypeCell);
    SelectableTarget* target = own ? control_.Selection().Targets().For(own) : nullptr;
    if (!target)
        return false;
    return operation ? operation->AcceptsKeyTarget(target, shift, ctrl) : target->IsTabStop();
}

bool ControlKeyActionHost::AcceptsRow(KeyRow* row, bool shift, bool ctrl)
{
    HvRow* own = RowOf(row);
    SelectOperation* operation = StrategyOf(own, OverrideStrategyKind::SelectTypeRow);
    SelectableTarget* target = own ? control_.Selection().Targets().For(own) : nullptr;
    if (!target)
        return false;
    return operation ? operation->AcceptsKeyTarget(target, shift, ctrl) : true;
}

bool ControlKeyActionHost::CellStepMaySpanBands(bool shiftOrCtrl)
{
    HvCell* cell = control_.GetActiveCell();
    SelectOperation* operation = StrategyOf(cell, OverrideStrategyKind::SelectTypeCell);
    return operation ? operation->AllowsStepAcrossBands(shiftOrCtrl) : true;
}

void ControlKeyActionHost::SetCtrlOverride(KeyCtrlOverride how)
{
    control_.Selection().SetCtrlFlags(how == KeyCtrlOverride::Held, how == KeyCtrlOverride::Released);
}

void ControlKeyActionHost::SelectByKey(HvSelectableItem* item, int kind, bool shift, bool byTab)
{
    SelectOperation* operation =
        StrategyOf(item, kind == 0 ? OverrideStrategyKind::SelectTypeRow : OverrideStrategyKind::SelectTypeCell);
    SelectableTarget* target = item ? control_.Selection().Targets().For(item) : nullptr;
    if (operation && target)
        operation->BeginMouseSelect(target, false, shift, byTab);
}

void ControlKeyActionHost::SelectRow(KeyRow* row, bool shift)
{
    SelectByKey(RowOf(row), 0, shift, false);
}

void ControlKeyActionHost::SelectCell(KeyCell* cell, bool shift, bool byTab)
{
    HvSelectableItem* own = Selectable(cell);
    HvSelectableItem* mapped = own;
    control_.MapCellThroughHandler(&mapped);
    // A band whose click action selects rows selects the cell's row.
    if (mapped && mapped != own) {
        control_.ActivateCellWithEvents(CellOf(cell));
        SelectByKey(mapped, 0, shift, false);
        return;
    }
    SelectByKey(own, 1, shift, byTab);
}

// --- cell and row operations ---

void ControlKeyActionHost::ToggleEditMode(KeyCell* cell)
{
    HvCell* own = CellOf(cell);
    if (!own)
        return;
    if (own->IsInEditMode())
        ExitEditMode(cell);
    else
        EnterEditMode(cell, false);
}

bool ControlKeyActionHost::EnterEditMode(KeyCell* cell, bool dropDown)
{
    HvCell* own = CellOf(cell);
    if (!own || own->IsInEditMode())
        return false;
    own->EnterEditMode();
    if (dropDown && own->IsInEditMode())
        own->put_DroppedDown(VARIANT_TRUE);
    return own->IsInEditMode();
}

void ControlKeyActionHost::ExitEditMode(KeyCell*)
{
    control_.LeaveEditMode(false);
}

void ControlKeyActionHost::ToggleDropDown(KeyCell* cell)
{
    HvCell* own = CellOf(cell);
    VARIANT_BOOL dropped = VARIANT_FALSE;
    if (own && SUCCEEDED(own->get_DroppedDown(&dropped)))
        own->put_DroppedDown(dropped ? VARIANT_FALSE : VARIANT_TRUE);
}

void ControlKeyActionHost::OpenDropDown(KeyCell* cell)
{
    if (HvCell* own = CellOf(cell))
        own->put_DroppedDown(VARIANT_TRUE);
}

void ControlKeyActionHost::CloseDropDown(KeyCell* cell)
{
    if (HvCell* own = CellOf(cell))
        own->put_DroppedDown(VARIANT_FALSE);
}

void ControlKeyActionHost::ToggleCheckBox(KeyCell* cell)
{
    HvCell* own = CellOf(cell);
    if (!own)
        return;
    // A cell being edited takes no Value put: its editor toggles instead.
    if (own->IsInEditMode()) {
        control_.Editor().ToggleCheckBox(own);
        return;
    }
    VARIANT value;
    VariantInit(&value);
    if (FAILED(own->get_Value(&value)))
        return;
    VARIANT flipped;
    VariantInit(&flipped);
    flipped.vt = VT_BOOL;
    flipped.boolVal = (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BOOL)) && value.boolVal) ? VARIANT_FALSE
                                                                                                   : VARIANT_TRUE;
    VariantClear(&value);
    own->put_Value(flipped);
}

void ControlKeyActionHost::CancelCellUpdate(KeyCell* cell)
{
    if (HvCell* own = CellOf(cell))
        own->CancelUpdate();
}

void ControlKeyActionHost::CancelRowUpdate(KeyRow* row)
{
    if (HvRow* own = RowOf(row))
        RowInterface(own)->CancelUpdate();
}

void ControlKeyActionHost::SetExpanded(KeyRow* row, bool expanded)
{
    if (HvRow* own = RowOf(row))
        own->SetExpanded(expanded, true, true);
}

void ControlKeyActionHost::DeleteSelectedRows()
{
    control_.DeleteSelectedRows();
}

// --- scroll regions ---

void ControlKeyActionHost::ActivateRegion(bool next)
{
    HvLayout* layout = control_.Layout();
    HvRowScrollRegions* regions = layout ? layout->RowScrollRegions() : nullptr;
    ScrollRegionItem* active = control_.GetActiveRowScrollRegion();
    if (!regions || !active)
        return;
    ScrollRegionItem* other =
        next ? regions->GetNextVisibleRegion(active, true) : regions->GetPrevVisibleRegion(active, true);
    if (other && other != active)
        control_.SetActiveRowScrollRegion(other);
}

void ControlKeyActionHost::ActivateNextScrollRegion()
{
    ActivateRegion(true);
}

void ControlKeyActionHost::ActivatePrevScrollRegion()
{
    ActivateRegion(false);
}

KeyRow* ControlKeyActionHost::VisibleRowOfBand(KeyRow* bandRow, bool last)
{
    HvRow* own = RowOf(bandRow);
    auto* region = dynamic_cast<HvRowScrollRegion*>(control_.GetActiveRowScrollRegion());
    IHvVisibleRows* rows = nullptr;
    if (!own || !region || FAILED(region->get_VisibleRows(&rows)) || !rows)
        return nullptr;
    KeyRow* found = nullptr;
    long count = 0;
    rows->get_Count(&count);
    for (long i = 0; i < count; ++i) {
        const long index = last ? count - 1 - i : i;
        IHvRow* row = nullptr;
        if (FAILED(rows->get_Item(index, &row)) || !row)
            continue;
        HvRow* candidate = HvRow::FromObject(row);
        if (candidate && candidate->GetBand() == own->GetBand() && candidate->GetParentRow() == own->GetParentRow()) {
            found = Out(row);
            break;
        }
        row->Release();
    }
    rows->Release();
    return found;
}

void ControlKeyActionHost::ScrollActiveRowRegionPage(bool down)
{
    if (auto* region = dynamic_cast<HvRowScrollRegion*>(control_.GetActiveRowScrollRegion()))
        region->Scroll(down ? hvRowScrollActionPageDown : hvRowScrollActionPageUp);
}
