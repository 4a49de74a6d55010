// HvDataAreaUIElement: the part of the grid below the caption and above the
// add-new box, tiled by the row and column scroll regions.
#pragma once

#include "HvUIElement.h"

class HvDataAreaUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvDataAreaUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    bool HasNoChildElements() override { return false; }
    void DrawBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}

private:
    HvDataAreaUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
};
