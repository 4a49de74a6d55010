// The grid's selectable objects as targets of the selection strategies.
#include "ControlSelectionTargets.h"

#include "HvBand.h"
#include "HvCell.h"
#include "HvColumn.h"
#include "HvGroup.h"
#include "HvRow.h"
#include "HvSelectableItem.h"
#include "HvTavelle.h"

namespace {

constexpr DISPID kAllowColMoving = 0x423;
constexpr DISPID kAllowGroupMoving = 0x429;
constexpr DISPID kCellClickAction = 0x83e;
constexpr DISPID kMaxSelectedCells = 0x42e;
constexpr DISPID kMaxSelectedRows = 0x42f;
constexpr LONG kMovingNotAllowed = 1;
constexpr LONG kClickActionEdit = 1;

CAutomationObject* ObjectOf(HvSelectableItem* item)
{
    HvKeyedItem* keyed = item ? item->KeyedItem() : nullptr;
    return keyed ? keyed->GetItemObject() : nullptr;
}

HvBand* BandOf(HvSelectableItem* item)
{
    return item ? dynamic_cast<HvBand*>(item->OwnerBand()) : nullptr;
}

LONG BandSetting(HvSelectableItem* item, DISPID setting)
{
    HvBand* band = BandOf(item);
    return band ? band->ResolveSetting(setting) : 0;
}

} // namespace

ItemTarget::ItemTarget(ControlSelectionTargets& table, HvSelectableItem* item)
    : table_(table), item_(item), live_(ObjectOf(item)), kind_(HvTavelle::SelectableKind(item))
{
}

HvSelectableItem* ItemTarget::Item() const
{
    return live_.Alive() ? item_ : nullptr;
}

bool ItemTarget::IsLive()
{
    return live_.Alive() && CAutomationObject::IsActive(ObjectOf(item_));
}

ULONG ItemTarget::AddRefTarget()
{
    CAutomationObject* object = live_.Alive() ? ObjectOf(item_) : nullptr;
    return object ? object->AddRef() : 0;
}

ULONG ItemTarget::ReleaseTarget()
{
    CAutomationObject* object = live_.Alive() ? ObjectOf(item_) : nullptr;
    return object ? object->Release() : 0;
}

const void* ItemTarget::GetBand()
{
    HvSelectableItem* item = Item();
    return item ? item->OwnerBand() : nullptr;
}

SelectableTarget* ItemTarget::GetRow()
{
    HvSelectableItem* item = Item();
    return item && kind_ == Cell ? table_.For(item->RowItem()) : nullptr;
}

void ItemTarget::GetGroupColumns(std::vector<SelectableTarget*>& out)
{
    out.clear();
    auto* group = kind_ == Group ? dynamic_cast<HvGroup*>(Item()) : nullptr;
    if (!group)
        return;
    for (SHORT i = 0; HvColumn* column = group->GetColumnAt(i); ++i)
        if (ItemTarget* target = table_.For(column))
            out.push_back(target);
}

bool ItemTarget::IsSelected()
{
    HvSelectableItem* item = Item();
    return item && item->IsSelected();
}

void ItemTarget::SetSelected(bool selected)
{
    if (HvSelectableItem* item = Item())
        item->SetSelected(selected);
}

bool ItemTarget::IsSelectedThroughColumns()
{
    return kind_ == Group && IsSelected();
}

void ItemTarget::SetSavedMark(bool saved)
{
    // Rows keep their selected state of the press while a Ctrl drag runs.
    auto* row = kind_ == Row ? dynamic_cast<HvRow*>(Item()) : nullptr;
    if (!row)
        return;
    if (saved)
        row->BeginSelectionSnapshot();
    else
        row->EndSelectionSnapshot();
}

bool ItemTarget::IsTabStop()
{
    HvSelectableItem* item = Item();
    if (!item)
        return false;
    auto* cell = kind_ == Cell ? dynamic_cast<HvCell*>(item) : nullptr;
    return !cell || cell->IsTabStop();
}

bool ItemTarget::ActivateByKey(bool byTab)
{
    return byTab && kind_ == Cell && Item() && BandSetting(Item(), kCellClickAction) == kClickActionEdit;
}

bool ItemTarget::ActivateOnClick(bool, bool)
{
    HvSelectableItem* item = Item();
    if (!item)
        return true;
    HvTavelle& control = table_.Control();
    if (kind_ == Row) {
        auto* row = dynamic_cast<HvRow*>(item);
        if (!row || control.GetActiveRow() == row)
            return false;
        control.ChangeActiveRow(row);
        return control.GetActiveRow() != row;
    }
    if (kind_ == Cell) {
        auto* cell = dynamic_cast<HvCell*>(item);
        if (!cell || control.GetActiveCell() == cell)
            return false;
        control.ActivateCellWithEvents(cell);
        return control.GetActiveCell() != cell;
    }
    return false;
}

void ItemTarget::EnterEditMode()
{
    HvSelectableItem* item = Item();
    HvBand* band = BandOf(item);
    if (kind_ == Cell && band && !band->IsRowsetUnavailable())
        item->EnterEditMode();
}

bool ItemTarget::CanDragMove()
{
    HvSelectableItem* item = Item();
    if (!item)
        return false;
    if (kind_ == Column)
        return BandSetting(item, kAllowColMoving) != kMovingNotAllowed;
    if (kind_ == Group)
        return BandSetting(item, kAllowGroupMoving) != kMovingNotAllowed;
    return false;
}

void ItemTarget::BeginHeaderDrag()
{
    if (HvSelectableItem* item = Item(); item && (kind_ == Column || kind_ == Group))
        table_.Control().BeginHeaderDrag(item);
}

void ItemTarget::OnHeaderClick()
{
    if (auto* column = kind_ == Column ? dynamic_cast<HvColumn*>(Item()) : nullptr)
        column->OnHeaderClick();
}

LONG ItemTarget::SelectionLimit()
{
    if (kind_ == Row)
        return BandSetting(Item(), kMaxSelectedRows);
    if (kind_ == Cell)
        return BandSetting(Item(), kMaxSelectedCells);
    return 0;
}

ItemTarget* ControlSelectionTargets::For(HvSelectableItem* item)
{
    CAutomationObject* object = ObjectOf(item);
    if (!object || !IsValidObjectPointer(object) || HvTavelle::SelectableKind(item) < 0)
        return nullptr;
    auto found = targets_.find(item);
    if (found != targets_.end()) {
        if (found->second->Alive())
            return found->second.get();
        // Another object lives at the dead one's address.
        retired_.push_back(std::move(found->second));
        targets_.erase(found);
    }
    auto target = std::make_unique<ItemTarget>(*this, item);
    ItemTarget* made = target.get();
    targets_.emplace(item, std::move(target));
    return made;
}

HvSelectableItem* ControlSelectionTargets::ItemOf(SelectableTarget* target)
{
    auto* own = dynamic_cast<ItemTarget*>(target);
    return own ? own->Item() : nullptr;
}

void ControlSelectionTargets::Prune()
{
    retired_.clear();
    for (auto it = targets_.begin(); it != targets_.end();) {
        if (it->second->Alive())
            ++it;
        else
            it = targets_.erase(it);
    }
}
