// HvRowSplitBoxUIElement: construction.
#include "HvRowSplitBoxUIElement.h"

#include <new>

HvRowSplitBoxUIElement::HvRowSplitBoxUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
    : HvSplitterUIElementBase(layout, parent, rect, 1600, false, true, true)
{
}

HvRowSplitBoxUIElement* HvRowSplitBoxUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                     const RECT& rect)
{
    return new (std::nothrow) HvRowSplitBoxUIElement(layout, parent, rect);
}
