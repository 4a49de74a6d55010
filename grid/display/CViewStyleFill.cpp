// CViewStyle: placing rows one after another and filling, rebuilding and
// resetting a row region's visible-row list.
#include "CViewStyle.h"

#include <vector>

void CViewStyle::PlaceRowAfter(VisibleRowRequest& request, HvVisibleRow& record)
{
    record.spacingBelow = 0;
    HvVisibleRow* previous = request.previous;
    if (previous) {
        record.index = previous->index + 1;
        record.top = previous->top + previous->GetHeight(true);
        // Without a top header area the first row of each band's run
        // carries the band's headers.
        record.headersAbove = !HasTopHeaderArea() && !RowOf(record).HasPrevSibling();
    } else {
        record.index = 0;
        record.top = request.region.firstRowOffset + GetTopHeaderHeight(1);
        record.headersAbove = !HasTopHeaderArea();
    }
    record.topCopy = record.top;
    UpdateSharedBorder(record, previous);
    if (previous)
        LinkSiblingRecords(record, *previous);
}

long CViewStyle::PinnedTop(VisibleRowRequest& request, HvVisibleRow& record, long top)
{
    const long offset = request.region.firstRowOffset;
    const long topHeader = GetTopHeaderHeight(1);
    ViewStyleBand* band = BandOf(record);
    const long bandHeader = band ? band->HeaderHeight(1) : 0;
    if (offset + top <= bandHeader || offset + top <= topHeader)
        return topHeader + offset;
    return top;
}

void CViewStyle::PlaceRowBefore(VisibleRowRequest& request, HvVisibleRow& record)
{
    record.spacingBelow = 0;
    HvVisibleRow* following = request.previous;
    record.headersAbove = !HasTopHeaderArea() && following && !RowOf(record).HasPrevSibling();
    long top = 0;
    if (following) {
        record.index = following->index - 1;
        top = following->top - record.GetHeight(true);
    } else {
        record.index = 5000;
        top = request.fillLimit - record.GetHeight(true);
    }
    record.top = record.topCopy = PinnedTop(request, record, top);
}

void CViewStyle::LinkSiblingRecords(HvVisibleRow& record, HvVisibleRow& previous)
{
    ViewStyleBand* band = BandOf(record);
    const long depth = band ? band->Depth() : 0;
    VisibleRowSubject* parentRow = record.Row().ParentRow();
    for (HvVisibleRow* up = &previous; up; up = up->Parent()) {
        ViewStyleBand* upBand = BandOf(*up);
        const long upDepth = upBand ? upBand->Depth() : 0;
        if (upDepth == depth && up->Row().ParentRow() == parentRow && &up->Row() != &record.Row()) {
            record.LinkAfterSibling(*up);
            return;
        }
        if (upDepth <= depth)
            return;
    }
}

bool CViewStyle::IsFillComplete(VisibleRowRequest& request)
{
    HvVisibleRow* previous = request.previous;
    if (!previous || request.region.rows.Count() < 2)
        return false;
    bool reached = false;
    if (request.lineLimit > 0) {
        if (previous->index != request.lastLineIndex) {
            ++request.linesAdded;
            request.lastLineIndex = previous->index;
        }
        reached = request.linesAdded >= request.lineLimit;
    }
    if (!request.backward)
        return reached || previous->top > request.fillLimit;
    if (!reached)
        reached = previous->top <= request.region.firstRowOffset + GetTopHeaderHeight(1);
    if (!reached)
        return false;
    // A child row standing beside its parent must be followed by the parent.
    ViewStyleRow& row = RowOf(*previous);
    if (IsHorizontal() && previous->Parent() && !row.HasPrevSibling() && !row.HasPrevSiblingSpanningBands())
        return false;
    return true;
}

bool CViewStyle::AddVisibleRow(VisibleRowRequest& request, HvVisibleRow* record, bool withChildren)
{
    if (!record)
        return false;
    // The list takes its own reference; this one is released on the way out.
    struct Hold {
        HvVisibleRow* entry;
        ~Hold() { entry->Release(); }
    } hold{record};
    if (IsFillComplete(request) || RowOf(*record).IsHidden())
        return false;
    const bool resuming = request.StartRow() != nullptr;
    HvVisibleRowList& rows = request.region.rows;
    bool added = false;
    if (!resuming && !request.backward) {
        HvVisibleRow* upper = request.previous;
        record->AddRef();
        rows.InsertBefore(record, request.insertBefore);
        PlaceRowAfter(request, *record);
        request.previous = request.last = record;
        if (upper)
            upper->nextIsChild = BandOf(*upper) != BandOf(*record) && record->Parent() == upper;
        added = true;
    }
    if (withChildren && RowOf(*record).ShowsChildRows() && !IsFillComplete(request))
        added = AddChildRows(request, *record) || added;
    if (!resuming && request.backward && !IsFillComplete(request)) {
        HvVisibleRow* lower = request.previous;
        PlaceRowBefore(request, *record);
        record->nextIsChild = lower && BandOf(*lower) != BandOf(*record) && lower->Parent() == record;
        record->AddRef();
        rows.InsertBefore(record, request.insertBefore ? request.insertBefore : rows.First());
        request.previous = request.insertBefore = record;
        if (!request.last)
            request.last = record;
        added = true;
    }
    return added;
}

bool CViewStyle::AddChildRows(VisibleRowRequest& request, HvVisibleRow& parent)
{
    ViewStyleRow& row = RowOf(parent);
    if (!IsMultiBand() || !row.ShowsChildRows()) {
        parent.nextIsChild = false;
        return false;
    }
    bool added = false;
    const long count = layout_.BandCount();
    for (long step = 0; step < count; ++step) {
        ViewStyleBand* band = layout_.BandAt(request.backward ? count - 1 - step : step);
        if (!band || band->IsHidden() || band->ParentBand() != row.StyleBand())
            continue;
        if (ViewStyleRow* start = request.StartRow()) {
            ViewStyleBand* startBand = start->StyleBand();
            if (band != startBand && !Descends(startBand, band))
                continue;
        }
        added = AppendChildRows(request, parent, band) || added;
        if (IsFillComplete(request))
            break;
    }
    return added;
}

bool CViewStyle::FillRows(VisibleRowRequest& request, HvVisibleRow* parent, ViewStyleRow* row, ViewStyleBand* band)
{
    if (!band)
        band = row ? row->StyleBand() : FirstBand();
    if (IsFillComplete(request))
        return false;
    ViewStyleRowRef taken;
    HvVisibleRow* reuse = nullptr;
    bool withChildren = true;
    bool ancestorAgain = false;
    if (ViewStyleRow* start = request.StartRow()) {
        if (start->StyleBand() == band) {
            ViewStyleRow* startRow = nullptr;
            request.TakeStart(startRow, reuse);
            taken = ViewStyleRowRef(startRow);
            // Backward, the start row's children are listed already.
            withChildren = !request.backward;
        } else {
            ViewStyleRow* ancestor = start;
            HvVisibleRow* ancestorRecord = request.StartRecord();
            while (ancestor && ancestor->StyleBand() != band) {
                ancestor = ancestor->ParentStyleRow();
                ancestorRecord = ancestorRecord ? ancestorRecord->Parent() : nullptr;
            }
            if (ancestor)
                ancestor->AddRefRow();
            taken = ViewStyleRowRef(ancestor);
            reuse = ancestorRecord;
            if (reuse)
                reuse->AddRef();
            ancestorAgain = request.backward;
        }
        row = taken.Get();
    }
    if (!row) {
        if (reuse)
            reuse->Release();
        return false;
    }
    HvVisibleRow* record = reuse ? reuse : HvVisibleRow::Create(request.region.rows, *row, parent);
    if (!record)
        return false;
    if (ancestorAgain)
        record->AddRef();
    if (!AddVisibleRow(request, record, withChildren) && !IsFillComplete(request) && !ancestorAgain) {
        return false;
    }
    // Backward, the ancestor goes in once more, above its children.
    if (ancestorAgain)
        AddVisibleRow(request, record, false);
    if (IsFillComplete(request))
        return true;
    return FillRowBatches(request, parent, *row, band);
}

bool CViewStyle::FillRowBatches(VisibleRowRequest& request, HvVisibleRow* parent, ViewStyleRow& row,
                                ViewStyleBand* band)
{
    const long batch = IsMultiBand() && band && !band->HasChildBindings() ? 1 : 10;
    std::vector<ViewStyleRow*> fetched(static_cast<size_t>(batch));
    ViewStyleRowRef from;
    row.AddRefRow();
    from = ViewStyleRowRef(&row);
    for (;;) {
        const long got = from->FetchSiblings(request.backward, batch, fetched.data());
        std::vector<ViewStyleRowRef> rows;
        for (long i = 0; i < got; ++i)
            rows.emplace_back(fetched[static_cast<size_t>(i)]);
        for (ViewStyleRowRef& next : rows) {
            if (next->IsHidden())
                continue;
            HvVisibleRow* record = HvVisibleRow::Create(request.region.rows, *next.Get(), parent);
            if (!record)
                return false;
            if (!AddVisibleRow(request, record, true))
                return IsFillComplete(request);
            if (IsFillComplete(request))
                return true;
        }
        if (got < batch)
            return true;
        from = std::move(rows.back());
    }
}
