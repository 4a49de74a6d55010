// HvAddNewBoxUIElement: construction.
#include "HvAddNewBoxUIElement.h"

#include <new>

HvAddNewBoxUIElement::HvAddNewBoxUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
    : HvUIElement(layout, parent, rect, UIElementType::AddNewBox)
{
}

HvAddNewBoxUIElement* HvAddNewBoxUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                 const RECT& rect)
{
    return new (std::nothrow) HvAddNewBoxUIElement(layout, parent, rect);
}
