// ColumnMoveOperation: the drag of one or more column headers: the selected
// columns (else the one under the mouse) move before or after the column
// they are dropped on, between BeforeColPosChanged and AfterColPosChanged.
#pragma once

#include "HeaderArrangement.h"
#include "HeaderDragOperation.h"
#include "HvColumn.h"

#include <functional>
#include <memory>

class ColumnMoveOperation final : public HeaderDragOperation
{
public:
    // band and host are not referenced.
    ColumnMoveOperation(HvBand* band, HeaderDragHost* host);

    bool Begin(HvColumnGroupImpl* itemUnderMouse) override;
    bool FindTargetInGroupArea(POINT point, HeaderDragTarget* target, RECT* rectangle) override;
    bool CanDrop(POINT point, HeaderDragTarget* target, RECT* rectangle) override;
    bool PerformMove(POINT point, HeaderDragTarget* target, RECT* rectangle) override;
    void CollectItems(HvColumnGroupImpl* itemUnderMouse) override;
    void DropSide(HeaderDragTarget* target, POINT point, const RECT& rectangle) override;
    bool AcceptsObject(HvSelectableItem* object) override;

private:
    bool ItemCanDropAt(HvColumnGroupImpl* item, const HeaderDragTarget& target, POINT point) override;
    bool InRegionAllowed(HvColumn* column, POINT point);
    LONG AllowColMoving();
    // Every dragged column has the same group (none counting as one).
    bool ShareOneGroup() const;
    // A target column outside any group: the drop reorders the band.
    static bool IsBandOrderTarget(const HeaderDragTarget& target);
    // The band's column order after the drop; false when nothing moves.
    bool NewBandOrder(const HeaderDragTarget& target, std::vector<HvKeyedItem*>* order);
    bool MoveInBand(const HeaderDragTarget& target, const std::vector<HvKeyedItem*>& order);

    // A drop among a group's header levels: the dragged columns and the
    // group's arrangement with them placed at the target.
    struct ReleaseArrangement {
        void operator()(HeaderArrangement* arrangement) const { arrangement->Release(); }
    };
    struct GroupDrop {
        std::vector<HvColumn*> dragged;
        std::unique_ptr<HeaderArrangement, ReleaseArrangement> arrangement;
    };
    // The target names a group (its own, a column's, or a header area's) in
    // the dragged columns' band.
    bool IsGroupTarget(const HeaderDragTarget& target) const;
    // False when the arrangement cannot be built or the target is not in it.
    bool MakeGroupDrop(const HeaderDragTarget& target, GroupDrop* drop) const;
    // Some dragged column would change its group, level or place in level.
    static bool MovesAnyInGroup(const GroupDrop& drop);
    bool MoveInGroup(const GroupDrop& drop);
    // Fires Before with level copies placed by place, runs apply unless
    // cancelled, then fires After with the real columns.
    bool MoveWithEvents(const std::function<void(HvColumn*, HvColumn::LevelRecord*)>& place,
                        const std::function<bool()>& apply);
};
