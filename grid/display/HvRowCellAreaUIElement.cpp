// HvRowCellAreaUIElement: placing the cells and the auto-preview.
#include "HvRowCellAreaUIElement.h"

#include "AppearanceData.h"
#include "DisplayRowSeam.h"
#include "DrawContext.h"
#include "HvBand.h"
#include "HvCellUIElement.h"
#include "HvColScrollRegion.h"
#include "HvColumnGroupImpl.h"
#include "HvRowAutoPreviewUIElement.h"
#include "HvRowUIElement.h"
#include "HvUIElements.h"
#include "RowSizing.h"

#include <new>

namespace {
constexpr DISPID BorderStyleRow = 0x3f3;
constexpr DISPID RowSizingArea = 0x895;
constexpr std::uint32_t CursorMask = AppearanceBit::MousePointer | AppearanceBit::MouseIcon;
} // namespace

HvRowCellAreaUIElement::HvRowCellAreaUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
    : HvUIElement(layout, parent, rect, 5400)
{
}

HvRowCellAreaUIElement* HvRowCellAreaUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                     const RECT& rect)
{
    return new (std::nothrow) HvRowCellAreaUIElement(layout, parent, rect);
}

long HvRowCellAreaUIElement::GetBorderStyle()
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    HvBand* band = row ? row->RowBand() : nullptr;
    return band ? band->ResolveSetting(BorderStyleRow) : 1;
}

HCURSOR HvRowCellAreaUIElement::GetCursor()
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    if (!row || !row->Row())
        return HvUIElement::GetCursor();
    AppearanceData data;
    row->Row()->ResolveAppearance(data, CursorMask, row->IsAlternate(), 0);
    return CursorFromAppearance(data);
}

void HvRowCellAreaUIElement::InitAppearance(AppearanceData& own, const AppearanceData&)
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    if (row && row->Row())
        row->Row()->ResolveAppearance(own, 0x7FFFF, row->IsAlternate(), 0);
}

void HvRowCellAreaUIElement::PositionChildElements()
{
    ClearChildrenDirty();
    HvUIElements* old = GetChildElementList(true);
    HvRowUIElement* row = HvRowUIElement::Above(this);
    auto* region = static_cast<HvColScrollRegion*>(ResolveColScrollRegion());
    HvBand* band = row ? row->RowBand() : nullptr;
    if (!old || !band || !region || !row->Row())
        return;
    DisplayRow& shown = *row->Row();
    std::vector<HvUIElement*> fresh;
    const RECT own = GetRect();
    const long preview = shown.AutoPreviewHeight();
    const long cellsBottom = own.bottom - (preview > 0 ? preview : 0);
    const long left = region->RegionRect().left - region->ScrollPosition();
    bool inRun = false;
    for (HvColumnGroupImpl* item : region->ShownItems()) {
        const bool ours = static_cast<HvBand*>(dynamic_cast<GridBandSeam*>(item->Band())) == band;
        if (!ours) {
            if (inRun)
                break;
            continue;
        }
        inRun = true;
        // The item's extent less the selector and indicator columns the
        // first one holds, the row's border and the cell spacing; the cell
        // draws its own border inside.
        const long start = left + item->SharedOrigin();
        RECT rect = {start, own.top, start + item->GetExtent(), cellsBottom};
        item->DeflateCellRect(&rect, 0, 4);
        RECT overlap;
        if (rect.right <= rect.left || !IntersectRect(&overlap, &rect, &own))
            continue;
        auto* cell = static_cast<HvCellUIElement*>(TakeChildOfType(old, UIElementType::Cell, false));
        if (!cell)
            cell = HvCellUIElement::Make(GetLayout(), this, rect);
        if (!cell)
            continue;
        cell->SetCell(item, shown.CellObject(item));
        cell->SetChanged();
        cell->SetRect(rect, false);
        fresh.push_back(cell);
    }
    if (preview > 0) {
        const RECT rect = {own.left, cellsBottom, own.right, own.bottom};
        HvUIElement* made = TakeChildOfType(old, 5500, false);
        if (!made)
            made = HvRowAutoPreviewUIElement::Make(GetLayout(), this, rect);
        if (made) {
            made->SetChanged();
            made->SetRect(rect, false);
            fresh.push_back(made);
        }
    }
    ReplaceChildren(fresh);
}

void HvRowCellAreaUIElement::DrawFocus(CDrawContext& context, const RECT&, const AppearanceData&)
{
    RECT rect = GetRectInsideBorders();
    context.DrawFocusRect(rect);
}

bool HvRowCellAreaUIElement::IsAdjustable()
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    HvBand* band = row ? row->RowBand() : nullptr;
    return band && row->Row() && !row->Row()->IsFixedHeight() && band->ResolveSetting(RowSizingArea) != 1;
}

bool HvRowCellAreaUIElement::PointInAdjustableArea(POINT point)
{
    const RECT rect = GetRect();
    return point.y >= rect.bottom - 1 && point.y < rect.bottom + 1 && point.x >= rect.left && point.x < rect.right;
}

void HvRowCellAreaUIElement::GetAdjustmentRange(AdjustmentRange& range)
{
    RowSizingRange(*this, range);
}

void HvRowCellAreaUIElement::ApplyAdjustment(int, int verticalChange)
{
    RowSizingApply(*this, verticalChange);
}
