// HvAddNewBoxUIElement: the add-new box at the bottom of the grid, which
// clips itself and its buttons.
#pragma once

#include "HvUIElement.h"

class HvAddNewBoxUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvAddNewBoxUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    bool HasNoChildElements() override { return false; }
    bool ClipsChildren() override { return true; }
    bool ClipsSelf() override { return true; }

private:
    HvAddNewBoxUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
};
