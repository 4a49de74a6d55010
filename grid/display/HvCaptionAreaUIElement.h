// HvCaptionAreaUIElement: the grid's caption band at the top, holding the
// caption text and, when the caption appearance has one, its picture.
#pragma once

#include "HvUIElement.h"

class GridElementLayoutSeam;

class HvCaptionAreaUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvCaptionAreaUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                        GridElementLayoutSeam* grid, const RECT& rect);

    void PositionChildElements() override;
    bool HasNoChildElements() override { return false; }
    long GetBorderStyle() override;
    HCURSOR GetCursor() override;
    void InitAppearance(AppearanceData& own, const AppearanceData& parentData) override;

private:
    HvCaptionAreaUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, GridElementLayoutSeam* grid,
                           const RECT& rect);

    GridElementLayoutSeam* grid_; // not counted
};
