// HvButtonCellUIElement: a button-style cell that shows its button: the
// whole cell is one push button holding the cell's picture and text.
#pragma once

#include "HvButtonUIElementBase.h"

class HvButtonCellUIElement final : public HvButtonUIElementBase {
public:
    // One reference, handed over; null when out of memory.
    static HvButtonCellUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                       HvUIElementOwner* owner, HvButtonSink* pressHandler);

    // With a picture, a Picture child is placed before the Text.
    void SetShowsPicture(bool shows) { showsPicture_ = shows; }

    void PositionChildElements() override;
    bool HasNoChildElements() override { return false; }

private:
    HvButtonCellUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                          HvUIElementOwner* owner, HvButtonSink* pressHandler);

    bool showsPicture_ = false;
};
