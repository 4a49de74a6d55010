// HvExpansionIndicatorUIElement: drawing the box and toggling the row.
#include "HvExpansionIndicatorUIElement.h"

#include "AppearanceData.h"
#include "DisplayRowSeam.h"
#include "DrawContext.h"
#include "HvBand.h"
#include "HvRowUIElement.h"
#include "UIElementLayoutSeam.h"

#include <new>

namespace {
constexpr OLE_COLOR ButtonFace = 0x8000000F;
constexpr OLE_COLOR ButtonShadow = 0x80000010;
} // namespace

HvExpansionIndicatorUIElement::HvExpansionIndicatorUIElement(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                             const RECT& rect)
    : HvUIElement(layout, parent, rect, UIElementType::ExpansionIndicator)
{
}

HvExpansionIndicatorUIElement* HvExpansionIndicatorUIElement::Make(UIElementLayoutSeam* layout,
                                                                   HvUIElement* parent, const RECT& rect)
{
    return new (std::nothrow) HvExpansionIndicatorUIElement(layout, parent, rect);
}

void HvExpansionIndicatorUIElement::InitAppearance(AppearanceData& own, const AppearanceData&)
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    HvBand* band = row ? row->RowBand() : nullptr;
    const bool expandable = band && band->IsExpandable();
    own.SetBackColor(expandable ? 0xFFFFFF : ButtonFace);
    own.SetForeColor(expandable ? 0x000000 : ButtonShadow);
    own.SetBorderColor(ButtonShadow);
}

void HvExpansionIndicatorUIElement::DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData& data)
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    RECT rect = GetRect();
    RECT part;
    if (!row || !row->Row() || !IntersectRect(&part, &rect, &area))
        return;
    const bool expanded = row->Row()->IsExpanded();
    context.DrawExpansionIndicator(rect, expanded ? 0 : 1, data);
}

bool HvExpansionIndicatorUIElement::OnMouseDown(POINT, UINT)
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    HvBand* band = row ? row->RowBand() : nullptr;
    if (UIElementControlSeam* control = GetControl(); control && control->IsInEditMode())
        return true;
    if (band && band->IsExpandable() && row->Row())
        row->Row()->SetExpanded(!row->Row()->IsExpanded());
    return true;
}
