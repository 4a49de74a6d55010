// HvSplitterIntersectionUIElement: construction and its own border.
#include "HvSplitterIntersectionUIElement.h"

#include "DrawContext.h"

#include <new>

HvSplitterIntersectionUIElement::HvSplitterIntersectionUIElement(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                                 const RECT& rect)
    : HvSplitterUIElementBase(layout, parent, rect, 1700, true, true, false)
{
}

HvSplitterIntersectionUIElement* HvSplitterIntersectionUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                                       const RECT& rect)
{
    return new (std::nothrow) HvSplitterIntersectionUIElement(layout, parent, rect);
}

void HvSplitterIntersectionUIElement::DrawBorders(CDrawContext& context, const RECT& area, const AppearanceData&)
{
    // A raised square of its own: the bars it joins draw only their sides.
    RECT rect = GetRect();
    RECT part;
    if (IntersectRect(&part, &rect, &area))
        context.DrawBorder(rect, GetBorderStyle(), CLR_INVALID, BorderSide::All);
}
