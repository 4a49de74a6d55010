// HvDropDownBtnUIElement: the combo-box arrow and its press.
#include "HvDropDownBtnUIElement.h"

#include "DrawContext.h"
#include "HvUIElementOwner.h"

#include <new>

HvDropDownBtnUIElement::HvDropDownBtnUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                               HvUIElementOwner* owner, LONG context)
    : HvCellChildUIElement(layout, parent, rect, 6300, owner, context)
{
}

HvDropDownBtnUIElement* HvDropDownBtnUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                     const RECT& rect, HvUIElementOwner* owner, LONG context)
{
    return new (std::nothrow) HvDropDownBtnUIElement(layout, parent, rect, owner, context);
}

long HvDropDownBtnUIElement::GetDrawState()
{
    return OwnerState() | (pressed_ ? 16 : 0);
}

void HvDropDownBtnUIElement::OnMouseEnter()
{
    if (HvUIElementOwner* owner = Owner())
        owner->OnPressEnter(this);
}

void HvDropDownBtnUIElement::OnMouseLeave()
{
    if (HvUIElementOwner* owner = Owner())
        owner->OnPressLeave(this);
}

bool HvDropDownBtnUIElement::OnMouseDown(POINT, UINT)
{
    // The button flashes pressed before the list opens over it.
    pressed_ = true;
    Invalidate(false, true);
    Sleep(50);
    pressed_ = false;
    Invalidate(false, true);
    HvUIElementOwner* owner = Owner();
    return owner && owner->OnMouseDown(this);
}

void HvDropDownBtnUIElement::DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData&)
{
    RECT rect = GetRect();
    RECT part;
    if (!IntersectRect(&part, &rect, &area))
        return;
    context.DrawFrameControl(rect, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (pressed_ ? DFCS_PUSHED : 0));
}
