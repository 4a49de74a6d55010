// HvColSplitterBarUIElement: the bar between two column scroll regions; dragging it moves their
// common edge. Only its left and right sides carry the raised border.
#pragma once

#include "HvSplitterUIElementBase.h"

class HvColSplitterBarUIElement final : public HvSplitterUIElementBase {
public:
    // One reference, handed over; null when out of memory.
    static HvColSplitterBarUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    UINT GetBorderSides() override { return 5; }

private:
    HvColSplitterBarUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
};
