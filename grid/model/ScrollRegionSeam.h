// ScrollRegionSeam: what the change-refresh helpers need of a row or column
// scroll region of the grid display.
#pragma once

class ScrollRegionSeam {
public:
    // Bit 2 of the region's flags byte.
    virtual bool IsHidden() const = 0;
    // The region's size in pixels.
    virtual long GetSize() const = 0;

protected:
    ~ScrollRegionSeam() = default;
};
