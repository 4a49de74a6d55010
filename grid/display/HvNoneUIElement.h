// HvNoneUIElement: the element a client gets for a point where no element
// of the grid lies: type 1, an empty rectangle, not part of the tree.
#pragma once

#include "HvUIElement.h"

class HvNoneUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvNoneUIElement* Make(UIElementLayoutSeam* layout);

private:
    explicit HvNoneUIElement(UIElementLayoutSeam* layout);
};
