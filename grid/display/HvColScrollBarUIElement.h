// HvColScrollBarUIElement: stands for a column scroll region's horizontal scroll-bar
// window, which draws itself.
#pragma once

#include "HvRegionTileUIElement.h"

class HvColScrollBarUIElement final : public HvRegionTileUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvColScrollBarUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    bool IsDrawn() override { return false; }

private:
    HvColScrollBarUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
};
