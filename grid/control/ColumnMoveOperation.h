// ColumnMoveOperation: the drag of one or more column headers: the selected
// columns (else the one under the mouse) move before or after the column
// they are dropped on, between BeforeColPosChanged and AfterColPosChanged.
#pragma once

#include "HeaderDragOperation.h"

class HvColumn;

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
};
