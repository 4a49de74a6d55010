// HvRowSplitterBarUIElement: the bar between two row scroll regions; dragging it moves their common
// edge. Only its top and bottom sides carry the raised border.
#pragma once

#include "HvSplitterUIElementBase.h"

class HvRowSplitterBarUIElement final : public HvSplitterUIElementBase {
public:
    // One reference, handed over; null when out of memory.
    static HvRowSplitterBarUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    UINT GetBorderSides() override { return 10; }

private:
    HvRowSplitterBarUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
};
