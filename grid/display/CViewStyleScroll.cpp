// CViewStyle: row scrolling by line, page and to the ends, the completion
// of a held line-down, and the strips a scroll repaints.
#include "CViewStyle.h"

#include <algorithm>

namespace {

// Keeps a record alive while the list it sits in is rebuilt.
class RecordHold {
public:
    explicit RecordHold(HvVisibleRow* record) : record_(record)
    {
        if (record_)
            record_->AddRef();
    }
    RecordHold(const RecordHold&) = delete;
    RecordHold& operator=(const RecordHold&) = delete;
    ~RecordHold()
    {
        if (record_)
            record_->Release();
    }

private:
    HvVisibleRow* record_;
};

void DropBefore(HvVisibleRowList& rows, HvVisibleRow* keep)
{
    while (HvVisibleRow* first = rows.First()) {
        if (first == keep)
            return;
        rows.Remove(first);
    }
}

} // namespace

void CViewStyle::ResetAndRepaint(RowScrollRequest& request)
{
    ResetRowRegion(*request.region);
    request.delta = 0;
    request.repaint = true;
}

void CViewStyle::RefreshRowRegion(RowScrollRequest& request)
{
    ViewStyleRowRegion& region = *request.region;
    if (region.firstRowOffset == 0)
        return;
    region.firstRowOffset = 0;
    BuildVisibleRows(region);
}

void CViewStyle::ScrollRowRegion(RowScrollRequest& request)
{
    ViewStyleRowRegion& region = *request.region;
    // An empty list is filled again from the first row, nothing moved.
    const bool wasEmpty = region.rows.Empty();
    if (!wasEmpty)
        BuildVisibleRows(region);
    if (wasEmpty || region.rows.Empty()) {
        ResetAndRepaint(request);
    } else {
        switch (request.code) {
        case RowScrollLineUp: LineUp(request, false); break;
        case RowScrollLineDown: LineDown(request); break;
        case RowScrollPageUp: LineUp(request, true); break;
        case RowScrollPageDown: PageDown(request); break;
        case RowScrollTop: ScrollToTop(request); break;
        case RowScrollBottom: ScrollToBottom(request); break;
        case RowScrollEnd: EndScroll(request); break;
        default: break;
        }
    }
    region.lastScrollAction = request.code;
}

bool CViewStyle::IsLastRowCut(RowScrollRequest& request, ViewStyleBand*, long* overflow)
{
    ViewStyleRowRegion& region = *request.region;
    HvVisibleRow* last = region.rows.Last();
    if (!last)
        return false;
    if (!IsLastRow(*last))
        return true;
    const long topHeader = GetTopHeaderHeight(1);
    long over = last->top + last->GetHeight(true) + 2 * GetSystemMetrics(SM_CYHSCROLL) - region.Height();
    if (HasTopHeaderArea())
        over += topHeader;
    if (overflow)
        *overflow = over;
    return over > topHeader;
}

HvVisibleRow* CViewStyle::NextLineRecord(ViewStyleRowRegion& region, HvVisibleRow& first)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        for (HvVisibleRow* record = HvVisibleRowList::Next(&first); record; record = HvVisibleRowList::Next(record))
            if (record->index > first.index)
                return record;
        if (attempt > 0)
            break;
        // Only the first line is listed: fill further once, far enough for
        // any row below it.
        const long before = region.rows.Count();
        VisibleRowRequest request(region, false);
        request.fillLimit = (RowOf(first).TotalHeight() + 1) * region.Height();
        request.previous = request.last = region.rows.Last();
        ResumeAfterLast(request);
        if (region.rows.Count() <= before)
            break;
    }
    return nullptr;
}

void CViewStyle::LineDown(RowScrollRequest& request)
{
    ViewStyleRowRegion& region = *request.region;
    const bool repeated = HasTopHeaderArea() && region.lastScrollAction == RowScrollLineDown;
    bool partial = false;
    if (repeated) {
        if (region.lineStep == 0)
            region.lineStep = (Layout().MinRowHeight() * -19) / 20;
        partial = region.Height() / 2 > -region.lineStep;
    } else {
        region.firstRowOffset = 0;
        region.lineStep = 0;
    }
    if (IsLastRow(*region.rows.Last())) {
        if (!IsLastRowCut(request, nullptr, nullptr))
            return;
        partial = false;
        region.firstRowOffset = 0;
        region.lineStep = 0;
    }
    HvVisibleRow* first = region.rows.First();
    RecordHold holdFirst(first);
    HvVisibleRow* next = NextLineRecord(region, *first);
    if (!next) {
        ResetAndRepaint(request);
        return;
    }
    long firstLineBottom = 0;
    for (HvVisibleRow* record = region.rows.First(); record && record->index <= first->index;
         record = HvVisibleRowList::Next(record))
        firstLineBottom = std::max(firstLineBottom, record->top + record->GetHeight(true) + record->spacingBelow);
    RecordHold holdNext(next);
    const long firstBottomBefore = RecordBottom(*first);
    const long nextBottomBefore = RecordBottom(*next);
    const long topHeader = GetTopHeaderHeight(1);
    bool moveOn = true;
    if (partial) {
        request.delta = region.lineStep;
        region.firstRowOffset += region.lineStep;
        if (firstLineBottom + region.lineStep < topHeader) {
            ViewStyleBand* band = BandOf(*next);
            region.firstRowOffset = firstLineBottom + region.lineStep - topHeader +
                                    (next->headersAbove && band ? band->HeaderHeight(1) : 0);
        } else {
            moveOn = false;
        }
    }
    if (moveOn) {
        DropBefore(region.rows, next);
        region.SetFirstRow(&RowOf(*next));
    }
    BuildVisibleRows(region);
    HvVisibleRow* target = moveOn && RowOf(*next).IsAlive() ? next : first;
    FinishLineDown(request, *target, target == next ? nextBottomBefore : firstBottomBefore, partial);
}

void CViewStyle::FinishLineDown(RowScrollRequest& request, HvVisibleRow& next, long bottomBefore, bool partial)
{
    const long regionTop = request.region->rect.top;
    const long delta = RecordBottom(next) - bottomBefore;
    request.delta = delta;
    if (HasTopHeaderArea()) {
        const long topHeader = GetTopHeaderHeight(1);
        request.scrollArea.top += topHeader - delta;
        request.repaint = true;
        request.repaintArea.top = regionTop;
        if (IsHorizontal())
            request.repaintArea.bottom = regionTop + std::max(topHeader, next.GetTop(true)) + 2;
        else if (partial)
            request.repaintArea.bottom = regionTop + topHeader + 2;
        else {
            request.repaintArea.top = regionTop + topHeader;
            request.repaintArea.bottom = request.repaintArea.top + 2;
        }
        return;
    }
    const long top = next.GetTop(true);
    if (top > 0) {
        request.repaint = true;
        request.repaintArea.top = regionTop;
        request.repaintArea.bottom = regionTop + next.GetTop(false) + 2;
    }
    request.scrollArea.top += top - delta;
}

void CViewStyle::LineUp(RowScrollRequest& request, bool page)
{
    ViewStyleRowRegion& region = *request.region;
    HvVisibleRow* first = region.rows.First();
    if (IsFirstRow(*first))
        return;
    RecordHold hold(first);
    const long topBefore = first->GetTop(true);
    const long bottomBefore = RecordBottom(*first);
    long shift = region.Height();
    if (page) {
        const long room = region.Height() - topBefore - first->GetHeight(true);
        shift = std::max(RowOf(*first).TotalHeight(), room);
    }
    const long raise = page ? 500 : 1;
    for (HvVisibleRow* record = region.rows.First(); record; record = HvVisibleRowList::Next(record)) {
        record->top += shift;
        record->topCopy = record->top;
        record->index += raise;
    }
    region.rows.Remove(first);
    HvVisibleRow* now = region.rows.First();
    VisibleRowRequest fill(region, true);
    fill.SetStart(&RowOf(*first), first);
    fill.previous = fill.insertBefore = now;
    fill.last = region.rows.Last();
    fill.lastLineIndex = now ? now->index : first->index;
    if (!page)
        fill.lineLimit = IsHorizontal() && now && now->index == first->index ? 1 : 2;
    FillRows(fill, nullptr, nullptr);
    BuildVisibleRows(region);
    if (!page)
        BuildVisibleRows(region);
    if (region.rows.Empty()) {
        ResetAndRepaint(request);
        return;
    }
    FinishLineUp(request, *first, topBefore, bottomBefore);
    region.SetFirstRow(&RowOf(*region.rows.First()));
}

void CViewStyle::FinishLineUp(RowScrollRequest& request, HvVisibleRow& first, long topBefore, long bottomBefore)
{
    const long regionTop = request.region->rect.top;
    const long delta = RecordBottom(first) - bottomBefore;
    request.delta = delta;
    if (HasTopHeaderArea()) {
        const long topHeader = GetTopHeaderHeight(1);
        if (IsHorizontal()) {
            request.scrollArea.top += std::max(topBefore, topHeader) + 1;
            request.repaint = true;
            request.repaintArea.top = regionTop;
            request.repaintArea.bottom = regionTop + first.GetTop(false);
        } else {
            request.scrollArea.top += topHeader;
        }
    } else if (!first.headersAbove) {
        request.scrollArea.top += topBefore + 1;
        request.repaint = true;
        request.repaintArea.top = regionTop;
        request.repaintArea.bottom = request.scrollArea.top;
    }
    request.scrollArea.bottom -= delta;
}

void CViewStyle::PageDown(RowScrollRequest& request)
{
    ViewStyleRowRegion& region = *request.region;
    VisibleRowRequest fill(region, false);
    fill.fillLimit = 2 * region.Height();
    RebuildList(fill);
    HvVisibleRow* first = region.rows.First();
    if (!first) {
        request.delta = 0;
        request.repaint = true;
        return;
    }
    long page = std::max(1L, region.Height() - static_cast<long>(GetSystemMetrics(SM_CYHSCROLL)));
    if (HasTopHeaderArea())
        page -= GetTopHeaderHeight(1);
    else if (first->headersAbove && BandOf(*first))
        page -= BandOf(*first)->HeaderHeight(1);
    // When the last row of the content is listed, the page shrinks to what
    // it still needs to come into view.
    if (!IsLastRowCut(request, nullptr, &page))
        return;
    while (region.rows.Count() > 1 && region.rows.First()->top < page)
        region.rows.Remove(region.rows.First());
    HvVisibleRow* next = region.rows.First();
    RecordHold hold(next);
    const long bottomBefore = RecordBottom(*next);
    region.SetFirstRow(&RowOf(*next));
    BuildVisibleRows(region);
    FinishLineDown(request, *next, bottomBefore, false);
}

void CViewStyle::ScrollToTop(RowScrollRequest& request)
{
    ViewStyleRowRegion& region = *request.region;
    if (IsFirstRow(*region.rows.First()))
        return;
    ViewStyleRowRef row;
    if (FAILED(Layout().EdgeRow(false, row.Out())))
        row.Reset();
    region.SetFirstRow(row.Get());
    ResetAndRepaint(request);
}

void CViewStyle::ScrollToBottom(RowScrollRequest& request)
{
    ViewStyleRowRegion& region = *request.region;
    if (!request.filling && !IsLastRowCut(request, nullptr, nullptr))
        return;
    ViewStyleRowRef last;
    if (FAILED(GetLastRow(last.Out())) || !last)
        return;
    region.rows.Clear();
    {
        VisibleRowRequest fill(region, true);
        fill.SetStart(last.Get(), nullptr);
        FillRows(fill, nullptr, nullptr);
    }
    if (region.rows.Empty()) {
        request.delta = 0;
        request.repaint = true;
        return;
    }
    BuildVisibleRows(region);
    const RECT saved = request.repaintArea;
    region.lastScrollAction = RowScrollEnd;
    LineUp(request, false);
    region.lastScrollAction = RowScrollEnd;
    LineDown(request);
    // Bring the rows down until the last one sits at the region's bottom;
    // a line down that changes nothing ends the walk.
    for (int guard = 0; guard < 10000 && region.rows.Count() > 1; ++guard) {
        HvVisibleRow* lastRecord = region.rows.Last();
        const long bottom = region.rect.top + lastRecord->top + lastRecord->GetHeight(false);
        if (saved.bottom - bottom > 2 * RowOf(*lastRecord).Height())
            break;
        const long topBefore = lastRecord->top;
        RecordHold hold(lastRecord);
        region.lastScrollAction = RowScrollEnd;
        LineDown(request);
        if (region.rows.Last() == lastRecord && lastRecord->top == topBefore)
            break;
    }
    region.lastScrollAction = RowScrollEnd;
    request.repaintArea = saved;
    if (HvVisibleRow* first = region.rows.First())
        region.SetFirstRow(&RowOf(*first));
    request.delta = 0;
    request.repaint = true;
}

void CViewStyle::EndScroll(RowScrollRequest& request)
{
    ViewStyleRowRegion& region = *request.region;
    if (region.firstRowOffset != 0) {
        if (region.lastScrollAction == RowScrollLineUp) {
            LineUp(request, false);
        } else if (region.lastScrollAction == RowScrollLineDown) {
            const RECT saved = request.repaintArea;
            const long topHeader = GetTopHeaderHeight(1);
            while (region.rows.Count() > 1) {
                HvVisibleRow* first = region.rows.First();
                if (first->top + first->GetHeight(true) + first->spacingBelow >= topHeader)
                    break;
                region.rows.Remove(first);
                region.SetFirstRow(&RowOf(*region.rows.First()));
                BuildVisibleRows(region);
            }
            region.lastScrollAction = RowScrollEnd;
            if (!region.rows.Empty())
                LineDown(request);
            request.repaintArea = saved;
            request.repaint = true;
        }
    }
    region.firstRowOffset = 0;
    region.lineStep = 0;
}
