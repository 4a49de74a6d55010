// HvSplitterIntersectionUIElement: the square where a column splitter bar crosses a row
// splitter bar; dragging it moves both splitters at once.
#pragma once

#include "HvSplitterUIElementBase.h"

class HvSplitterIntersectionUIElement final : public HvSplitterUIElementBase {
public:
    // One reference, handed over; null when out of memory.
    static HvSplitterIntersectionUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    void DrawBorders(CDrawContext& context, const RECT& area, const AppearanceData& data) override;

private:
    HvSplitterIntersectionUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
};
