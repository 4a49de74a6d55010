// HvCaptionAreaUIElement: the caption's text and picture.
#include "HvCaptionAreaUIElement.h"

#include "AppearanceData.h"
#include "BorderStyleWidth.h"
#include "GridElementSeam.h"
#include "HvPictureUIElement.h"
#include "HvTextUIElement.h"
#include "HvUIElementOwner.h"
#include "HvUIElements.h"

#include <new>

namespace {
constexpr std::uint32_t CaptionAppearanceMask = 0x7FFFF;
// Picture, its alignments and its alpha.
constexpr std::uint32_t PictureSettings = 0xF00;
constexpr std::uint32_t CursorMask = AppearanceBit::MousePointer | AppearanceBit::MouseIcon;
} // namespace

HvCaptionAreaUIElement::HvCaptionAreaUIElement(UIElementLayoutSeam* layout, HvUIElement* parent,
                                               GridElementLayoutSeam* grid, const RECT& rect)
    : HvUIElement(layout, parent, rect, UIElementType::CaptionArea), grid_(grid)
{
}

HvCaptionAreaUIElement* HvCaptionAreaUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                     GridElementLayoutSeam* grid, const RECT& rect)
{
    return new (std::nothrow) HvCaptionAreaUIElement(layout, parent, grid, rect);
}

long HvCaptionAreaUIElement::GetBorderStyle()
{
    return grid_ ? grid_->ResolveCaptionBorderStyle() : 1;
}

HCURSOR HvCaptionAreaUIElement::GetCursor()
{
    if (!grid_)
        return HvUIElement::GetCursor();
    AppearanceData data;
    grid_->ResolveCaptionAppearance(data, CursorMask);
    return CursorFromAppearance(data);
}

void HvCaptionAreaUIElement::InitAppearance(AppearanceData& own, const AppearanceData&)
{
    if (grid_)
        grid_->ResolveCaptionAppearance(own, CaptionAppearanceMask);
}

void HvCaptionAreaUIElement::PositionChildElements()
{
    ClearChildrenDirty();
    HvUIElements* old = GetChildElementList(true);
    if (!old || !grid_)
        return;
    HvUIElementOwner* owner = grid_->CaptionOwner();
    std::vector<HvUIElement*> fresh;
    RECT rest = GetRect();

    // The picture is made anew at each layout; the text is kept unless an
    // input operation holds it.
    AppearanceData data;
    grid_->ResolveCaptionAppearance(data, PictureSettings);
    RECT pictureRect = {};
    if (data.HasPicture() && grid_->PlaceCaptionPicture(rest, pictureRect, data))
        if (HvPictureUIElement* picture =
                HvPictureUIElement::Make(GetLayout(), this, pictureRect, owner, HvUIElementOwner::ContextPicture))
            fresh.push_back(picture);

    const int border = BorderStyleWidth(grid_->ResolveCaptionBorderStyle());
    rest.left += border + 1;
    rest.right -= border + 1;
    rest.top += border;
    rest.bottom -= border;
    auto* text = static_cast<HvTextUIElement*>(TakeChildOfType(old, UIElementType::Text, true));
    if (!text)
        text = HvTextUIElement::Make(GetLayout(), this, rest, owner, HvUIElementOwner::ContextText);
    if (text) {
        text->SetOwner(owner, HvUIElementOwner::ContextText);
        text->SetRect(rest, false);
        fresh.push_back(text);
    }
    ReplaceChildren(fresh);
}
