// HvDataAreaUIElement: the part of the grid below the caption and above the
// add-new box, tiled by the row and column scroll regions: one intersection
// per pair of visible regions, with the scroll bars, splitter bars, split
// boxes and the squares where these meet.
#pragma once

#include "HvUIElement.h"

struct TilePiece;

class HvDataAreaUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvDataAreaUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    void SetRect(const RECT& rect, bool invalidate) override;
    void PositionChildElements() override;
    bool HasNoChildElements() override { return false; }
    void DrawBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}

private:
    HvDataAreaUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    // Lays the regions out over the area and places the pieces.
    void Tile();
    // The old piece of the piece's type (given its new regions) or a new
    // one; null when none can be made.
    HvUIElement* TakeOrMake(HvUIElements* old, const TilePiece& piece);
};
