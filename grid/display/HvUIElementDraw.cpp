// HvUIElement: drawing one element and its children in phases, with alpha
// layers and the client's draw filter.
#include "HvUIElement.h"

#include "AppearanceData.h"
#include "DrawContext.h"
#include "HvTVDraw.h"
#include "InterfacePtr.h"
#include "OleColor.h"
#include "UIElementLayoutSeam.h"

namespace {

// Settings an element inherits from its parent while drawing: all but the
// background picture and its style, and the mouse pointer and icon.
constexpr std::uint32_t InheritedSettings = 0x76FFF;

constexpr int AlphaOpaque = 2;
constexpr int AlphaTransparent = 3;

COLORREF ColorOf(OLE_COLOR color)
{
    return color == UnsetColor ? NoColor : TranslateOleColor(color);
}

bool HasUsablePicture(IUnknown* picture)
{
    InterfacePtr holder;
    holder.AssignPicture(picture);
    return holder && holder.GetPictureType() > PICTYPE_NONE;
}

RECT Intersection(const RECT& a, const RECT& b)
{
    RECT result;
    if (!IntersectRect(&result, &a, &b))
        return RECT{};
    return result;
}

} // namespace

void HvUIElement::Draw(CDrawContext& context, const AppearanceData& parentData)
{
    DrawElementAndChildren(context, GetRect(), parentData);
}

void HvUIElement::InitAppearance(AppearanceData&, const AppearanceData&) {}

void HvUIElement::SelectAppearanceIntoDC(CDrawContext& context, const AppearanceData& data)
{
    if (data.ForeColor() != UnsetColor)
        context.SetTextColor(ColorOf(data.ForeColor()));
    if (data.BackColor() != UnsetColor) {
        context.SetBkColor(ColorOf(data.BackColor()));
        context.SelectBrushColor(ColorOf(data.BackColor()));
    }
    if (data.Font())
        context.SelectFont(data.Font());
    context.SetBkMode(TRANSPARENT);
    POINT origin;
    if (GetContentBrushOrigin(origin))
        context.SetBrushOrigin(origin.x, origin.y);
}

bool HvUIElement::CallFilter(FilterCall call, CDrawContext& context, const AppearanceData& own, long state)
{
    if (!layout_)
        return false;
    HvTVDraw* draw = layout_->GetDrawObject();
    IHvTVDrawFilter* filter = layout_->GetDrawFilter();
    UIElementControlSeam* control = GetControl();
    if (!draw || !filter || !control || !control->CanFireEvents())
        return false;
    draw->SetDC(&context);
    draw->SetDrawInfo(this, &own, state, GetBorderWidth());
    VARIANT_BOOL cancel = VARIANT_FALSE;
    IHvTVDraw* object = draw;
    switch (call) {
    case FilterCall::BeforeDraw: filter->BeforeDraw(object, &cancel); break;
    case FilterCall::BeforeDrawBackground: filter->BeforeDrawBackground(object, &cancel); break;
    case FilterCall::BeforeDrawBorders: filter->BeforeDrawBorders(object, &cancel); break;
    case FilterCall::BeforeDrawForeground: filter->BeforeDrawForeground(object, &cancel); break;
    case FilterCall::AfterDraw: filter->AfterDraw(object); break;
    }
    draw->SetDC(nullptr);
    return cancel != VARIANT_FALSE;
}

bool HvUIElement::PrepareAlphaPhase(CDrawContext& context, const RECT& area, int alpha, const AppearanceData& own)
{
    if (alpha == AlphaTransparent)
        return false;
    const int level = alpha == AlphaOpaque ? 255 : own.AlphaLevel();
    if (context.BeginAlphaLayer(area, level)) {
        context.ResetStateCache();
        SelectAppearanceIntoDC(context, own);
    }
    return true;
}

void HvUIElement::DrawBackgroundPhase(CDrawContext& context, const RECT& area, const AppearanceData& own,
                                      long state)
{
    const RECT part = Intersection(GetRect(), area);
    if (IsRectEmpty(&part))
        return;
    const int alpha = type_ == UIElementType::Grid ? AlphaOpaque : own.Nibble(AppearanceBit::BackColorAlpha);
    if (PrepareAlphaPhase(context, part, alpha, own)) {
        if (CallFilter(FilterCall::BeforeDrawBackground, context, own, state))
            return;
        DrawBackground(context, area, own);
    }
    if (own.PictureBackground() && HasUsablePicture(own.PictureBackground()) &&
        PrepareAlphaPhase(context, part, own.Nibble(AppearanceBit::PictureBackgroundAlpha), own))
        DrawPictureBackground(context, area, own);
}

void HvUIElement::DrawBordersPhase(CDrawContext& context, const RECT& area, const AppearanceData& own, long state)
{
    const RECT part = Intersection(GetRect(), area);
    if (IsRectEmpty(&part) || !PrepareAlphaPhase(context, part, own.Nibble(AppearanceBit::BorderAlpha), own))
        return;
    if (CallFilter(FilterCall::BeforeDrawBorders, context, own, state))
        return;
    DrawBorders(context, area, own);
}

void HvUIElement::DrawForegroundPhase(CDrawContext& context, const RECT& area, const AppearanceData& own,
                                      long state)
{
    const RECT part = Intersection(GetRect(), area);
    const std::uint32_t alphaBit =
        type_ == UIElementType::Picture ? AppearanceBit::PictureAlpha : AppearanceBit::ForegroundAlpha;
    if (IsRectEmpty(&part) || !PrepareAlphaPhase(context, part, own.Nibble(alphaBit), own))
        return;
    if (CallFilter(FilterCall::BeforeDrawForeground, context, own, state))
        return;
    DrawForeground(context, area, own);
}

void HvUIElement::DrawElementAndChildren(CDrawContext& context, const RECT& area, const AppearanceData& parentData)
{
    if (!IsAlive() || !IsDrawn())
        return;
    if (childrenDirty_)
        PositionChildElements();
    RECT part = Intersection(GetRect(), area);
    if (IsRectEmpty(&part) || !context.ClipRectToDrawArea(part))
        return;

    AppearanceData own;
    InitAppearance(own, parentData);
    std::uint32_t resolved = 0;
    AppearanceData::ResolveAppearance(own, parentData, InheritedSettings, &resolved);
    SelectAppearanceIntoDC(context, own);

    const long state = GetDrawState();
    const bool cancelled = CallFilter(FilterCall::BeforeDraw, context, own, state);
    if (!cancelled && CanDraw()) {
        if (ClipsSelf())
            context.SetClipRect(Intersection(GetRect(), part));
        DrawBackgroundPhase(context, part, own, state);
        DrawBordersPhase(context, part, own, state);
        DrawForegroundPhase(context, part, own, state);
        // An empty clip would remove the clip altogether: children that
        // have no room are not drawn at all.
        bool childRoom = true;
        if (ClipsChildren()) {
            const RECT childClip = Intersection(GetClipRectForChildren(), part);
            childRoom = !IsRectEmpty(&childClip);
            if (childRoom)
                context.SetClipRect(childClip);
        }
        if (childRoom && !HasNoChildElements() &&
            parentData.Nibble(AppearanceBit::ForegroundAlpha) != AlphaTransparent) {
            std::vector<HvUIElement*> children = ChildSnapshot();
            for (HvUIElement* child : children) {
                child->DrawElementAndChildren(context, part, own);
                child->Release();
            }
            if (state & DrawStateBit::Focus)
                DrawFocus(context, part, own);
        }
        CallFilter(FilterCall::AfterDraw, context, own, state);
        if (ClipsSelf() || ClipsChildren())
            context.SetClipRect(GetClipRectFromParent());
    }
    if (type_ == UIElementType::RowColRegionIntersection)
        context.SetBrushOrigin(0, 0);
}

// ---- base drawing operations ----

void HvUIElement::DrawBackground(CDrawContext& context, const RECT& area, const AppearanceData& data)
{
    RECT part = Intersection(GetRect(), area);
    if (IsRectEmpty(&part) || !context.ClipRectToDrawArea(part) || data.BackColor() == UnsetColor)
        return;
    context.FillRectColor(part, ColorOf(data.BackColor()));
}

void HvUIElement::DrawPictureBackground(CDrawContext& context, const RECT& area, const AppearanceData& data)
{
    RECT part = Intersection(GetRect(), area);
    if (IsRectEmpty(&part) || !context.ClipRectToDrawArea(part) || !HasUsablePicture(data.PictureBackground()))
        return;
    HvUIElement* root = layout_ ? layout_->GetRootUIElement() : nullptr;
    if (!root)
        return;
    RECT origin = GetRect();
    switch (data.Nibble(AppearanceBit::PictureBackgroundOrigin)) {
    case 1:
        if (!layout_->GetFormRect(origin))
            return;
        break;
    case 2:
        if (!layout_->GetContainerRect(origin))
            return;
        break;
    case 3:
        origin = root->GetRect();
        break;
    default:
        break;
    }
    context.DrawPicture(data.PictureBackground(), origin, part, data.Nibble(AppearanceBit::PictureBackgroundStyle));
}

void HvUIElement::DrawBorders(CDrawContext& context, const RECT& area, const AppearanceData& data)
{
    RECT rect = GetRect();
    const RECT part = Intersection(rect, area);
    if (GetBorderWidth() < 1 || IsRectEmpty(&part))
        return;
    context.DrawBorder(rect, GetBorderStyle(), ColorOf(data.BorderColor()), GetBorderSides());
}
