// HvSplitterUIElementBase: what the splitter bars, the split boxes and the
// splitter intersection share: a raised border, the whole rectangle as the
// sizing area, the module's sizing cursors, the drag range across the data
// area up to the next splitter of the same kind, and the end of a drag that
// moves a splitter (or splits a region, from a split box).
#pragma once

#include "HvRegionTileUIElement.h"

class HvSplitterUIElementBase : public HvRegionTileUIElement {
public:
    void ApplyAdjustment(int horizontalChange, int verticalChange) override;
    void GetAdjustmentRange(AdjustmentRange& range) override;
    bool PointInAdjustableArea(POINT point) override { return PointInElement(point); }
    long GetBorderStyle() override;
    bool IsAdjustable() override { return SizesColumns() || SizesRows(); }
    HCURSOR GetAdjustCursor() override;

protected:
    // columns: the piece moves column splitters; rows: row splitters. A
    // split box splits the region under it instead of moving a splitter.
    HvSplitterUIElementBase(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect, ULONG type,
                            bool columns, bool rows, bool splitBox)
        : HvRegionTileUIElement(layout, parent, rect, type), columns_(columns), rows_(rows), splitBox_(splitBox)
    {
    }

    // The axes the piece may size now (a region of fixed SizingMode is not
    // sized by its splitter).
    bool SizesColumns();
    bool SizesRows();

private:
    // The data area's rectangle (the parent's), empty without one.
    RECT DataArea();
    // How far the piece may move toward smaller (shrink) and larger (grow)
    // coordinates on one axis, stopping at the nearest piece of the same
    // type or at the data area's edge.
    void AxisRoom(bool horizontal, long& shrink, long& grow);

    bool columns_;
    bool rows_;
    bool splitBox_;
};
