// GroupMoveOperation: the dragged groups, their drop test and the move in
// the band's group order with its events.
#include "GroupMoveOperation.h"

#include "ColumnSettingIds.h"
#include "HeaderDragHost.h"
#include "HeaderMoveEvent.h"
#include "HvBand.h"
#include "HvGroup.h"
#include "HvGroups.h"
#include "RefHolder.h"

namespace {

constexpr LONG NotAllowed = 1;
constexpr LONG WithinBand = 2;

} // namespace

GroupMoveOperation::GroupMoveOperation(HvBand* band, HeaderDragHost* host) : HeaderDragOperation(band, host) {}

LONG GroupMoveOperation::AllowGroupMoving()
{
    return m_band ? m_band->ResolveSetting(ColumnSettingId::AllowGroupMoving) : NotAllowed;
}

bool GroupMoveOperation::Begin(HvColumnGroupImpl* itemUnderMouse)
{
    if (AllowGroupMoving() == NotAllowed)
        return false;
    CollectItems(itemUnderMouse);
    return !m_items.empty();
}

void GroupMoveOperation::CollectItems(HvColumnGroupImpl* itemUnderMouse)
{
    m_items.clear();
    if (m_band) {
        for (HvKeyedItem* entry : m_band->GroupHeaderOrder()) {
            auto* group = dynamic_cast<HvGroup*>(entry);
            if (group && group->IsSelectedItem())
                m_items.push_back(group);
        }
    }
    if (m_items.empty() && dynamic_cast<HvGroup*>(itemUnderMouse))
        m_items.push_back(itemUnderMouse);
}

bool GroupMoveOperation::AcceptsObject(HvSelectableItem* object)
{
    return HeaderDragKind(object) == HvDragKindGroup;
}

bool GroupMoveOperation::ItemCanDropAt(HvColumnGroupImpl* item, const HeaderDragTarget& target, POINT)
{
    HvGroup* group = target.IsGroup() ? target.GetGroup() : nullptr;
    return AllowGroupMoving() == WithinBand && group && group->HvColumnGroupImpl::Band() == item->Band();
}

bool GroupMoveOperation::NewGroupOrder(const HeaderDragTarget& target, std::vector<HvKeyedItem*>* order)
{
    *order = m_band->SnapshotGroupHeaderOrder();
    return Reorder(*order, DraggedKeys(), target.GetGroup(), target.side);
}

bool GroupMoveOperation::CanDrop(POINT point, HeaderDragTarget* target, RECT* rectangle)
{
    if (!m_band)
        return false;
    // The answer depends on the side the group would land on.
    if (rectangle)
        DropSide(target, point, *rectangle);
    if (HasSeveralItems())
        return true;
    if ((!target->IsColumn() && !target->IsGroup()) || !target->GetGroup())
        return false;
    std::vector<HvKeyedItem*> order;
    return NewGroupOrder(*target, &order) && MovesAny(m_band->GroupHeaderOrder(), order, DraggedKeys());
}

bool GroupMoveOperation::PerformMove(POINT point, HeaderDragTarget* target, RECT* rectangle)
{
    if (!target->IsGroup() || !MayMove())
        return true;
    RefHolder hold(m_host->ControlUnknown());
    if (rectangle)
        DropSide(target, point, *rectangle);
    std::vector<HvKeyedItem*> order;
    if (!m_band || !NewGroupOrder(*target, &order))
        return false;
    HvBand* band = m_band;
    HeaderMoveEvent<HvGroup, HvGroups> event([band] {
        HvGroups* groups = nullptr;
        return SUCCEEDED(HvGroups::Create(band, true, &groups)) ? groups : nullptr;
    });
    {
        HeaderMovingMarks marks(m_items);
        for (HvColumnGroupImpl* item : m_items) {
            HvGroup* copy = static_cast<HvGroup*>(item)->Clone(hvPosMoved, false);
            if (!copy || !event.AddCopy(copy))
                return false;
            copy->GetLevelRecord()->visiblePosition =
                static_cast<SHORT>(IndexOf(order, dynamic_cast<HvKeyedItem*>(item)));
        }
        if (m_host->CanFireEvents() && m_host->FireBeforeGroupPosChanged(hvPosMoved, event.Copies()))
            return false;
    }
    if (FAILED(m_band->SetGroupHeaderOrder(order, nullptr)))
        return false;
    for (HvColumnGroupImpl* item : m_items)
        item->Notify(HvColumnGroupImpl::VisiblePositionId);
    m_host->HeadersMoved();
    if (m_host->CanFireEvents())
        m_host->FireAfterGroupPosChanged(hvPosMoved, event.Sources(m_items));
    return true;
}
