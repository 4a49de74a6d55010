// CViewStyle: rebuilding a row region's visible-row list after its rows
// changed, and resetting it from its first row.
#include "CViewStyle.h"

bool CViewStyle::IsRecordValid(const HvVisibleRow& record)
{
    ViewStyleRow& row = RowOf(record);
    if (!row.IsAlive() || row.IsHidden())
        return false;
    ViewStyleRow* parent = row.ParentStyleRow();
    return !parent || (parent->IsAlive() && !parent->IsHidden() && parent->ShowsChildRows());
}

bool CViewStyle::DropLeadingInvalidRecords(ViewStyleRowRegion& region)
{
    bool dropped = false;
    while (HvVisibleRow* first = region.rows.First()) {
        ViewStyleRow& row = RowOf(*first);
        if (row.IsAlive() && !row.IsHidden())
            break;
        region.rows.Remove(first);
        dropped = true;
    }
    if (dropped && region.rows.First())
        region.SetFirstRow(&RowOf(*region.rows.First()));
    return !region.rows.Empty();
}

// Places every record again from the region's top; false when a record
// had to be removed (the caller starts over).
bool CViewStyle::PlaceAll(VisibleRowRequest& request)
{
    HvVisibleRowList& rows = request.region.rows;
    for (HvVisibleRow* record = rows.First(); record; record = HvVisibleRowList::Next(record))
        record->ClearSiblingLinks();
    request.previous = request.last = nullptr;
    for (HvVisibleRow* record = rows.First(); record; record = HvVisibleRowList::Next(record)) {
        if (!IsRecordValid(*record)) {
            rows.Remove(record);
            return false;
        }
        PlaceRowAfter(request, *record);
        request.previous = request.last = record;
    }
    return true;
}

void CViewStyle::ResumeAfterLast(VisibleRowRequest& request)
{
    HvVisibleRowList& rows = request.region.rows;
    HvVisibleRow* last = request.last;
    request.SetStart(&RowOf(*last), last);
    HvVisibleRow* before = HvVisibleRowList::Prev(last);
    rows.Remove(last);
    request.previous = request.last = before;
    FillRows(request, nullptr, nullptr);
}

void CViewStyle::BuildVisibleRows(ViewStyleRowRegion& region)
{
    VisibleRowRequest request(region, false);
    RebuildList(request);
}

void CViewStyle::RebuildList(VisibleRowRequest& request)
{
    ViewStyleRowRegion& region = request.region;
    for (;;) {
        if (!DropLeadingInvalidRecords(region)) {
            ResetRowRegion(region);
            return;
        }
        if (PlaceAll(request))
            break;
    }
    HvVisibleRow* last = request.last;
    if (last->top < request.fillLimit) {
        // The rows stop short of the region's bottom: what follows the last
        // record (its children first) may fill the gap.
        ResumeAfterLast(request);
        return;
    }
    while (region.rows.Count() > 1) {
        last = region.rows.Last();
        if (last->top - request.fillLimit < last->GetHeight(false))
            break;
        region.rows.Remove(last);
    }
}

void CViewStyle::ResetRowRegion(ViewStyleRowRegion& region)
{
    region.rows.Clear();
    ViewStyleRow* row = region.FirstRow();
    if (!row)
        return;
    // Walk up to a row that can be shown: its band shown and no ancestor
    // collapsed or hidden.
    for (ViewStyleRow* candidate = row; candidate; candidate = candidate->ParentStyleRow()) {
        bool shown = candidate->StyleBand() && !candidate->StyleBand()->IsHidden();
        for (ViewStyleRow* up = candidate->ParentStyleRow(); shown && up; up = up->ParentStyleRow())
            shown = up->ShowsChildRows() && !up->IsHidden();
        row = candidate;
        if (shown)
            break;
    }
    region.SetFirstRow(row);
    VisibleRowRequest request(region, false);
    request.SetStart(row, nullptr);
    FillRows(request, nullptr, nullptr);
}
