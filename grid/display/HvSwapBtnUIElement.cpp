// HvSwapBtnUIElement: the soft border and the downward triangle.
#include "HvSwapBtnUIElement.h"

#include "DrawContext.h"
#include "HvUIElementOwner.h"

#include <new>

HvSwapBtnUIElement::HvSwapBtnUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                       HvUIElementOwner* owner)
    : HvCellChildUIElement(layout, parent, rect, 6400, owner, HvUIElementOwner::ContextSwapButton)
{
}

HvSwapBtnUIElement* HvSwapBtnUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                             HvUIElementOwner* owner)
{
    return new (std::nothrow) HvSwapBtnUIElement(layout, parent, rect, owner);
}

bool HvSwapBtnUIElement::OnMouseDown(POINT, UINT)
{
    HvUIElementOwner* owner = Owner();
    return owner && owner->OnMouseDown(this);
}

void HvSwapBtnUIElement::DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData&)
{
    RECT rect = GetRect();
    RECT part;
    if (!IntersectRect(&part, &rect, &area))
        return;
    const long state = GetDrawState();
    if (state & 1) {
        RECT border = rect;
        context.DrawBorder(border, 9, 0, 15); // raised soft
    }
    if (state & 16) {
        RECT border = rect;
        context.DrawBorder(border, 8, 0, 15); // inset soft
    }
    context.SelectPen(GetSysColor((state & 8) ? COLOR_GRAYTEXT : COLOR_BTNTEXT), 0);
    const int middle = (rect.top + rect.bottom) / 2;
    for (int i = 0; i < 3; ++i) {
        context.MoveTo(rect.left + 2 + i, middle + i);
        context.LineTo(rect.right - 2 - i, middle + i);
    }
}
