// HvHeaderUIElement: placing a header's parts, its look and its sizing.
#include "HvHeaderUIElement.h"

#include "AppearanceData.h"
#include "DrawContext.h"
#include "HvBand.h"
#include "HvColumnGroupImpl.h"
#include "HvHeader.h"
#include "HvLayout.h"
#include "HvSortIndicatorUIElement.h"
#include "HvSwapBtnUIElement.h"
#include "HvTextUIElement.h"
#include "HvUIElementOwner.h"
#include "HvUIElements.h"
#include "OleColor.h"
#include "OverrideBandSeam.h"
#include "UIElementLayoutSeam.h"

#include <new>

namespace {

constexpr DISPID BorderStyleHeader = 0x509;
constexpr std::uint32_t HeaderAppearanceMask = 0x7FFFF;
constexpr std::uint32_t CursorMask = AppearanceBit::MousePointer | AppearanceBit::MouseIcon;
constexpr int HeaderKind = 34;

} // namespace

HvHeaderUIElement::HvHeaderUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
    : HvUIElement(layout, parent, rect, UIElementType::Header)
{
}

HvHeaderUIElement* HvHeaderUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
{
    return new (std::nothrow) HvHeaderUIElement(layout, parent, rect);
}

void HvHeaderUIElement::SetHeader(HvHeader* header, HvBand* band, bool overIndicator)
{
    if (header != header_)
        SetChanged();
    header_ = header;
    band_ = band;
    overIndicator_ = overIndicator;
}

CAutomationObject* HvHeaderUIElement::GetContextObject()
{
    return header_;
}

CAutomationObject* HvHeaderUIElement::GetHeader()
{
    return header_;
}

CAutomationObject* HvHeaderUIElement::GetBand()
{
    return band_;
}

long HvHeaderUIElement::GetDrawState()
{
    HvColumnGroupImpl* item = header_ ? header_->Owner() : nullptr;
    return item && item->IsSelectedItem() ? 2 : 0;
}

long HvHeaderUIElement::GetBorderStyle()
{
    return band_ ? band_->ResolveSetting(BorderStyleHeader) : 1;
}

void HvHeaderUIElement::InitAppearance(AppearanceData& own, const AppearanceData&)
{
    if (!header_)
        return;
    AppearanceRequest request;
    request.requestMask = HeaderAppearanceMask;
    request.part = HeaderKind;
    header_->ResolveAppearanceData(own, request);
}

HCURSOR HvHeaderUIElement::GetCursor()
{
    if (!header_)
        return HvUIElement::GetCursor();
    AppearanceData data;
    AppearanceRequest request;
    request.requestMask = CursorMask;
    request.part = HeaderKind;
    header_->ResolveAppearanceData(data, request);
    return CursorFromAppearance(data);
}

void HvHeaderUIElement::PositionChildElements()
{
    ClearChildrenDirty();
    HvUIElements* old = GetChildElementList(true);
    if (!old || !header_)
        return;
    HvColumnGroupImpl* item = header_->Owner();
    std::vector<HvUIElement*> fresh;
    RECT rest = GetRect();
    const int border = GetBorderWidth();
    InflateRect(&rest, -border, -border);

    RECT swap = {};
    if (item && item->ShowsSwapButton() && header_->IsSwappingAvailable()) {
        swap = RECT{rest.right - 10, rest.top, rest.right - 1, rest.bottom};
        rest.right -= 10;
    }
    RECT sort = {};
    const LONG indicator = item ? item->GetSortIndicator() : 0;
    if (rest.right - rest.left > 40 && (indicator == 1 || indicator == 2)) {
        sort = RECT{rest.right - 10, rest.top, rest.right - 1, rest.bottom};
        rest.right -= 10;
    }
    rest.left += 1;
    rest.right -= 1;

    HvUIElementOwner* owner = header_;
    if (!(item && item->IsGroup() && rest.right - rest.left < 15)) {
        auto* text = static_cast<HvTextUIElement*>(TakeChildOfType(old, UIElementType::Text, true));
        if (!text)
            text = HvTextUIElement::Make(GetLayout(), this, rest, owner, HvUIElementOwner::ContextText);
        if (text) {
            text->SetOwner(owner, HvUIElementOwner::ContextText);
            text->SetRect(rest, false);
            fresh.push_back(text);
        }
    }
    if (!IsRectEmpty(&sort)) {
        auto* made = static_cast<HvSortIndicatorUIElement*>(TakeChildOfType(old, 6500, false));
        if (!made)
            made = HvSortIndicatorUIElement::Make(GetLayout(), this, sort, owner, indicator == 2);
        if (made) {
            made->SetDescending(indicator == 2);
            made->SetRect(sort, false);
            fresh.push_back(made);
        }
    }
    if (!IsRectEmpty(&swap)) {
        auto* made = static_cast<HvSwapBtnUIElement*>(TakeChildOfType(old, 6400, false));
        if (!made)
            made = HvSwapBtnUIElement::Make(GetLayout(), this, swap, owner);
        if (made) {
            made->SetRect(swap, false);
            fresh.push_back(made);
        }
    }
    ReplaceChildren(fresh);
}

void HvHeaderUIElement::DrawBorders(CDrawContext& context, const RECT& area, const AppearanceData& data)
{
    HvUIElement::DrawBorders(context, area, data);
    if (!overIndicator_ || context.LayerUnderDc())
        return;
    // The cut corner over the expansion-indicator column.
    const RECT rect = GetRect();
    RECT corner = {rect.left, rect.top, rect.left + 4, rect.top + 4};
    const COLORREF color = data.BorderColor() == UnsetColor ? CLR_INVALID : TranslateOleColor(data.BorderColor());
    context.DrawBorder(corner, GetBorderStyle(), color,
                       BorderSide::Top | BorderSide::Right | BorderSide::Diagonal);
}

bool HvHeaderUIElement::IsAdjustable()
{
    HvColumnGroupImpl* item = header_ ? header_->Owner() : nullptr;
    if (!item || !item->CanSize())
        return false;
    LONG minimum = 0;
    LONG maximum = 0;
    item->GetSizeRange(&minimum, &maximum);
    return minimum != maximum || GetWidth() != maximum;
}

bool HvHeaderUIElement::PointInAdjustableArea(POINT point)
{
    const RECT rect = GetRect();
    return point.x >= rect.right - 2 && point.x < rect.right + 1 && point.y >= rect.top && point.y < rect.bottom;
}

void HvHeaderUIElement::GetAdjustmentRange(AdjustmentRange& range)
{
    range = AdjustmentRange{};
    HvColumnGroupImpl* item = header_ ? header_->Owner() : nullptr;
    if (!item)
        return;
    LONG minimum = 0;
    LONG maximum = 0;
    item->GetSizeRange(&minimum, &maximum);
    const RECT rect = GetRect();
    HvUIElement* parent = GetParent();
    HvUIElement* intersection = ResolveUIElementOfType(UIElementType::RowColRegionIntersection);
    const RECT bounds = intersection ? intersection->GetRect() : (parent ? parent->GetRect() : rect);
    HvUIElement* dataArea = ResolveUIElementOfType(UIElementType::DataArea);
    const RECT data = dataArea ? dataArea->GetRect() : bounds;
    long shrink = GetWidth() - minimum;
    if (rect.right - shrink < bounds.left)
        shrink = rect.right - bounds.left;
    long grow = data.right - rect.right;
    if (maximum >= 1 && maximum - GetWidth() < grow)
        grow = maximum - GetWidth();
    range.limits[2] = shrink < 0 ? 0 : shrink;
    range.limits[3] = grow < 0 ? 0 : grow;
    range.horizontal = RECT{rect.right - 1, data.top, rect.right, data.bottom};
}

void HvHeaderUIElement::ApplyAdjustment(int horizontalChange, int)
{
    if (!IsAlive() || horizontalChange == 0)
        return;
    if (HvColumnGroupImpl* item = header_ ? header_->Owner() : nullptr)
        item->SetWidth(item->GetWidth(false) + horizontalChange);
}
