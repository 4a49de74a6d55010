// HvColSplitBoxUIElement: construction.
#include "HvColSplitBoxUIElement.h"

#include <new>

HvColSplitBoxUIElement::HvColSplitBoxUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
    : HvSplitterUIElementBase(layout, parent, rect, 1300, true, false, true)
{
}

HvColSplitBoxUIElement* HvColSplitBoxUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                     const RECT& rect)
{
    return new (std::nothrow) HvColSplitBoxUIElement(layout, parent, rect);
}
