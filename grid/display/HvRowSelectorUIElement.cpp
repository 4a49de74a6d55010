// HvRowSelectorUIElement: the selector's look, mark and row sizing.
#include "HvRowSelectorUIElement.h"

#include "AppearanceData.h"
#include "DisplayRowSeam.h"
#include "DrawContext.h"
#include "HvBand.h"
#include "HvLayout.h"
#include "HvRowUIElement.h"
#include "OleColor.h"
#include "RowSelectorMarks.h"
#include "RowSizing.h"
#include "UIElementLayoutSeam.h"

#include <new>

namespace {
constexpr DISPID BorderStyleHeader = 0x509;
constexpr DISPID RowSizingArea = 0x895;
constexpr OLE_COLOR ButtonFace = 0x8000000F;
constexpr std::uint32_t CursorMask = AppearanceBit::MousePointer | AppearanceBit::MouseIcon;
} // namespace

HvRowSelectorUIElement::HvRowSelectorUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
    : HvUIElement(layout, parent, rect, 5300)
{
}

HvRowSelectorUIElement* HvRowSelectorUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                     const RECT& rect)
{
    return new (std::nothrow) HvRowSelectorUIElement(layout, parent, rect);
}

WORD HvRowSelectorUIElement::MarkOf(bool changed, bool active, bool addRow)
{
    if (changed) {
        if (active)
            return addRow ? RowSelectorMark::AddRowActive : RowSelectorMark::ActiveChanged;
        return addRow ? RowSelectorMark::AddRow : RowSelectorMark::Changed;
    }
    return active ? RowSelectorMark::Active : 0;
}

long HvRowSelectorUIElement::GetBorderStyle()
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    HvBand* band = row ? row->RowBand() : nullptr;
    return band ? band->ResolveSetting(BorderStyleHeader) : 1;
}

UINT HvRowSelectorUIElement::GetBorderSides()
{
    return HvLayout::IsThinBorderStyle(GetBorderStyle()) ? 13 : 15;
}

HCURSOR HvRowSelectorUIElement::GetCursor()
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    if (!row || !row->Row())
        return HvUIElement::GetCursor();
    AppearanceData data;
    row->Row()->ResolveAppearance(data, CursorMask, row->IsAlternate(), 1);
    return CursorFromAppearance(data);
}

void HvRowSelectorUIElement::InitAppearance(AppearanceData& own, const AppearanceData&)
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    if (row && row->Row())
        row->Row()->ResolveAppearance(own, 0x7FFFF, row->IsAlternate(), 1);
    if (own.BackColor() == UnsetColor)
        own.SetBackColor(ButtonFace);
}

void HvRowSelectorUIElement::DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData& data)
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    UIElementLayoutSeam* seam = GetLayout();
    HvLayout* layout = seam ? seam->ModelLayout() : nullptr;
    RECT rect = GetRect();
    RECT part;
    if (!row || !row->Row() || !layout || layout->IsDesignMode() || !layout->IsEnabled() ||
        !IntersectRect(&part, &rect, &area))
        return;
    DisplayRow& shown = *row->Row();
    const WORD mark = MarkOf(shown.HasDataChanged(), shown.IsActiveRow(), shown.IsAddRow());
    if (!mark)
        return;
    const int x = rect.left + (rect.right - rect.left - RowSelectorMark::Size) / 2;
    const int y = rect.top + (rect.bottom - rect.top - RowSelectorMark::Size) / 2;
    const COLORREF color = data.ForeColor() == UnsetColor ? CLR_INVALID : TranslateOleColor(data.ForeColor());
    DrawRowSelectorMark(context.DrawDc(), mark, x, y, color);
}

bool HvRowSelectorUIElement::IsAdjustable()
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    HvBand* band = row ? row->RowBand() : nullptr;
    return band && row->Row() && !row->Row()->IsFixedHeight() && band->ResolveSetting(RowSizingArea) != 2;
}

bool HvRowSelectorUIElement::PointInAdjustableArea(POINT point)
{
    const RECT rect = GetRect();
    return point.y >= rect.bottom - 2 && point.y < rect.bottom + 1 && point.x >= rect.left && point.x < rect.right;
}

void HvRowSelectorUIElement::GetAdjustmentRange(AdjustmentRange& range)
{
    RowSizingRange(*this, range);
}

void HvRowSelectorUIElement::ApplyAdjustment(int, int verticalChange)
{
    RowSizingApply(*this, verticalChange);
}
