// CViewStyleMultiBandVertical: band origins, header places, shared borders
// and rows placed with their band's headers above each run of a band.
#include "CViewStyleMultiBandVertical.h"

long CViewStyleMultiBandVertical::GetBandOffset(ViewStyleBand* band, ViewStyleBand*)
{
    ViewStyleBand* parent = band ? band->ParentBand() : nullptr;
    return parent ? parent->Origin() + ChildBandIndent : 0;
}

void CViewStyleMultiBandVertical::PlaceRegionHeaderItem(ViewStyleColRegion& region, ViewStyleHeader& item,
                                                        ViewStyleHeader* previous)
{
    if (!item.StartsAtBandIndent()) {
        CViewStyleMultiBand::PlaceRegionHeaderItem(region, item, previous);
        return;
    }
    ViewStyleBand* band = item.Band();
    ViewStyleBand* parent = band ? band->ParentBand() : nullptr;
    SetHeaderItemPosition(item, parent ? parent->Origin() + ChildBandIndent : 0);
}

long CViewStyleMultiBandVertical::UpdateSharedBorder(HvVisibleRow& record, HvVisibleRow* previous)
{
    const long shared = (CViewStyleMultiBand::UpdateSharedBorder(record, previous) | SharedBorderVertical) & ~2L;
    record.sharedBorderFlags = shared;
    return shared;
}

long CViewStyleMultiBandVertical::SpacingBetween(const HvVisibleRow& upper, const HvVisibleRow& lower)
{
    return BandOf(upper) != BandOf(lower) ? Layout().InterBandSpacing() : 0;
}

void CViewStyleMultiBandVertical::PlaceRowAfter(VisibleRowRequest& request, HvVisibleRow& record)
{
    HvVisibleRow* previous = request.previous;
    if (!previous) {
        CViewStyleMultiBand::PlaceRowAfter(request, record);
        return;
    }
    previous->spacingBelow = SpacingBetween(*previous, record);
    record.spacingBelow = 0;
    record.index = previous->index + 1;
    record.top = record.topCopy = previous->top + previous->GetHeight(true) + previous->spacingBelow;
    record.headersAbove = BandOf(*previous) != BandOf(record);
    UpdateSharedBorder(record, previous);
    LinkSiblingRecords(record, *previous);
}

void CViewStyleMultiBandVertical::PlaceRowBefore(VisibleRowRequest& request, HvVisibleRow& record)
{
    HvVisibleRow* following = request.previous;
    // The topmost record so far carries its band's headers.
    record.headersAbove = true;
    long top = 0;
    if (following) {
        record.spacingBelow = SpacingBetween(record, *following);
        // Headers passed up to the new record leave the following record's
        // row where it stood: its top moves down by them.
        const long heightBefore = following->GetHeight(false);
        following->headersAbove = BandOf(record) != BandOf(*following);
        following->top += heightBefore - following->GetHeight(false);
        following->topCopy = following->top;
        record.index = following->index - 1;
        top = following->top - record.GetHeight(true) - record.spacingBelow;
    } else {
        record.spacingBelow = 0;
        record.index = 5000;
        top = request.fillLimit - record.GetHeight(true);
    }
    record.top = record.topCopy = PinnedTop(request, record, top);
}
