// HvButtonUIElement: construction.
#include "HvButtonUIElement.h"

#include <new>

HvButtonUIElement::HvButtonUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                     HvUIElementOwner* owner, HvButtonSink* pressHandler)
    : HvButtonUIElementBase(layout, parent, rect, 6200, owner, 0, pressHandler)
{
}

HvButtonUIElement* HvButtonUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                           HvUIElementOwner* owner, HvButtonSink* pressHandler)
{
    return new (std::nothrow) HvButtonUIElement(layout, parent, rect, owner, pressHandler);
}
