// HvPictureUIElement: drawing the appearance's picture object, or an image
// of the control's Images named by index or key.
#include "HvPictureUIElement.h"

#include "AppearanceData.h"
#include "DrawContext.h"
#include "HvImages.h"
#include "HvUIElementOwner.h"
#include "UIElementLayoutSeam.h"

#include <commctrl.h>

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
    if ((picture->vt == VT_UNKNOWN || picture->vt == VT_DISPATCH) && picture->punkVal) {
        context.DrawPicture(picture->punkVal, rect, part, Stretched);
        return;
    }
    if (picture->vt == VT_I2 || picture->vt == VT_BSTR)
        DrawListImage(context, *picture, rect);
}

void HvPictureUIElement::DrawListImage(CDrawContext& context, const VARIANT& picture, const RECT& rect)
{
    // A 1-based index or a key into the control's images: an index of 0, a
    // negative one or one past the last names no image.
    UIElementControlSeam* control = GetControl();
    HvImages* images = control ? control->ControlImages() : nullptr;
    if (!images)
        return;
    const short index = images->IndexFromVariant(picture);
    const bool masked = control->ImagesMasking();
    HIMAGELIST list = images->GetHImageList(masked);
    if (index < 1 || !list || index > ImageList_GetImageCount(list))
        return;
    context.DrawImage(list, index - 1, rect.left, rect.top, masked ? ILD_TRANSPARENT : ILD_NORMAL);
}
