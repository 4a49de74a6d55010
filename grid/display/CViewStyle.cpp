// CViewStyle: selection of the strategy and the operations on bands,
// headers and rows that every style shares unless it supplies its own.
#include "CViewStyle.h"

#include "CViewStyleMultiBandHorizontal.h"
#include "CViewStyleMultiBandVertical.h"
#include "CViewStyleSingleBand.h"

#include <algorithm>
#include <new>

HRESULT CViewStyle::Make(ViewStyleLayout& layout, int viewStyle, int viewStyleBand, std::unique_ptr<CViewStyle>& out)
{
    if (out)
        return E_FAIL;
    try {
        if (viewStyle == 0 && (viewStyleBand == 0 || viewStyleBand == 1))
            out = std::make_unique<CViewStyleSingleBand>(layout);
        else if (viewStyle == 1 && viewStyleBand == 0)
            out = std::make_unique<CViewStyleMultiBandVertical>(layout);
        else if (viewStyle == 1 && viewStyleBand == 1)
            out = std::make_unique<CViewStyleMultiBandHorizontal>(layout);
        else
            return E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_FAIL;
    }
    return S_OK;
}

ViewStyleBand* CViewStyle::FirstBand()
{
    return layout_.BandCount() > 0 ? layout_.BandAt(0) : nullptr;
}

bool CViewStyle::Descends(ViewStyleBand* band, ViewStyleBand* ancestor)
{
    for (ViewStyleBand* up = band ? band->ParentBand() : nullptr; up; up = up->ParentBand())
        if (up == ancestor)
            return true;
    return false;
}

long CViewStyle::GetBandOffset(ViewStyleBand*, ViewStyleBand*)
{
    return 0;
}

void CViewStyle::ShiftFollowingBands(ViewStyleBand*, long)
{
}

void CViewStyle::PlaceRegionHeaderItem(ViewStyleColRegion&, ViewStyleHeader& item, ViewStyleHeader* previous)
{
    SetHeaderItemPosition(item, previous ? previous->Position() + previous->Width() : 0);
}

bool CViewStyle::BuildBandHeaders(ViewStyleColRegion& region, ViewStyleBand* band)
{
    ViewStyleHeaderSource* source = layout_.Headers();
    if (!band || !source)
        return false;
    const long left = region.ScrollPosition();
    const long right = left + region.Width();
    bool added = false;
    const long count = source->HeaderCount(band);
    for (long i = 0; i < count; ++i) {
        ViewStyleHeader* header = source->HeaderAt(band, i);
        if (!header || header->IsHidden())
            continue;
        ViewStyleColRegion* exclusive = header->ExclusiveRegion();
        if (exclusive ? exclusive != &region : region.IsExclusive())
            continue;
        const long origin = header->Origin();
        // Headers come in display order: the first one past the span ends
        // the walk.
        if (origin > right)
            break;
        if (origin < right && origin + header->Width() > left && region.AddVisibleHeader(*header))
            added = true;
    }
    return added;
}

long CViewStyle::GetTopHeaderHeight(int level)
{
    if (!HasTopHeaderArea())
        return 0;
    long height = 0;
    const long count = IsMultiBand() ? layout_.BandCount() : std::min(layout_.BandCount(), 1L);
    for (long i = 0; i < count; ++i) {
        ViewStyleBand* band = layout_.BandAt(i);
        if (band && !band->IsHidden())
            height = std::max(height, band->HeaderHeight(level));
    }
    return height;
}

long CViewStyle::GetTopHeaderBands(HvVisibleRowList&, ViewStyleBand** bands, long capacity)
{
    if (!bands || capacity < 1)
        return 0;
    std::fill(bands, bands + capacity, nullptr);
    if (!HasTopHeaderArea())
        return 0;
    bands[0] = FirstBand();
    return bands[0] ? 1 : 0;
}

long CViewStyle::UpdateSharedBorder(HvVisibleRow& record, HvVisibleRow* previous)
{
    long shared = 0;
    ViewStyleBand* band = BandOf(record);
    // None, inset, raised, soft inset and soft raised borders are drawn
    // whole on every row.
    const long style = band ? band->RowBorderStyle() : 1;
    if (style != 1 && (style < 6 || style > 9)) {
        const long headerHeight = band->HeaderHeight(1);
        if (record.headersAbove && headerHeight >= 1)
            shared = 1;
        else if (record.top <= GetTopHeaderHeight(1) && headerHeight >= 1)
            shared = 1;
        else if (previous && BandOf(*previous) == band && previous->spacingBelow == 0 &&
                 RowOf(record).RowSpacingBefore() == 0)
            shared = 1;
    }
    record.sharedBorderFlags = shared;
    return shared;
}

bool CViewStyle::IsFirstRow(const HvVisibleRow& record)
{
    ViewStyleRow& row = RowOf(record);
    return !row.ParentStyleRow() && !row.HasPrevSibling();
}

bool CViewStyle::IsLastRow(const HvVisibleRow& record)
{
    return !RowOf(record).HasNextSibling();
}

HRESULT CViewStyle::GetLastRow(ViewStyleRow** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return layout_.EdgeRow(true, out);
}

HRESULT CViewStyle::GetLastDescendantRow(ViewStyleRow*, ViewStyleRow** out)
{
    if (out)
        *out = nullptr;
    return E_FAIL;
}
