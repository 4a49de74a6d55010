// HvNoneUIElement: construction.
#include "HvNoneUIElement.h"

#include <new>

HvNoneUIElement::HvNoneUIElement(UIElementLayoutSeam* layout) : HvUIElement(layout, RECT{}, UIElementType::None) {}

HvNoneUIElement* HvNoneUIElement::Make(UIElementLayoutSeam* layout)
{
    return new (std::nothrow) HvNoneUIElement(layout);
}
