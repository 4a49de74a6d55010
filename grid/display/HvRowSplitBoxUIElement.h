// HvRowSplitBoxUIElement: the small box at the top of the first row region's scroll bar;
// dragging it splits off a new row scroll region.
#pragma once

#include "HvSplitterUIElementBase.h"

class HvRowSplitBoxUIElement final : public HvSplitterUIElementBase {
public:
    // One reference, handed over; null when out of memory.
    static HvRowSplitBoxUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

private:
    HvRowSplitBoxUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
};
