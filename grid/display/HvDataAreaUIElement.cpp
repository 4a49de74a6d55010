// HvDataAreaUIElement: the tiling of the scroll regions.
#include "HvDataAreaUIElement.h"

#include "DataAreaTiling.h"
#include "HvColScrollBarUIElement.h"
#include "HvColScrollRegion.h"
#include "HvColScrollRegions.h"
#include "HvColSplitBoxUIElement.h"
#include "HvColSplitterBarUIElement.h"
#include "HvLayout.h"
#include "HvRowColRegionIntersectionUIElement.h"
#include "HvRowScrollBarUIElement.h"
#include "HvRowScrollRegion.h"
#include "HvRowScrollRegions.h"
#include "HvRowSplitBoxUIElement.h"
#include "HvRowSplitterBarUIElement.h"
#include "HvScrollBarIntersectionUIElement.h"
#include "HvSplitterIntersectionUIElement.h"
#include "HvUIElements.h"
#include "UIElementLayoutSeam.h"

#include <new>

namespace {

template <class TRegion, class TRegions>
std::vector<TRegion*> RegionsOf(TRegions* regions)
{
    std::vector<TRegion*> out;
    if (!regions)
        return out;
    for (LONG i = 0; i < regions->ItemCount(); ++i)
        out.push_back(static_cast<TRegion*>(regions->RegionAt(i)));
    return out;
}

template <class TRegion>
std::vector<TileRegion> TileRegionsOf(const std::vector<TRegion*>& regions)
{
    std::vector<TileRegion> out;
    for (TRegion* region : regions)
        out.push_back(TileRegion{!region->IsHidden(), region->Origin(), region->Extent(),
                                 !region->IsHidden() && region->IsScrollBarVisible(0)});
    return out;
}

} // namespace

HvDataAreaUIElement::HvDataAreaUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
    : HvUIElement(layout, parent, rect, UIElementType::DataArea)
{
}

HvDataAreaUIElement* HvDataAreaUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
{
    return new (std::nothrow) HvDataAreaUIElement(layout, parent, rect);
}

void HvDataAreaUIElement::SetRect(const RECT& rect, bool invalidate)
{
    HvUIElement::SetRect(rect, invalidate);
    Tile();
}

void HvDataAreaUIElement::PositionChildElements()
{
    // The regions bring their visible rows and headers up to date before
    // the intersections place them.
    if (HvLayout* layout = GetLayout() ? GetLayout()->ModelLayout() : nullptr) {
        for (HvColScrollRegion* region : RegionsOf<HvColScrollRegion>(layout->ColScrollRegions()))
            if (!region->IsHidden())
                region->Recalculate();
        for (HvRowScrollRegion* region : RegionsOf<HvRowScrollRegion>(layout->RowScrollRegions()))
            if (!region->IsHidden())
                region->Recalculate();
    }
    HvUIElement::PositionChildElements();
}

void HvDataAreaUIElement::Tile()
{
    HvUIElements* old = GetChildElementList(true);
    HvLayout* layout = GetLayout() ? GetLayout()->ModelLayout() : nullptr;
    if (!old || !layout)
        return;
    HvRowScrollRegions* rowRegions = layout->RowScrollRegions();
    HvColScrollRegions* colRegions = layout->GetColScrollRegions(false);
    const std::vector<HvRowScrollRegion*> rows = RegionsOf<HvRowScrollRegion>(rowRegions);
    const std::vector<HvColScrollRegion*> cols = RegionsOf<HvColScrollRegion>(colRegions);

    TilingInput input;
    input.area = GetRect();
    input.rows = TileRegionsOf(rows);
    input.cols = TileRegionsOf(cols);
    input.canAddRow = rowRegions && rowRegions->CanAddRegion();
    input.canAddCol = colRegions && colRegions->CanAddRegion();
    input.splitterWidth = HvLayout::GetSplitterBarWidth();
    input.vScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    input.hScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
    const TilingResult result = TileDataArea(input);

    // The regions take their new places; their bars follow the pieces.
    const RECT area = GetRect();
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i]->SetOriginExtent(input.rows[i].start, input.rows[i].extent, false, false);
        if (input.rows[i].visible) {
            const long top = area.top + input.rows[i].start;
            rows[i]->SetRegionRect(RECT{area.left, top, area.right, top + input.rows[i].extent});
        }
    }
    for (size_t i = 0; i < cols.size(); ++i) {
        cols[i]->SetOriginExtent(input.cols[i].start, input.cols[i].extent, false, false);
        const long left = area.left + input.cols[i].start;
        cols[i]->SetRegionRect(RECT{left, area.top, left + input.cols[i].extent, area.bottom});
    }

    std::vector<HvUIElement*> fresh;
    for (const TilePiece& piece : result.pieces) {
        RECT overlap;
        if (!IntersectRect(&overlap, &piece.rect, &area))
            continue;
        if (HvUIElement* element = TakeOrMake(old, piece)) {
            if (piece.type == UIElementType::RowColRegionIntersection)
                static_cast<HvRowColRegionIntersectionUIElement*>(element)->SetRegions(
                    rows[static_cast<size_t>(piece.row)], cols[static_cast<size_t>(piece.col)]);
            else {
                auto* region = static_cast<HvRegionTileUIElement*>(element);
                region->SetRegions(piece.row >= 0 ? rows[static_cast<size_t>(piece.row)] : nullptr,
                                   piece.col >= 0 ? cols[static_cast<size_t>(piece.col)] : nullptr);
            }
            element->SetRect(piece.rect, false);
            fresh.push_back(element);
        }
    }
    ReplaceChildren(fresh);

    for (size_t i = 0; i < rows.size(); ++i)
        rows[i]->PlaceScrollBar(result.rowBars[i]);
    for (size_t i = 0; i < cols.size(); ++i)
        cols[i]->PlaceScrollBar(result.colBars[i]);
}

HvUIElement* HvDataAreaUIElement::TakeOrMake(HvUIElements* old, const TilePiece& piece)
{
    if (HvUIElement* reused = TakeChildOfType(old, piece.type, false))
        return reused;
    UIElementLayoutSeam* layout = GetLayout();
    const RECT& rect = piece.rect;
    switch (piece.type) {
    case UIElementType::RowColRegionIntersection:
        return HvRowColRegionIntersectionUIElement::Make(layout, this, rect);
    case 1100: return HvColScrollBarUIElement::Make(layout, this, rect);
    case 1200: return HvColSplitterBarUIElement::Make(layout, this, rect);
    case 1300: return HvColSplitBoxUIElement::Make(layout, this, rect);
    case 1400: return HvRowScrollBarUIElement::Make(layout, this, rect);
    case 1500: return HvRowSplitterBarUIElement::Make(layout, this, rect);
    case 1600: return HvRowSplitBoxUIElement::Make(layout, this, rect);
    case 1700: return HvSplitterIntersectionUIElement::Make(layout, this, rect);
    case 1800: return HvScrollBarIntersectionUIElement::Make(layout, this, rect);
    default: return nullptr;
    }
}
