// HvSiblingRowConnectorUIElement: the connector line's look.
#include "HvSiblingRowConnectorUIElement.h"

#include "AppearanceData.h"
#include "DisplayRowSeam.h"
#include "DrawContext.h"
#include "HvBand.h"
#include "HvLayout.h"
#include "HvRowScrollRegion.h"
#include "UIElementLayoutSeam.h"

#include <new>

namespace {
// Border styles of the dotted and dashed connectors, and the two drawn
// two pixels wide.
bool IsBroken(long style)
{
    return style >= 2 && style <= 4;
}
constexpr long InsetSoft = 8;
constexpr long RaisedSoft = 9;
} // namespace

HvSiblingRowConnectorUIElement::HvSiblingRowConnectorUIElement(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                               const RECT& rect)
    : HvUIElement(layout, parent, rect, UIElementType::SiblingRowConnector)
{
}

HvSiblingRowConnectorUIElement::~HvSiblingRowConnectorUIElement()
{
    if (row_)
        row_->ReleaseRow();
}

HvSiblingRowConnectorUIElement* HvSiblingRowConnectorUIElement::Make(UIElementLayoutSeam* layout,
                                                                     HvUIElement* parent, const RECT& rect)
{
    return new (std::nothrow) HvSiblingRowConnectorUIElement(layout, parent, rect);
}

void HvSiblingRowConnectorUIElement::SetRow(DisplayRow* row, bool continued)
{
    if (row)
        row->AddRefRow();
    if (row_)
        row_->ReleaseRow();
    if (row != row_ || continued != continued_)
        SetChanged();
    row_ = row;
    continued_ = continued;
}

HCURSOR HvSiblingRowConnectorUIElement::GetCursor()
{
    return HvUIElement::GetCursor();
}

CAutomationObject* HvSiblingRowConnectorUIElement::GetRow()
{
    return row_ && row_->IsAlive() ? row_->RowObject() : nullptr;
}

CAutomationObject* HvSiblingRowConnectorUIElement::GetBand()
{
    return row_ && row_->IsAlive() ? row_->ModelBand() : nullptr;
}

void HvSiblingRowConnectorUIElement::InitAppearance(AppearanceData& own, const AppearanceData&)
{
    if (HvLayout* layout = GetLayout() ? GetLayout()->ModelLayout() : nullptr)
        own.SetForeColor(layout->GetRowConnectorColorRGB());
}

void HvSiblingRowConnectorUIElement::DrawForeground(CDrawContext& context, const RECT& area,
                                                    const AppearanceData& data)
{
    HvLayout* layout = GetLayout() ? GetLayout()->ModelLayout() : nullptr;
    const RECT rect = GetRect();
    RECT part;
    if (!layout || !IntersectRect(&part, &rect, &area))
        return;
    const long style = layout->ResolveRowConnectorBorderStyle();
    const long middle = (rect.left + rect.right) / 2;
    RECT line = {middle, rect.top, middle + 1, rect.bottom};
    // Dots and dashes keep their rhythm from row to row while the rows
    // scroll by odd amounts.
    if (IsBroken(style)) {
        auto* region = dynamic_cast<HvRowScrollRegion*>(ResolveRowScrollRegion());
        if (region && (region->ScrollPixels() & 1))
            ++line.top;
    }
    UINT sides = BorderSide::Left;
    if (style == InsetSoft || style == RaisedSoft) {
        if (style == InsetSoft)
            ++line.right;
        else
            --line.left;
        sides = BorderSide::Left | BorderSide::Right;
    }
    context.DrawBorder(line, style, data.GetForeColorRef(), sides);
}
