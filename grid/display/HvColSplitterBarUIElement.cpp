// HvColSplitterBarUIElement: construction.
#include "HvColSplitterBarUIElement.h"

#include <new>

HvColSplitterBarUIElement::HvColSplitterBarUIElement(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                     const RECT& rect)
    : HvSplitterUIElementBase(layout, parent, rect, 1200, true, false, false)
{
}

HvColSplitterBarUIElement* HvColSplitterBarUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                           const RECT& rect)
{
    return new (std::nothrow) HvColSplitterBarUIElement(layout, parent, rect);
}
