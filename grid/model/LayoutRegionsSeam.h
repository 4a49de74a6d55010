// LayoutRegionsSeam: the scroll regions of the layout that shows an object,
// as the change-refresh helpers walk them. A layout without a column-region
// collection answers a count of 0 (it is not created for a refresh).
#pragma once

class ScrollRegionSeam;

class LayoutRegionsSeam {
public:
    virtual int RowScrollRegionCount() const = 0;
    // Null entries are allowed.
    virtual ScrollRegionSeam* RowScrollRegionAt(int index) const = 0;
    virtual int ColScrollRegionCount() const = 0;
    virtual ScrollRegionSeam* ColScrollRegionAt(int index) const = 0;

protected:
    ~LayoutRegionsSeam() = default;
};
