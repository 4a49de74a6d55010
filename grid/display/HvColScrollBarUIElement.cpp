// HvColScrollBarUIElement: construction.
#include "HvColScrollBarUIElement.h"

#include <new>

HvColScrollBarUIElement::HvColScrollBarUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
    : HvRegionTileUIElement(layout, parent, rect, 1100)
{
}

HvColScrollBarUIElement* HvColScrollBarUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                       const RECT& rect)
{
    return new (std::nothrow) HvColScrollBarUIElement(layout, parent, rect);
}
