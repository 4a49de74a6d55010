// HvRowScrollBarUIElement: stands for a row scroll region's vertical scroll-bar window,
// which draws itself.
#pragma once

#include "HvRegionTileUIElement.h"

class HvRowScrollBarUIElement final : public HvRegionTileUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvRowScrollBarUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    bool IsDrawn() override { return false; }

private:
    HvRowScrollBarUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
};
