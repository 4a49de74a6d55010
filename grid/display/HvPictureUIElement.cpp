// HvPictureUIElement: drawing the appearance's picture object.
#include "HvPictureUIElement.h"

#include "AppearanceData.h"
#include "DrawContext.h"
#include "HvUIElementOwner.h"

#include <new>

namespace {
constexpr int Stretched = 2;
} // namespace

HvPictureUIElement::HvPictureUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                       HvUIElementOwner* owner, LONG context)
    : HvCellChildUIElement(layout, parent, rect, UIElementType::Picture, owner, context)
{
}

HvPictureUIElement* HvPictureUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                             HvUIElementOwner* owner, LONG context)
{
    return new (std::nothrow) HvPictureUIElement(layout, parent, rect, owner, context);
}

void HvPictureUIElement::DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData& data)
{
    RECT rect = GetRect();
    RECT part;
    if (!IntersectRect(&part, &rect, &area))
        return;
    if (HvUIElementOwner* owner = Owner())
        owner->AdjustPictureRect(this, &rect);
    const VARIANT* picture = data.Picture();
    if (!picture)
        return;
    // Image indexes and keys need the control's image list, which the
    // control hands the display once it draws them.
    if ((picture->vt == VT_UNKNOWN || picture->vt == VT_DISPATCH) && picture->punkVal)
        context.DrawPicture(picture->punkVal, rect, part, Stretched);
}
