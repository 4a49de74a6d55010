// HvRowScrollBarUIElement: construction.
#include "HvRowScrollBarUIElement.h"

#include <new>

HvRowScrollBarUIElement::HvRowScrollBarUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
    : HvRegionTileUIElement(layout, parent, rect, 1400)
{
}

HvRowScrollBarUIElement* HvRowScrollBarUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                       const RECT& rect)
{
    return new (std::nothrow) HvRowScrollBarUIElement(layout, parent, rect);
}
