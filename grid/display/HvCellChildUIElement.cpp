// HvCellChildUIElement: the owner callback of the part elements.
#include "HvCellChildUIElement.h"

#include "HvUIElementOwner.h"
#include "UIElementLayoutSeam.h"

HvCellChildUIElement::HvCellChildUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                           ULONG type, HvUIElementOwner* owner, LONG context)
    : HvUIElement(layout, parent, rect, type), owner_(owner), context_(context)
{
}

OwnedElementSeam* HvCellChildUIElement::FindEnclosing(LONG type)
{
    for (HvUIElement* element = this; element; element = element->GetParent())
        if (element->Type() == static_cast<ULONG>(type))
            return dynamic_cast<OwnedElementSeam*>(element);
    return nullptr;
}

RECT HvCellChildUIElement::EnclosingRect(LONG type)
{
    for (HvUIElement* element = this; element; element = element->GetParent())
        if (element->Type() == static_cast<ULONG>(type))
            return element->GetRect();
    return RECT{};
}

bool HvCellChildUIElement::HoldsCursor()
{
    UIElementControlSeam* control = GetControl();
    HWND window = control ? control->GetGridWindow() : nullptr;
    POINT point{};
    if (!window || !GetCursorPos(&point) || !ScreenToClient(window, &point))
        return false;
    const RECT rect = GetRect();
    return PtInRect(&rect, point) != FALSE;
}

long HvCellChildUIElement::OwnerState()
{
    return owner_ ? owner_->GetState(this) : 0;
}

HCURSOR HvCellChildUIElement::OwnerCursor()
{
    if (owner_)
        if (HCURSOR cursor = owner_->GetCursor(this))
            return cursor;
    HvUIElement* parent = GetParent();
    return parent ? parent->GetCursor() : nullptr;
}
