// HvSplitterUIElementBase: sizing scroll regions by their splitters.
#include "HvSplitterUIElementBase.h"

#include "ElementCursors.h"
#include "HvColScrollRegion.h"
#include "HvColScrollRegions.h"
#include "HvLayout.h"
#include "HvRowScrollRegion.h"
#include "HvRowScrollRegions.h"
#include "UIElementLayoutSeam.h"

bool HvSplitterUIElementBase::SizesColumns()
{
    if (!columns_)
        return false;
    if (splitBox_)
        return true;
    HvColScrollRegion* region = ColRegion();
    return region && CAutomationObject::IsActive(region) && region->SizingMode() != ScrollRegionItem::SizingModeFixed;
}

bool HvSplitterUIElementBase::SizesRows()
{
    if (!rows_)
        return false;
    if (splitBox_)
        return true;
    HvRowScrollRegion* region = RowRegion();
    return region && CAutomationObject::IsActive(region) && region->SizingMode() != ScrollRegionItem::SizingModeFixed;
}

long HvSplitterUIElementBase::GetBorderStyle()
{
    return HvLayout::GetSplitterBorderStyle();
}

HCURSOR HvSplitterUIElementBase::GetAdjustCursor()
{
    const bool columns = SizesColumns();
    const bool rows = SizesRows();
    if (columns && rows)
        return GetElementCursor(ElementCursor::SizeBoth);
    if (columns)
        return GetElementCursor(ElementCursor::SizeColumnRegions);
    if (rows)
        return GetElementCursor(ElementCursor::SizeRowRegions);
    return nullptr;
}

RECT HvSplitterUIElementBase::DataArea()
{
    HvUIElement* parent = GetParent();
    return parent ? parent->GetRect() : RECT{};
}

void HvSplitterUIElementBase::AxisRoom(bool horizontal, long& shrink, long& grow)
{
    const RECT area = DataArea();
    const RECT own = GetRect();
    long low = horizontal ? area.left : area.top;
    long high = horizontal ? area.right : area.bottom;
    const long start = horizontal ? own.left : own.top;
    const long end = horizontal ? own.right : own.bottom;
    if (HvUIElement* parent = GetParent()) {
        for (HvUIElement* sibling : parent->ChildSnapshot()) {
            if (sibling != this && sibling->Type() == Type()) {
                const RECT r = sibling->GetRect();
                const long otherStart = horizontal ? r.left : r.top;
                const long otherEnd = horizontal ? r.right : r.bottom;
                if (otherEnd <= start && otherEnd > low)
                    low = otherEnd;
                if (otherStart >= end && otherStart < high)
                    high = otherStart;
            }
            sibling->Release();
        }
    }
    shrink = start > low ? start - low : 0;
    grow = high > end ? high - end : 0;
}

void HvSplitterUIElementBase::GetAdjustmentRange(AdjustmentRange& range)
{
    range = AdjustmentRange{};
    const RECT area = DataArea();
    const RECT own = GetRect();
    if (SizesColumns()) {
        AxisRoom(true, range.limits[2], range.limits[3]);
        range.horizontal = RECT{own.left + 1, area.top, own.right - 2, area.bottom};
    }
    if (SizesRows()) {
        AxisRoom(false, range.limits[0], range.limits[1]);
        range.vertical = RECT{area.left, own.top + 1, area.right, own.bottom - 2};
    }
}

void HvSplitterUIElementBase::ApplyAdjustment(int horizontalChange, int verticalChange)
{
    if (!IsAlive())
        return;
    UIElementLayoutSeam* seam = GetLayout();
    HvLayout* layout = seam ? seam->ModelLayout() : nullptr;
    if (!layout)
        return;
    const RECT area = DataArea();
    const RECT own = GetRect();
    // Splitter positions count from the data area's edge.
    if (horizontalChange != 0 && SizesColumns())
        if (HvColScrollRegions* regions = layout->ColScrollRegions())
            regions->MoveSplitter(own.left - area.left + horizontalChange, splitBox_ ? nullptr : ColRegion());
    if (verticalChange != 0 && SizesRows() && (splitBox_ || CAutomationObject::IsActive(RowRegion())))
        if (HvRowScrollRegions* regions = layout->RowScrollRegions())
            regions->MoveSplitter(own.top - area.top + verticalChange, splitBox_ ? nullptr : RowRegion());
}
