// HvScrollBarIntersectionUIElement: the square at the bottom right where the last row region's
// vertical bar meets the last column region's horizontal bar.
#pragma once

#include "HvRegionTileUIElement.h"

class HvScrollBarIntersectionUIElement final : public HvRegionTileUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvScrollBarIntersectionUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

private:
    HvScrollBarIntersectionUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
};
