// HvPreRowAreaUIElement: the expansion indicator and the connector stub.
#include "HvPreRowAreaUIElement.h"

#include "DisplayRowSeam.h"
#include "DrawContext.h"
#include "HvExpansionIndicatorUIElement.h"
#include "HvLayout.h"
#include "HvRowUIElement.h"
#include "HvUIElements.h"
#include "UIElementLayoutSeam.h"

#include <new>

HvPreRowAreaUIElement::HvPreRowAreaUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
    : HvUIElement(layout, parent, rect, 5100)
{
}

HvPreRowAreaUIElement* HvPreRowAreaUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                   const RECT& rect)
{
    return new (std::nothrow) HvPreRowAreaUIElement(layout, parent, rect);
}

void HvPreRowAreaUIElement::PositionChildElements()
{
    ClearChildrenDirty();
    HvUIElements* old = GetChildElementList(true);
    HvRowUIElement* row = HvRowUIElement::Above(this);
    if (!old || !row || !row->Row())
        return;
    std::vector<HvUIElement*> fresh;
    if (row->Row()->ShowsExpansionIndicator()) {
        const RECT area = GetRect();
        const long left = area.left + (area.right - area.left - 9) / 2;
        const long top = area.top + (area.bottom - area.top - 9) / 2 + 1;
        const RECT box = {left, top, left + 9, top + 9};
        HvUIElement* indicator = TakeChildOfType(old, UIElementType::ExpansionIndicator, true);
        if (!indicator)
            indicator = HvExpansionIndicatorUIElement::Make(GetLayout(), this, box);
        if (indicator) {
            indicator->SetRect(box, false);
            fresh.push_back(indicator);
        }
    }
    ReplaceChildren(fresh);
}

void HvPreRowAreaUIElement::DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData&)
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    HvLayout* layout = GetLayout() ? GetLayout()->ModelLayout() : nullptr;
    RECT rect = GetRect();
    RECT part;
    if (!row || !row->Row() || !layout || !IntersectRect(&part, &rect, &area))
        return;
    ViewStyleRow* parentRow = row->Row()->ParentStyleRow();
    if (!parentRow && !row->Row()->ShowsExpansionIndicator())
        return;
    // The horizontal stub from the connector line to the cells.
    const long middle = (rect.top + rect.bottom + 1) / 2;
    const long start = (rect.left + rect.right) / 2 + 1;
    RECT line = {start, middle, rect.right, middle + 1};
    const long style = layout->ResolveRowConnectorBorderStyle();
    context.DrawBorder(line, style, layout->GetRowConnectorColorRGB(), BorderSide::Top);
}
