// HvScrollBarIntersectionUIElement: construction.
#include "HvScrollBarIntersectionUIElement.h"

#include <new>

HvScrollBarIntersectionUIElement::HvScrollBarIntersectionUIElement(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                                   const RECT& rect)
    : HvRegionTileUIElement(layout, parent, rect, 1800)
{
}

HvScrollBarIntersectionUIElement* HvScrollBarIntersectionUIElement::Make(UIElementLayoutSeam* layout,
                                                                         HvUIElement* parent, const RECT& rect)
{
    return new (std::nothrow) HvScrollBarIntersectionUIElement(layout, parent, rect);
}
