// RowSizing: the drag range and the end of a row sizing drag.
#include "RowSizing.h"

#include "DisplayRowSeam.h"
#include "HvRowUIElement.h"

void RowSizingRange(HvUIElement& element, AdjustmentRange& range)
{
    range = AdjustmentRange{};
    HvRowUIElement* row = HvRowUIElement::Above(&element);
    if (!row || !row->Row() || row->Row()->IsFixedHeight())
        return;
    HvUIElement* intersection = element.ResolveUIElementOfType(UIElementType::RowColRegionIntersection);
    HvUIElement* dataArea = element.ResolveUIElementOfType(UIElementType::DataArea);
    const RECT rect = row->GetRect();
    const RECT bounds = intersection ? intersection->GetRect() : rect;
    const RECT area = dataArea ? dataArea->GetRect() : bounds;
    long shrink = row->Row()->Height() - row->Row()->MinHeight();
    if (rect.bottom - shrink < bounds.top)
        shrink = rect.bottom - bounds.top;
    const long grow = bounds.bottom - 1 - rect.bottom;
    range.limits[0] = shrink < 0 ? 0 : shrink;
    range.limits[1] = grow < 0 ? 0 : grow;
    range.vertical = RECT{area.left, rect.bottom - 1, area.right, rect.bottom};
}

void RowSizingApply(HvUIElement& element, int change)
{
    HvRowUIElement* row = HvRowUIElement::Above(&element);
    if (change == 0 || !element.IsAlive() || !row || !row->Row())
        return;
    row->Row()->Resize(row->Row()->Height() + change);
}
