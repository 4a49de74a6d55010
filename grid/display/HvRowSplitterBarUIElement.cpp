// HvRowSplitterBarUIElement: construction.
#include "HvRowSplitterBarUIElement.h"

#include <new>

HvRowSplitterBarUIElement::HvRowSplitterBarUIElement(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                     const RECT& rect)
    : HvSplitterUIElementBase(layout, parent, rect, 1500, false, true, false)
{
}

HvRowSplitterBarUIElement* HvRowSplitterBarUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                           const RECT& rect)
{
    return new (std::nothrow) HvRowSplitterBarUIElement(layout, parent, rect);
}
