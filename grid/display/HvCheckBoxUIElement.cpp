// HvCheckBoxUIElement: the frame and check mark of a check box.
#include "HvCheckBoxUIElement.h"

#include "AppearanceData.h"
#include "DrawContext.h"
#include "HvUIElementOwner.h"
#include "OleColor.h"

#include <new>

namespace {
constexpr long CheckedBit = 32;
constexpr long IndeterminateBit = 64;
} // namespace

HvCheckBoxUIElement::HvCheckBoxUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                         HvUIElementOwner* owner, LONG context)
    : HvCellChildUIElement(layout, parent, rect, 6100, owner, context)
{
}

HvCheckBoxUIElement* HvCheckBoxUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                               HvUIElementOwner* owner, LONG context)
{
    return new (std::nothrow) HvCheckBoxUIElement(layout, parent, rect, owner, context);
}

void HvCheckBoxUIElement::OnMouseEnter()
{
    if (HvUIElementOwner* owner = Owner())
        owner->OnPressEnter(this);
}

void HvCheckBoxUIElement::OnMouseLeave()
{
    if (HvUIElementOwner* owner = Owner())
        owner->OnPressLeave(this);
}

bool HvCheckBoxUIElement::OnMouseDown(POINT, UINT)
{
    HvUIElementOwner* owner = Owner();
    return owner && owner->OnMouseDown(this);
}

void HvCheckBoxUIElement::DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData& data)
{
    RECT rect = GetRect();
    RECT part;
    if (!IntersectRect(&part, &rect, &area))
        return;
    const long state = GetDrawState();
    if (state & IndeterminateBit) {
        context.DrawFrameControl(rect, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE);
        return;
    }
    const COLORREF ink = data.ForeColor() == UnsetColor ? RGB(0, 0, 0) : TranslateOleColor(data.ForeColor());
    RECT frame = rect;
    context.DrawBorder(frame, 5, ink, 15);
    if (!(state & CheckedBit))
        return;
    const POINT mark[] = {{3, 5}, {3, 7}, {5, 9}, {9, 5}, {9, 3}, {5, 7}, {3, 5}};
    POINT placed[7];
    for (int i = 0; i < 7; ++i)
        placed[i] = POINT{rect.left + mark[i].x, rect.top + mark[i].y};
    context.SelectPen(ink, 0);
    context.SelectBrushColor(ink);
    context.Polygon(placed, 7);
}
