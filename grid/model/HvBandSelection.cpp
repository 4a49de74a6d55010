// The band's part in selection: its CellClickAction and SelectType
// strategies (its override's, else the layout's) and the selection of its
// rows, cells, columns and groups through them and the grid's selection.
#include "HvBand.h"

#include "HvColumnGroupImpl.h"
#include "HvGroup.h"
#include "HvLayout.h"
#include "HvOverride.h"
#include "HvSelectableItem.h"
#include "SelectionControlSeam.h"
#include "SelectionLayoutSeam.h"

namespace {

constexpr DISPID kHeaderClickAction = 0x424;
constexpr LONG kHeaderClickSelect = 1;

SelectionControlSeam* GridOf(BandLayoutSeam* layout)
{
    SelectionLayoutSeam* side = layout ? layout->SelectionSide() : nullptr;
    return side ? side->GridControl() : nullptr;
}

} // namespace

OverrideStrategy* HvBand::GetCellClickStrategy()
{
    if (override_)
        if (OverrideStrategy* own = override_->GetCellClickActionHandler())
            return own;
    HvLayout* layout = dynamic_cast<HvLayout*>(layout_);
    return layout ? layout->GetDefaultCellClickStrategy() : nullptr;
}

SelectStrategy* HvBand::GetSelectStrategy(OverrideStrategyKind kind)
{
    OverrideStrategy* strategy = nullptr;
    if (override_) {
        switch (kind) {
        case OverrideStrategyKind::SelectTypeCell: strategy = override_->GetSelectTypeCellHandler(); break;
        case OverrideStrategyKind::SelectTypeRow: strategy = override_->GetSelectTypeRowHandler(); break;
        case OverrideStrategyKind::SelectTypeCol: strategy = override_->GetSelectTypeColHandler(); break;
        default: break;
        }
    }
    HvLayout* layout = dynamic_cast<HvLayout*>(layout_);
    if (!strategy && layout) {
        switch (kind) {
        case OverrideStrategyKind::SelectTypeCell: strategy = layout->GetDefaultCellSelectStrategy(); break;
        case OverrideStrategyKind::SelectTypeRow: strategy = layout->GetDefaultRowSelectStrategy(); break;
        case OverrideStrategyKind::SelectTypeCol: strategy = layout->GetDefaultColSelectStrategy(); break;
        default: break;
        }
    }
    return SelectStrategy::FromStrategy(strategy);
}

namespace {

// Selects through the strategy or unselects through the grid; nothing when
// the item already is as asked.
HRESULT SelectThrough(SelectStrategy* strategy, SelectionControlSeam* grid, HvSelectableItem* item, bool select,
                      bool fireEvents)
{
    if (!item)
        return E_INVALIDARG;
    if (!grid)
        return E_FAIL;
    if (item->IsSelected() == select)
        return S_OK;
    ControlHold hold(grid);
    if (!select)
        return grid->DeselectItem(item, fireEvents);
    return strategy ? strategy->SetObjectSelected(item, fireEvents) : E_OUTOFMEMORY;
}

} // namespace

HRESULT HvBand::SelectColumn(HvSelectableItem* column, bool select, bool fireEvents)
{
    return SelectThrough(GetSelectStrategy(OverrideStrategyKind::SelectTypeCol),
                         GridOf(layout_), column, select, fireEvents);
}

HRESULT HvBand::SelectRow(HvSelectableItem* row, bool select, bool fireEvents)
{
    return SelectThrough(GetSelectStrategy(OverrideStrategyKind::SelectTypeRow),
                         GridOf(layout_), row, select, fireEvents);
}

HRESULT HvBand::SelectCell(HvSelectableItem* cell, LONG select, LONG fireEvents)
{
    return SelectThrough(GetSelectStrategy(OverrideStrategyKind::SelectTypeCell),
                         GridOf(layout_), cell, select != 0, fireEvents != 0);
}

HRESULT HvBand::SelectGroup(HvGroup* group, bool select, bool fireEvents)
{
    HvSelectableItem* item = group;
    if (!item)
        return E_INVALIDARG;
    if (item->IsSelected() == select)
        return S_OK;
    SelectionControlSeam* grid = GridOf(layout_);
    if (!grid)
        return E_FAIL;
    return SelectThrough(GetSelectStrategy(OverrideStrategyKind::SelectTypeCol), grid, item, select, fireEvents);
}

// The strategies may raise automation errors and fire events whose handlers
// may do anything; nothing of it goes past the band.
void HvBand::InvokeCellSelectStrategy(HvSelectableItem* item, LONG, LONG, LONG)
{
    try {
        if (SelectStrategy* strategy = GetSelectStrategy(OverrideStrategyKind::SelectTypeCell))
            strategy->BeginSelect(item, true, true, false);
    } catch (...) {
    }
}

void HvBand::InvokeRowSelectStrategy(HvSelectableItem* row, LONG, LONG)
{
    try {
        if (SelectStrategy* strategy = GetSelectStrategy(OverrideStrategyKind::SelectTypeRow))
            strategy->BeginSelect(row, true, true, false);
    } catch (...) {
    }
}

void HvBand::CallCellSelectStrategy()
{
    if (SelectStrategy* strategy = GetSelectStrategy(OverrideStrategyKind::SelectTypeCell))
        strategy->Reset();
}

void HvBand::HandleHeaderClick(HvColumnGroupImpl* item, bool drag)
{
    auto* selectable = dynamic_cast<HvSelectableItem*>(item);
    if (!selectable)
        return;
    try {
        if (ResolveSetting(kHeaderClickAction) == kHeaderClickSelect) {
            if (SelectStrategy* strategy = GetSelectStrategy(OverrideStrategyKind::SelectTypeCol))
                strategy->BeginSelect(selectable, drag, true, false);
        } else if (SelectionControlSeam* grid = GridOf(layout_)) {
            grid->PressHeader(selectable);
        }
    } catch (...) {
    }
}

void HvBand::HandleHeaderSelect(HvColumnGroupImpl* item, LONG)
{
    if (ResolveSetting(kHeaderClickAction) == kHeaderClickSelect)
        HandleHeaderClick(item, false);
}
