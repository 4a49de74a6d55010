// CViewStyleMultiBandHorizontal: band origins, header places, the top
// header area and rows placed in lines.
#include "CViewStyleMultiBandHorizontal.h"

#include <algorithm>

long CViewStyleMultiBandHorizontal::GetBandOffset(ViewStyleBand* band, ViewStyleBand* previous)
{
    ViewStyleBand* parent = band ? band->ParentBand() : nullptr;
    if (!parent)
        return 0;
    for (ViewStyleBand* up = previous; up; up = up->ParentBand())
        if (up == parent)
            return parent->Origin() + parent->Extent();
    return 0;
}

void CViewStyleMultiBandHorizontal::PlaceRegionHeaderItem(ViewStyleColRegion& region, ViewStyleHeader& item,
                                                          ViewStyleHeader* previous)
{
    ViewStyleBand* band = item.Band();
    if (!previous || !band || band == previous->Band() || band->ParentBand() == previous->Band()) {
        CViewStyleMultiBand::PlaceRegionHeaderItem(region, item, previous);
        return;
    }
    ViewStyleBand* parent = band->ParentBand();
    SetHeaderItemPosition(item, parent ? region.BandOrigin(parent) + region.BandExtent(parent) : 0);
}

void CViewStyleMultiBandHorizontal::ShiftFollowingBands(ViewStyleBand* band, long amount)
{
    bool after = false;
    for (long i = 0; i < Layout().BandCount(); ++i) {
        ViewStyleBand* other = Layout().BandAt(i);
        if (other == band) {
            after = true;
            continue;
        }
        if (after && other && !other->IsHidden() && Descends(other, band))
            other->SetOrigin(other->Origin() + amount);
    }
}

long CViewStyleMultiBandHorizontal::GetTopHeaderBands(HvVisibleRowList& rows, ViewStyleBand** bands, long capacity)
{
    if (!bands || capacity < 1)
        return 0;
    std::fill(bands, bands + capacity, nullptr);
    const long bandCount = Layout().BandCount();
    if (bandCount < 1)
        return 0;
    // The last record of the first line.
    HvVisibleRow* record = rows.First();
    for (HvVisibleRow* next = record ? HvVisibleRowList::Next(record) : nullptr; next && next->index == record->index;
         next = HvVisibleRowList::Next(next))
        record = next;
    ViewStyleBand* recordBand = record ? BandOf(*record) : nullptr;
    long count = 1;
    if (recordBand) {
        for (ViewStyleRow* row = &RowOf(*record); row; row = row->ParentStyleRow()) {
            ViewStyleBand* band = row->StyleBand();
            const long depth = band ? band->Depth() : -1;
            if (depth >= 0 && depth < capacity)
                bands[depth] = band;
        }
        count = std::min(recordBand->Depth() + 1, capacity);
    } else {
        bands[0] = FirstBand();
    }
    long deepest = 0;
    if (bandCount > count) {
        for (long i = 0; i < bandCount; ++i) {
            ViewStyleBand* band = Layout().BandAt(i);
            if (!band || band->IsHidden())
                continue;
            if (count < capacity && band->ParentBand() && band->ParentBand() == bands[count - 1])
                bands[count++] = band;
            deepest = std::max(deepest, band->Depth());
        }
    }
    if (count <= deepest) {
        for (long i = 0; i < bandCount; ++i) {
            ViewStyleBand* band = Layout().BandAt(i);
            if (!band || band->IsHidden() || (recordBand && !Descends(band, recordBand)))
                continue;
            const long depth = band->Depth();
            if (depth >= 0 && depth < capacity && !bands[depth]) {
                bands[depth] = band;
                ++count;
            }
        }
    }
    return count;
}

void CViewStyleMultiBandHorizontal::TakeLineOf(HvVisibleRow& record, HvVisibleRow& other)
{
    record.spacingBelow = 0;
    record.headersAbove = false;
    record.index = other.index;
    record.top = record.topCopy = other.top;
}

void CViewStyleMultiBandHorizontal::PlaceRowAfter(VisibleRowRequest& request, HvVisibleRow& record)
{
    HvVisibleRow* previous = request.previous;
    if (!previous) {
        CViewStyleMultiBand::PlaceRowAfter(request, record);
        return;
    }
    if (record.Parent() == previous) {
        TakeLineOf(record, *previous);
    } else {
        // A new line below the tallest record of the line above.
        long bottom = previous->top + previous->GetHeight(true);
        for (HvVisibleRow* up = HvVisibleRowList::Prev(previous); up && up->index == previous->index;
             up = HvVisibleRowList::Prev(up))
            bottom = std::max(bottom, up->top + up->GetHeight(true));
        record.spacingBelow = 0;
        record.headersAbove = false;
        record.index = previous->index + 1;
        record.top = record.topCopy = bottom;
    }
    UpdateSharedBorder(record, previous);
    LinkSiblingRecords(record, *previous);
}

void CViewStyleMultiBandHorizontal::PlaceRowBefore(VisibleRowRequest& request, HvVisibleRow& record)
{
    HvVisibleRow* following = request.previous;
    if (following && following->Parent() == &record)
        TakeLineOf(record, *following);
    else
        CViewStyleMultiBand::PlaceRowBefore(request, record);
}
