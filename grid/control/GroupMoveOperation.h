// GroupMoveOperation: the drag of one or more group headers: the selected
// groups (else the one under the mouse) move before or after the group
// they are dropped on, between BeforeGroupPosChanged and
// AfterGroupPosChanged.
#pragma once

#include "HeaderDragOperation.h"

class GroupMoveOperation final : public HeaderDragOperation
{
public:
    // band and host are not referenced.
    GroupMoveOperation(HvBand* band, HeaderDragHost* host);

    bool Begin(HvColumnGroupImpl* itemUnderMouse) override;
    bool CanDrop(POINT point, HeaderDragTarget* target, RECT* rectangle) override;
    bool PerformMove(POINT point, HeaderDragTarget* target, RECT* rectangle) override;
    void CollectItems(HvColumnGroupImpl* itemUnderMouse) override;
    bool AcceptsObject(HvSelectableItem* object) override;

private:
    bool ItemCanDropAt(HvColumnGroupImpl* item, const HeaderDragTarget& target, POINT point) override;
    LONG AllowGroupMoving();
    // The band's group order after the drop; false when nothing moves.
    bool NewGroupOrder(const HeaderDragTarget& target, std::vector<HvKeyedItem*>* order);
};
