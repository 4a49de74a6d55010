// HvColSplitBoxUIElement: the small box at the start of the first column region's scroll
// bar; dragging it splits off a new column scroll region.
#pragma once

#include "HvSplitterUIElementBase.h"

class HvColSplitBoxUIElement final : public HvSplitterUIElementBase {
public:
    // One reference, handed over; null when out of memory.
    static HvColSplitBoxUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

private:
    HvColSplitBoxUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
};
