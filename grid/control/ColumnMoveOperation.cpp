// ColumnMoveOperation: the dragged columns, their drop test, the group-area
// search and the move in the band's column order or among a group's header
// levels, with its events.
#include "ColumnMoveOperation.h"

#include "ColumnLayoutSeam.h"
#include "ColumnSettingIds.h"
#include "HeaderDragHost.h"
#include "HeaderMoveEvent.h"
#include "HvBand.h"
#include "HvColumn.h"
#include "HvGroup.h"
#include "HvGroupCols.h"
#include "HvSelectedCols.h"
#include "LevelColumnLists.h"
#include "RefHolder.h"

#include <algorithm>
#include <new>

namespace {

constexpr LONG NotAllowed = 1;
constexpr LONG WithinGroup = 2;
constexpr LONG WithinBand = 3;

HvColumn* ColumnOf(HvColumnGroupImpl* item)
{
    return dynamic_cast<HvColumn*>(item);
}

bool SameObject(IUnknown* a, IUnknown* b)
{
    if (a == b)
        return true;
    if (!a || !b)
        return false;
    IUnknown* ua = nullptr;
    IUnknown* ub = nullptr;
    a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ua));
    b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ub));
    const bool same = ua && ua == ub;
    if (ua)
        ua->Release();
    if (ub)
        ub->Release();
    return same;
}

// The group's column list rebuilt level by level from the arranged lists:
// its own columns take the level and place found there, columns from
// elsewhere join it there.
HRESULT RebuildGroup(HvGroup* group, const LevelColumnLists& levels)
{
    HvGroupCols* list = group->GetGroupCols(true);
    if (!list)
        return E_FAIL;
    for (SHORT level = 0; static_cast<size_t>(level) < levels.ListCount(); ++level) {
        SHORT index = 0;
        for (HvColumn* column : *levels.GetLevel(level)) {
            HRESULT hr = S_OK;
            if (column->GetGroup() != group) {
                VARIANT levelValue;
                VariantInit(&levelValue);
                V_VT(&levelValue) = VT_I2;
                V_I2(&levelValue) = level;
                hr = column->MoveToGroup(group, &levelValue, index);
            } else {
                if (column->Level() != level)
                    column->SetLevel(level, true);
                bool moved = false;
                hr = list->MoveColumnTo(column, index, &moved);
            }
            if (FAILED(hr))
                return hr;
            ++index;
        }
    }
    return S_OK;
}

} // namespace

ColumnMoveOperation::ColumnMoveOperation(HvBand* band, HeaderDragHost* host) : HeaderDragOperation(band, host) {}

LONG ColumnMoveOperation::AllowColMoving()
{
    return m_band ? m_band->ResolveSetting(ColumnSettingId::AllowColMoving) : NotAllowed;
}

bool ColumnMoveOperation::Begin(HvColumnGroupImpl* itemUnderMouse)
{
    const LONG allow = AllowColMoving();
    if (allow == NotAllowed)
        return false;
    CollectItems(itemUnderMouse);
    if (allow == WithinGroup && !ShareOneGroup()) {
        m_items.clear();
        return false;
    }
    return !m_items.empty();
}

void ColumnMoveOperation::CollectItems(HvColumnGroupImpl* itemUnderMouse)
{
    m_items.clear();
    if (m_band) {
        for (HvKeyedItem* entry : m_band->GetHeaderOrder()) {
            if (auto* column = dynamic_cast<HvColumn*>(entry)) {
                if (column->IsSelectedItem())
                    m_items.push_back(column);
            } else if (auto* group = dynamic_cast<HvGroup*>(entry)) {
                HvGroupCols* columns = group->GetGroupCols(false);
                for (LONG i = 0; columns && i < columns->ItemCount(); ++i) {
                    auto* member = dynamic_cast<HvColumn*>(columns->ItemAtPosition(i));
                    if (member && member->IsSelectedItem())
                        m_items.push_back(member);
                }
            }
        }
    }
    if (m_items.empty() && ColumnOf(itemUnderMouse))
        m_items.push_back(itemUnderMouse);
}

bool ColumnMoveOperation::ShareOneGroup() const
{
    if (m_items.empty())
        return true;
    HvGroup* first = ColumnOf(m_items.front())->GetGroup();
    return std::all_of(m_items.begin(), m_items.end(),
                       [first](HvColumnGroupImpl* item) { return ColumnOf(item)->GetGroup() == first; });
}

bool ColumnMoveOperation::AcceptsObject(HvSelectableItem* object)
{
    const LONG kind = HeaderDragKind(object);
    return kind == HvDragKindColumn || kind == HvDragKindGroup;
}

bool ColumnMoveOperation::InRegionAllowed(HvColumn* column, POINT point)
{
    if (!m_host->HasColScrollRegions())
        return true;
    IHvColScrollRegion* region = m_host->ColScrollRegionAt(point.x);
    if (!region)
        return false;
    IHvColScrollRegion* exclusive = column->GetExclusiveColScrollRegion();
    // Every region stays open to columns without an exclusive region.
    return !exclusive || SameObject(exclusive, region);
}

bool ColumnMoveOperation::ItemCanDropAt(HvColumnGroupImpl* item, const HeaderDragTarget& target, POINT point)
{
    HvColumn* column = ColumnOf(item);
    if (!column || !InRegionAllowed(column, point))
        return false;
    const LONG allow = AllowColMoving();
    if (HvColumn* targetColumn = target.GetColumn()) {
        if (allow == WithinGroup && targetColumn->GetGroup())
            return targetColumn->GetGroup() == column->GetGroup();
        if (allow == WithinGroup || allow == WithinBand)
            return targetColumn->HvColumnGroupImpl::Band() == column->HvColumnGroupImpl::Band();
        return false;
    }
    HvGroup* group = target.GetGroup();
    if (group && group->HvColumnGroupImpl::Band() != column->HvColumnGroupImpl::Band())
        return false;
    if (allow == WithinGroup)
        return group == column->GetGroup();
    return allow == WithinBand;
}

bool ColumnMoveOperation::FindTargetInGroupArea(POINT point, HeaderDragTarget* target, RECT* rectangle)
{
    if (HvColumnGroupImpl* named = HeaderItemOf(target->object)) {
        for (HvColumnGroupImpl* item : m_items) {
            if (item->Band() != named->Band())
                return false;
        }
    }
    DragBandHeaders headers;
    if (!m_host || !m_band || !m_host->BandHeadersAt(point, &headers))
        return false;
    const DragBandHeaders::Child* hit = nullptr;
    for (const DragBandHeaders::Child& child : headers.children) {
        if (child.rect.left < point.x && point.x < child.rect.right &&
            HeaderDragKind(child.object) == HvDragKindGroup) {
            hit = &child;
            break;
        }
    }
    if (!hit)
        return false;
    target->group = dynamic_cast<HvGroup*>(hit->object);
    const LONG levels = std::max<LONG>(m_band->LevelCount(), 1);
    const LONG levelHeight = m_band->ColumnHeaderHeight() / levels;
    const LONG below = point.y - hit->rect.bottom;
    LONG level = -1;
    if (levelHeight > 0 && below >= 0 && below / levelHeight < levels)
        level = below / levelHeight;
    target->level = static_cast<std::int16_t>(level);
    if (rectangle) {
        rectangle->left = hit->rect.left;
        rectangle->right = hit->rect.right;
        rectangle->top = hit->rect.bottom + level * levelHeight;
        rectangle->bottom = rectangle->top + levelHeight;
    }
    return level != -1 && target->group;
}

void ColumnMoveOperation::DropSide(HeaderDragTarget* target, POINT point, const RECT& rectangle)
{
    if (target->IsGroup()) {
        target->side = 0;
        return;
    }
    HeaderDragOperation::DropSide(target, point, rectangle);
}

bool ColumnMoveOperation::IsBandOrderTarget(const HeaderDragTarget& target)
{
    HvColumn* column = target.GetColumn();
    return column && !column->GetGroup();
}

bool ColumnMoveOperation::NewBandOrder(const HeaderDragTarget& target, std::vector<HvKeyedItem*>* order)
{
    *order = m_band->SnapshotColumnHeaderOrder();
    return Reorder(*order, DraggedKeys(), target.GetColumn(), target.side);
}

bool ColumnMoveOperation::CanDrop(POINT point, HeaderDragTarget* target, RECT* rectangle)
{
    if (!m_band)
        return false;
    // The answer depends on the side the headers would land on.
    if (rectangle)
        DropSide(target, point, *rectangle);
    if (!ShareOneGroup())
        return true;
    if (IsGroupTarget(*target)) {
        GroupDrop drop;
        return MakeGroupDrop(*target, &drop) && MovesAnyInGroup(drop);
    }
    if (!IsBandOrderTarget(*target))
        return false;
    std::vector<HvKeyedItem*> order;
    if (!NewBandOrder(*target, &order))
        return false;
    return MovesAny(m_band->ColumnHeaderOrder(), order, DraggedKeys());
}

bool ColumnMoveOperation::PerformMove(POINT point, HeaderDragTarget* target, RECT* rectangle)
{
    if (!target->IsColumn() && !target->IsGroup() && !target->IsEmpty())
        return true;
    if (!MayMove())
        return true;
    RefHolder hold(m_host->ControlUnknown());
    if (rectangle)
        DropSide(target, point, *rectangle);
    if (!m_band)
        return false;
    if (IsGroupTarget(*target)) {
        GroupDrop drop;
        return MakeGroupDrop(*target, &drop) && MoveInGroup(drop);
    }
    std::vector<HvKeyedItem*> order;
    if (!IsBandOrderTarget(*target) || !NewBandOrder(*target, &order))
        return false;
    return MoveInBand(*target, order);
}

bool ColumnMoveOperation::MoveInBand(const HeaderDragTarget& target, const std::vector<HvKeyedItem*>& order)
{
    HvColumn* targetColumn = target.GetColumn();
    const auto place = [&](HvColumn* column, HvColumn::LevelRecord* record) {
        record->visiblePosition = static_cast<SHORT>(IndexOf(order, dynamic_cast<HvKeyedItem*>(column)));
        record->level = targetColumn->Level();
        record->group = targetColumn->GetGroup();
    };
    return MoveWithEvents(place, [&] { return SUCCEEDED(m_band->SetColumnHeaderOrder(order, nullptr)); });
}

bool ColumnMoveOperation::IsGroupTarget(const HeaderDragTarget& target) const
{
    if (HvColumn* column = target.GetColumn()) {
        if (!column->GetGroup())
            return false;
    } else if (!target.IsGroup() && !target.IsEmpty()) {
        return false;
    }
    HvGroup* group = target.GetGroup();
    if (!group || m_items.empty())
        return false;
    return group->HvColumnGroupImpl::Band() == m_items.front()->Band();
}

bool ColumnMoveOperation::MakeGroupDrop(const HeaderDragTarget& target, GroupDrop* drop) const
{
    try {
        for (HvColumnGroupImpl* item : m_items)
            drop->dragged.push_back(ColumnOf(item));
    } catch (const std::bad_alloc&) {
        return false;
    }
    drop->arrangement.reset(new (std::nothrow) HeaderArrangement(target, &drop->dragged));
    return drop->arrangement && drop->arrangement->Levels() && drop->arrangement->IsValid();
}

bool ColumnMoveOperation::MovesAnyInGroup(const GroupDrop& drop)
{
    for (HvColumn* column : drop.dragged) {
        HeaderArrangement::Position arranged;
        if (FAILED(drop.arrangement->FindColumnPosition(column, &arranged)))
            continue;
        HvGroup* group = column->GetGroup();
        HvGroupCols* list = group ? group->GetGroupCols(false) : nullptr;
        SHORT index = -1;
        SHORT level = -1;
        if (!list || FAILED(list->GetLevelPosition(column, &index, &level)))
            return true;
        if (group != arranged.owner || level != arranged.level || index != arranged.index)
            return true;
    }
    return false;
}

bool ColumnMoveOperation::MoveInGroup(const GroupDrop& drop)
{
    const HeaderArrangement& arrangement = *drop.arrangement;
    const auto place = [&](HvColumn* column, HvColumn::LevelRecord* record) {
        HeaderArrangement::Position arranged;
        arrangement.FindColumnPosition(column, &arranged);
        record->visiblePosition = arranged.index;
        record->level = arranged.level;
        record->group = arranged.owner;
    };
    return MoveWithEvents(place, [&] { return SUCCEEDED(RebuildGroup(arrangement.Group(), *arrangement.Levels())); });
}

bool ColumnMoveOperation::MoveWithEvents(const std::function<void(HvColumn*, HvColumn::LevelRecord*)>& place,
                                         const std::function<bool()>& apply)
{
    ColumnLayoutSeam* layout = m_band->ColumnLayout();
    if (!layout)
        return false;
    SelectionLayoutSeam* selection = layout->SelectionLayout();
    HeaderMoveEvent<HvColumn, HvSelectedCols> event([selection] { return HvSelectedCols::Create(selection, true); });
    {
        HeaderMovingMarks marks(m_items);
        for (HvColumnGroupImpl* item : m_items) {
            HvColumn* copy = ColumnOf(item)->MakeLevelCopy(hvPosMoved);
            if (!copy || !event.AddCopy(copy))
                return false;
            place(ColumnOf(item), copy->GetLevelRecord());
        }
        if (!event.IsReady())
            return false;
        if (m_host->CanFireEvents() && m_host->FireBeforeColPosChanged(hvPosMoved, event.Copies()))
            return false;
    }
    if (!apply())
        return false;
    for (HvColumnGroupImpl* item : m_items)
        item->Notify(HvColumnGroupImpl::VisiblePositionId);
    m_host->HeadersMoved();
    if (m_host->CanFireEvents())
        m_host->FireAfterColPosChanged(hvPosMoved, event.Sources(m_items));
    return true;
}
