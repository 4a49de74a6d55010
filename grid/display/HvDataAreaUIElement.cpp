// HvDataAreaUIElement: construction.
#include "HvDataAreaUIElement.h"

#include <new>

HvDataAreaUIElement::HvDataAreaUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
    : HvUIElement(layout, parent, rect, UIElementType::DataArea)
{
}

HvDataAreaUIElement* HvDataAreaUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
{
    return new (std::nothrow) HvDataAreaUIElement(layout, parent, rect);
}
