// Row scrolling: an empty region, held line-down with its completion, the
// end of the content, page up and down, top and bottom.
#include "ViewStyleFakes.h"

#include <doctest/doctest.h>

#include <vector>

namespace {

// One band with headers 20 high and rows 20 high, in a region 200 high.
struct Flat {
    FakeLayout layout;
    FakeBand& a = layout.AddBand(nullptr, 20);
    std::vector<FakeRow*> rows;
    std::unique_ptr<CViewStyle> style = MakeStyle(layout, 0, 0);
    FakeRowRegion region{200};

    explicit Flat(int count, int first = 0)
    {
        rows = layout.AddRows(a, nullptr, count);
        region.SetFirstRow(rows[static_cast<size_t>(first)]);
        style->BuildVisibleRows(region);
    }

    RowScrollRequest Scroll(short code)
    {
        RowScrollRequest request(region, code);
        style->ScrollRowRegion(request);
        return request;
    }

    long TopOf(FakeRow* row)
    {
        for (HvVisibleRow* record = region.rows.First(); record; record = HvVisibleRowList::Next(record))
            if (&CViewStyle::RowOf(*record) == row)
                return record->top;
        return -1000;
    }
};

} // namespace

TEST_CASE("a scroll of a region without visible rows refills it from its first row and repaints all")
{
    Flat f(10, 3);
    f.region.rows.Clear();
    RowScrollRequest request = f.Scroll(RowScrollLineDown);
    CHECK(request.delta == 0);
    CHECK(request.repaint);
    CHECK(request.scrollArea.top == 0);
    CHECK(f.region.FirstRow() == f.rows[3]);
    CHECK(ListedRows(f.region).front() == f.rows[3]);
}

TEST_CASE("a single line down moves the next row to the top")
{
    Flat f(30);
    RowScrollRequest request = f.Scroll(RowScrollLineDown);
    CHECK(f.region.FirstRow() == f.rows[1]);
    CHECK(f.TopOf(f.rows[1]) == 20);
    CHECK(request.delta == -20);
    CHECK(request.scrollArea.top == 40); // the content below the headers and the row that left
    CHECK(request.repaintArea.top == 20);
    CHECK(request.repaintArea.bottom == 22);
    CHECK(f.region.lastScrollAction == RowScrollLineDown);
}

TEST_CASE("holding line down steps by the minimum row height less a twentieth")
{
    struct Case {
        long minRowHeight, step;
    };
    for (const Case& c : {Case{20, -19}, Case{17, -16}}) {
        CAPTURE(c.minRowHeight);
        Flat f(30);
        f.layout.minRowHeight = c.minRowHeight;
        f.Scroll(RowScrollLineDown);
        RowScrollRequest held = f.Scroll(RowScrollLineDown);
        CHECK(f.region.lineStep == c.step);
        CHECK(held.delta == c.step);
        CHECK(f.region.firstRowOffset == c.step);
        // The first row stays while any of its line is in view.
        CHECK(f.region.FirstRow() == f.rows[1]);
        CHECK(f.TopOf(f.rows[1]) == 20 + c.step);
    }
}

TEST_CASE("the first row moves on once its line has left the view, and releasing completes the row")
{
    Flat f(30);
    f.Scroll(RowScrollLineDown);
    f.Scroll(RowScrollLineDown); // row 1 at 1..21
    RowScrollRequest third = f.Scroll(RowScrollLineDown);
    CHECK(f.region.FirstRow() == f.rows[2]);
    CHECK(f.region.firstRowOffset == -18);
    CHECK(f.TopOf(f.rows[2]) == 2);
    CHECK(third.delta == -19);

    RowScrollRequest end = f.Scroll(RowScrollEnd);
    CHECK(f.region.firstRowOffset == 0);
    CHECK(f.region.lineStep == 0);
    CHECK(f.region.FirstRow() == f.rows[3]);
    CHECK(f.TopOf(f.rows[3]) == 20);
    CHECK(end.delta == -2);
    CHECK(end.repaint);
    CHECK(f.region.lastScrollAction == RowScrollEnd);

    // The end of a scroll that left no offset changes nothing.
    RowScrollRequest idle = f.Scroll(RowScrollEnd);
    CHECK(idle.delta == 0);
    CHECK(f.region.FirstRow() == f.rows[3]);
}

TEST_CASE("line down does nothing when the last row of the content is in full view")
{
    Flat f(3);
    RowScrollRequest request = f.Scroll(RowScrollLineDown);
    CHECK(request.delta == 0);
    CHECK_FALSE(request.repaint);
    CHECK(f.region.FirstRow() == f.rows[0]);
    CHECK(f.TopOf(f.rows[0]) == 20);
    long overflow = 12345;
    CHECK_FALSE(f.style->IsLastRowCut(request, nullptr, &overflow));
    CHECK(overflow == 60 + 20 + 2 * GetSystemMetrics(SM_CYHSCROLL) - 200 + 20);
}

TEST_CASE("line up brings back the row above, and does nothing at the first row")
{
    Flat f(30, 5);
    RowScrollRequest request = f.Scroll(RowScrollLineUp);
    CHECK(f.region.FirstRow() == f.rows[4]);
    CHECK(f.TopOf(f.rows[4]) == 20);
    CHECK(f.TopOf(f.rows[5]) == 40);
    CHECK(request.delta == 20);
    CHECK(request.scrollArea.top == 20);
    CHECK(request.scrollArea.bottom == 180);
    CHECK(ListedRows(f.region).size() == 10);

    Flat top(30);
    RowScrollRequest none = top.Scroll(RowScrollLineUp);
    CHECK(none.delta == 0);
    CHECK(top.region.FirstRow() == top.rows[0]);
}

TEST_CASE("page up puts the old first row at the region's bottom")
{
    Flat f(30, 10);
    RowScrollRequest request = f.Scroll(RowScrollPageUp);
    CHECK(f.region.FirstRow() == f.rows[2]);
    CHECK(f.TopOf(f.rows[2]) == 20);
    CHECK(f.TopOf(f.rows[10]) == 180);
    CHECK(request.delta == 160);

    // Near the top the page stops at the first row.
    Flat nearTop(30, 3);
    nearTop.Scroll(RowScrollPageUp);
    CHECK(nearTop.region.FirstRow() == nearTop.rows[0]);
    CHECK(nearTop.TopOf(nearTop.rows[0]) == 20);
}

TEST_CASE("page down moves the row at the page's end to the top, less at the end of the content")
{
    Flat f(30);
    f.Scroll(RowScrollPageDown);
    const long page = 200 - GetSystemMetrics(SM_CYHSCROLL) - 20;
    const long expected = (page + 19) / 20 - 1; // the first row whose top is not above the page
    CHECK(f.region.FirstRow() == f.rows[static_cast<size_t>(expected)]);
    CHECK(f.TopOf(f.rows[static_cast<size_t>(expected)]) == 20);

    Flat end(10, 2);
    end.Scroll(RowScrollPageDown);
    HvVisibleRow* last = end.region.rows.Last();
    REQUIRE(last);
    CHECK(&CViewStyle::RowOf(*last) == end.rows[9]);
    CHECK(end.region.FirstRow() != end.rows[9]);
}

TEST_CASE("top and bottom scroll to the ends of the content")
{
    Flat f(30, 12);
    RowScrollRequest top = f.Scroll(RowScrollTop);
    CHECK(f.region.FirstRow() == f.rows[0]);
    CHECK(top.delta == 0);
    CHECK(top.repaint);

    RowScrollRequest bottom = f.Scroll(RowScrollBottom);
    CHECK(bottom.delta == 0);
    CHECK(bottom.repaint);
    CHECK(bottom.repaintArea.bottom == 200);
    HvVisibleRow* last = f.region.rows.Last();
    REQUIRE(last);
    CHECK(&CViewStyle::RowOf(*last) == f.rows[29]);
    CHECK(f.region.FirstRow() != f.rows[0]);
    CHECK_FALSE(f.style->IsLastRowCut(bottom, nullptr, nullptr));
    for (auto& row : f.layout.rows)
        CHECK(row->refs <= 2);
}

TEST_CASE("scrolling a multi-band region walks into and out of child rows")
{
    FakeLayout layout;
    FakeBand& a = layout.AddBand(nullptr, 20);
    FakeBand& b = layout.AddBand(&a, 16);
    auto top = layout.AddRows(a, nullptr, 10);
    auto kids = layout.AddRows(b, top[0], 3);
    auto style = MakeStyle(layout, 1, 1);
    FakeRowRegion region(200);
    region.SetFirstRow(top[0]);
    style->BuildVisibleRows(region);
    RowScrollRequest down(region, RowScrollLineDown);
    style->ScrollRowRegion(down);
    // A0 and B0 shared the first line; the next line starts with B1.
    CHECK(region.FirstRow() == kids[1]);
    RowScrollRequest up(region, RowScrollLineUp);
    style->ScrollRowRegion(up);
    CHECK(region.FirstRow() == top[0]);
    CHECK(ListedRows(region)[1] == kids[0]);
}

TEST_CASE("line up in the vertical style brings back the last child row of the row above, with its headers")
{
    FakeLayout layout;
    FakeBand& a = layout.AddBand(nullptr, 20);
    FakeBand& b = layout.AddBand(&a, 16);
    auto top = layout.AddRows(a, nullptr, 6);
    auto kids = layout.AddRows(b, top[0], 2);
    auto style = MakeStyle(layout, 1, 0);
    FakeRowRegion region(300);
    region.SetFirstRow(top[1]);
    style->BuildVisibleRows(region);
    RowScrollRequest up(region, RowScrollLineUp);
    style->ScrollRowRegion(up);
    CHECK(region.FirstRow() == kids[1]);
    HvVisibleRow* first = region.rows.First();
    HvVisibleRow* second = HvVisibleRowList::Next(first);
    CHECK(first->headersAbove);
    CHECK(first->top == 0);
    CHECK(first->spacingBelow == 5);
    CHECK(second->headersAbove);
    CHECK(second->top == 36 + 5);
    CHECK(up.delta == 41);
    // The row that moved down carries its headers: the scroll starts at the
    // region's top.
    CHECK(up.scrollArea.top == 0);
    CHECK(up.scrollArea.bottom == 300 - 41);
}
