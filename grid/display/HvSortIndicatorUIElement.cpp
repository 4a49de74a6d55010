// HvSortIndicatorUIElement: an arrow 8 pixels high, drawn row by row.
#include "HvSortIndicatorUIElement.h"

#include "DrawContext.h"

#include <new>

namespace {
constexpr int ArrowHeight = 8;
} // namespace

HvSortIndicatorUIElement::HvSortIndicatorUIElement(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                   const RECT& rect, HvUIElementOwner* owner, bool descending)
    : HvCellChildUIElement(layout, parent, rect, 6500, owner, 0), descending_(descending)
{
}

HvSortIndicatorUIElement* HvSortIndicatorUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                         const RECT& rect, HvUIElementOwner* owner, bool descending)
{
    return new (std::nothrow) HvSortIndicatorUIElement(layout, parent, rect, owner, descending);
}

void HvSortIndicatorUIElement::DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData&)
{
    const RECT rect = GetRect();
    RECT part;
    if (!IntersectRect(&part, &rect, &area))
        return;
    const int centre = (rect.left + rect.right) / 2;
    const int top = (rect.top + rect.bottom - ArrowHeight) / 2;
    context.SelectPen(GetSysColor(COLOR_BTNSHADOW), 0);
    // Row i of the arrow counted from its point is 2 * (i / 2) + 1 wide.
    for (int i = 0; i < ArrowHeight; ++i) {
        const int half = i / 2;
        const int y = descending_ ? top + ArrowHeight - 1 - i : top + i;
        context.MoveTo(centre - half, y);
        context.LineTo(centre + half + 1, y);
    }
}
