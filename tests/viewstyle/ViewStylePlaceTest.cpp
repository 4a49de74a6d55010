// Where each style places the rows of a small band hierarchy, the top
// header area, shared borders and the last row of the content.
#include "CViewStyleMultiBandVertical.h"
#include "ViewStyleFakes.h"

#include <doctest/doctest.h>

#include <vector>

namespace {

// Band A (headers 20 high) with child band B (headers 16 high); six rows of
// A, the first with two child rows in B.
struct Hierarchy {
    FakeLayout layout;
    FakeBand& a = layout.AddBand(nullptr, 20);
    FakeBand& b = layout.AddBand(&a, 16);
    std::vector<FakeRow*> top = layout.AddRows(a, nullptr, 6);
    std::vector<FakeRow*> kids = layout.AddRows(b, top[0], 2);
    FakeRowRegion region{300};

    // The style of the settings, with the region's list built from first.
    std::unique_ptr<CViewStyle> Show(int viewStyle, int viewStyleBand, FakeRow* first)
    {
        auto style = MakeStyle(layout, viewStyle, viewStyleBand);
        region.SetFirstRow(first);
        style->BuildVisibleRows(region);
        return style;
    }
};

std::vector<HvVisibleRow*> Records(const ViewStyleRowRegion& region)
{
    std::vector<HvVisibleRow*> records;
    for (HvVisibleRow* record = region.rows.First(); record; record = HvVisibleRowList::Next(record))
        records.push_back(record);
    return records;
}

} // namespace

TEST_CASE("the single-band style lists only the top band's rows")
{
    for (int viewStyleBand : {0, 1}) {
        CAPTURE(viewStyleBand);
        Hierarchy h;
        auto style = h.Show(0, viewStyleBand, h.top[0]);
        auto& region = h.region;
        CHECK(ListedRows(region) == h.top);
        auto records = Records(region);
        CHECK(records[0]->top == 20); // below the top header area
        CHECK(records[1]->top == 40);
        CHECK(records[5]->index == 5);
        CHECK_FALSE(records[0]->nextIsChild);

        CHECK(style->GetTopHeaderHeight(1) == 20);
        ViewStyleBand* bands[CViewStyle::MaxHeaderLevels];
        CHECK(style->GetTopHeaderBands(region.rows, bands, CViewStyle::MaxHeaderLevels) == 1);
        CHECK(bands[0] == &h.a);
        CHECK(bands[1] == nullptr);
    }
}

TEST_CASE("the vertical style puts each band's headers above its run and InterBandSpacing between bands")
{
    Hierarchy h;
    auto style = h.Show(1, 0, h.top[0]);
    auto& region = h.region;
    const std::vector<FakeRow*> expected = {h.top[0], h.kids[0], h.kids[1], h.top[1], h.top[2], h.top[3],
                                            h.top[4], h.top[5]};
    REQUIRE(ListedRows(region) == expected);
    auto r = Records(region);

    struct Place {
        long top;
        bool headersAbove;
        long spacingBelow;
        bool nextIsChild;
    };
    const Place places[] = {
        {0, true, 5, true},         // A0 carries A's headers; B0 below it is its child
        {0 + 40 + 5, true, 0, false}, // B0 carries B's headers
        {45 + 36, false, 5, false},
        {81 + 20 + 5, true, 0, false}, // back in A: A's headers again
        {106 + 40, false, 0, false},
    };
    for (size_t i = 0; i < std::size(places); ++i) {
        CAPTURE(i);
        CHECK(r[i]->top == places[i].top);
        CHECK(r[i]->headersAbove == places[i].headersAbove);
        CHECK(r[i]->spacingBelow == places[i].spacingBelow);
        CHECK(r[i]->nextIsChild == places[i].nextIsChild);
        CHECK(r[i]->index == static_cast<long>(i));
        CHECK((r[i]->sharedBorderFlags & CViewStyleMultiBandVertical::SharedBorderVertical) != 0);
    }
    CHECK(r[1]->GetTop(false) == 45 + 16);
    // Siblings link across the child rows shown between them.
    CHECK(r[3]->PrevSibling() == r[0]);
    CHECK(r[0]->NextSibling() == r[3]);
    CHECK(r[2]->PrevSibling() == r[1]);
    CHECK(r[1]->PrevSibling() == nullptr);

    ViewStyleBand* bands[CViewStyle::MaxHeaderLevels];
    for (int level : {1, 2, 3})
        CHECK(style->GetTopHeaderHeight(level) == 0);
    CHECK(style->GetTopHeaderBands(region.rows, bands, CViewStyle::MaxHeaderLevels) == 0);
    CHECK(bands[0] == nullptr);
}

TEST_CASE("the horizontal style puts a first child row beside its parent, in lines")
{
    Hierarchy h;
    h.top[0]->height = 30;
    auto style = h.Show(1, 1, h.top[0]);
    auto& region = h.region;
    auto r = Records(region);
    REQUIRE(r.size() >= 4);
    CHECK(ListedRows(region)[3] == h.top[1]);
    CHECK(style->GetTopHeaderHeight(1) == 20);
    // A0 and B0 share a line; B1 starts below the taller of them.
    CHECK(r[0]->index == 0);
    CHECK(r[1]->index == 0);
    CHECK(r[0]->top == 20);
    CHECK(r[1]->top == 20);
    CHECK(r[2]->index == 1);
    CHECK(r[2]->top == 50);
    CHECK(r[3]->index == 2);
    CHECK(r[3]->top == 70);
    CHECK_FALSE(r[1]->headersAbove);

    ViewStyleBand* bands[CViewStyle::MaxHeaderLevels];
    CHECK(style->GetTopHeaderBands(region.rows, bands, CViewStyle::MaxHeaderLevels) == 2);
    CHECK(bands[0] == &h.a);
    CHECK(bands[1] == &h.b);

    // With the first row's children not on its line, B still gets a level.
    region.SetFirstRow(h.top[1]);
    region.rows.Clear();
    style->BuildVisibleRows(region);
    CHECK(style->GetTopHeaderBands(region.rows, bands, CViewStyle::MaxHeaderLevels) == 2);
    CHECK(bands[1] == &h.b);
}

TEST_CASE("a forward fill stops with the first row that starts below the region, which stays listed")
{
    FakeLayout layout;
    FakeBand& a = layout.AddBand(nullptr, 20);
    auto rows = layout.AddRows(a, nullptr, 30);
    auto style = MakeStyle(layout, 0, 0);
    FakeRowRegion region(105);
    region.SetFirstRow(rows[0]);
    style->ResetRowRegion(region);
    auto r = Records(region);
    REQUIRE(r.size() == 6);
    CHECK(r[4]->top <= 105);
    CHECK(r[5]->top > 105);
    // A rebuild keeps that row.
    style->BuildVisibleRows(region);
    CHECK(Records(region).size() == 6);
    CHECK(layout.batches.front() == 10);
}

TEST_CASE("rows are fetched one at a time in a multi-band band without child bindings")
{
    Hierarchy h;
    h.a.childBindings = false;
    auto style = h.Show(1, 0, h.top[0]);
    REQUIRE(!h.layout.batches.empty());
    CHECK(h.layout.batches.front() == 10); // band B has child bindings
    CHECK(h.layout.batches.back() == 1);
}

TEST_CASE("resetting a region walks up from a row under a collapsed parent")
{
    Hierarchy h;
    auto style = MakeStyle(h.layout, 1, 0);
    FakeRowRegion region(300);
    region.SetFirstRow(h.kids[1]);
    style->ResetRowRegion(region);
    CHECK(ListedRows(region).front() == h.kids[1]);
    CHECK(Records(region).front()->Parent() != nullptr);

    h.top[0]->expanded = false;
    style->ResetRowRegion(region);
    CHECK(region.FirstRow() == h.top[0]);
    CHECK(ListedRows(region) == h.top);
    CHECK_FALSE(Records(region).front()->nextIsChild);
}

TEST_CASE("a rebuild drops rows that went away and fills up behind them")
{
    Hierarchy h;
    auto style = h.Show(0, 0, h.top[0]);
    auto& region = h.region;
    h.top[0]->alive = false;
    h.top[2]->hidden = true;
    style->BuildVisibleRows(region);
    CHECK(region.FirstRow() == h.top[1]);
    CHECK(ListedRows(region) == std::vector<FakeRow*>{h.top[1], h.top[3], h.top[4], h.top[5]});
    CHECK(Records(region)[1]->top == 40);
}

TEST_CASE("shared borders follow the row border style, the headers and the row above")
{
    struct Case {
        long borderStyle;
        bool headersAbove;
        long top;
        bool previousSameBand;
        long previousSpacing;
        long spacingBefore;
        long shared;
    };
    const Case cases[] = {
        {1, true, 0, true, 0, 0, 0},      {6, true, 0, true, 0, 0, 0},   {7, false, 0, true, 0, 0, 0},
        {8, false, 0, true, 0, 0, 0},     {9, false, 0, true, 0, 0, 0},  {0, true, 200, false, 0, 0, 1},
        {0, false, 20, false, 0, 0, 1},   {2, false, 100, true, 0, 0, 1}, {2, false, 100, true, 5, 0, 0},
        {2, false, 100, true, 0, 3, 0},   {2, false, 100, false, 0, 0, 0}, {3, false, 21, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        CAPTURE(c.borderStyle);
        CAPTURE(c.top);
        Hierarchy h;
        h.a.borderStyle = c.borderStyle;
        h.top[1]->spacingBefore = c.spacingBefore;
        HvVisibleRowList list;
        HvVisibleRow* previous = HvVisibleRow::Create(list, c.previousSameBand ? *h.top[0] : *h.kids[0], nullptr);
        HvVisibleRow* record = HvVisibleRow::Create(list, *h.top[1], nullptr);
        list.Append(previous);
        list.Append(record);
        previous->spacingBelow = c.previousSpacing;
        record->headersAbove = c.headersAbove;
        record->top = c.top;
        auto single = MakeStyle(h.layout, 0, 0);
        CHECK(single->UpdateSharedBorder(*record, previous) == c.shared);
        CHECK(record->sharedBorderFlags == c.shared);
        auto vertical = MakeStyle(h.layout, 1, 0);
        record->sharedBorderFlags = 2;
        // Without a top header area the top test compares with 0.
        const long verticalShared = vertical->UpdateSharedBorder(*record, previous);
        CHECK((verticalShared & 4) == 4);
        CHECK((verticalShared & 2) == 0);
    }
}

TEST_CASE("first and last rows of the content, and the last row across bands")
{
    Hierarchy h;
    auto kidsOfLast = h.layout.AddRows(h.b, h.top[5], 3);
    HvVisibleRowList list;
    auto entry = [&](FakeRow* row) {
        HvVisibleRow* record = HvVisibleRow::Create(list, *row, nullptr);
        list.Append(record);
        return record;
    };
    HvVisibleRow* first = entry(h.top[0]);
    HvVisibleRow* kid = entry(h.kids[1]);
    HvVisibleRow* last = entry(h.top[5]);
    HvVisibleRow* lastKid = entry(kidsOfLast[2]);

    auto single = MakeStyle(h.layout, 0, 0);
    auto vertical = MakeStyle(h.layout, 1, 0);
    CHECK(single->IsFirstRow(*first));
    CHECK_FALSE(single->IsFirstRow(*kid));
    CHECK(single->IsLastRow(*last));
    CHECK_FALSE(vertical->IsLastRow(*last)); // its child rows follow
    CHECK_FALSE(vertical->IsLastRow(*kid));  // its parent has a next sibling
    CHECK(vertical->IsLastRow(*lastKid));

    ViewStyleRowRef row;
    CHECK(single->GetLastRow(row.Out()) == S_OK);
    CHECK(row.Get() == h.top[5]);
    CHECK(vertical->GetLastRow(row.Out()) == S_OK);
    CHECK(row.Get() == kidsOfLast[2]);
    CHECK(single->GetLastDescendantRow(h.top[5], row.Out()) == E_FAIL);
    CHECK(!row);
    h.top[5]->expanded = false;
    CHECK(vertical->GetLastRow(row.Out()) == S_OK);
    CHECK(row.Get() == h.top[5]);
    row.Reset();
    h.layout.hasControl = false;
    CHECK(vertical->GetLastRow(row.Out()) == E_UNEXPECTED);
    CHECK(!row);
    for (auto& made : h.layout.rows)
        CHECK(made->refs == (made.get() == h.top[0] || made.get() == h.kids[1] || made.get() == h.top[5] ||
                                     made.get() == kidsOfLast[2]
                                 ? 1
                                 : 0));
}
