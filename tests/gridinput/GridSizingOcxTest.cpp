// Sizing with the mouse on the registered, bound grid: a row selector's
// lower edge sizes its row, or every row of a band that sizes its rows
// together, with BeforeRowResize and AfterRowResize; a split box dragged
// into the grid splits the scroll regions and a splitter dragged shut
// removes one, with the region events; a header dropped on a cell moves
// nothing.
#include "BoundGrid.h"

#include "EventCall.h"

#include <doctest/doctest.h>

#include <cmath>

using Microsoft::WRL::ComPtr;
using hv::container::EventCall;

namespace {

constexpr DISPID AfterRowResize = 1015;
constexpr DISPID BeforeRowResize = 1043;
constexpr DISPID BeforeColRegionSplit = 1027;
constexpr DISPID BeforeColRegionRemoved = 1028;
constexpr DISPID BeforeRowRegionSplit = 1041;
constexpr DISPID BeforeRowRegionRemoved = 1042;
constexpr DISPID AfterColPosChanged = 1003;
constexpr DISPID BeforeColPosChanged = 1024;

float HeightOf(BoundGrid& bound, long id)
{
    ComPtr<IHvRow> row = bound.RowOf(id);
    REQUIRE(row);
    float height = 0;
    REQUIRE(row->get_Height(&height) == S_OK);
    return height;
}

bool Near(float a, float b)
{
    return std::fabs(a - b) <= OcxGrid::ToUnits(1);
}

void Drag(BoundGrid& bound, POINT from, POINT to)
{
    bound.Press(from);
    bound.MoveTo(POINT{(from.x + to.x) / 2, (from.y + to.y) / 2});
    bound.MoveTo(to);
    bound.Release(to);
}

long CountOf(IHvColScrollRegions* regions)
{
    long count = 0;
    REQUIRE(regions->get_Count(&count) == S_OK);
    return count;
}

long CountOf(IHvRowScrollRegions* regions)
{
    long count = 0;
    REQUIRE(regions->get_Count(&count) == S_OK);
    return count;
}

short PositionOf(BoundGrid& bound, const wchar_t* key)
{
    ComPtr<IHvHeader> header;
    REQUIRE(bound.Column(key)->get_Header(&header) == S_OK);
    short position = -1;
    REQUIRE(header->get_VisiblePosition(&position) == S_OK);
    return position;
}

} // namespace

TEST_CASE("a row selector's edge dragged sizes its row, or every row of a synchronized band; a cancel keeps them")
{
    struct Case {
        Constants_RowSizing sizing;
        bool cancel;
    };
    for (const Case& c : {Case{hvRowSizingFree, false}, Case{hvRowSizingSychronized, false},
                          Case{hvRowSizingFree, true}}) {
        CAPTURE(c.sizing);
        CAPTURE(c.cancel);
        BoundGrid bound(30);
        REQUIRE(bound.Override0()->put_RowSelectors(hvRowSelectorsOn) == S_OK);
        REQUIRE(bound.Override0()->put_RowSizing(c.sizing) == S_OK);
        bound.Pump();
        const float before = HeightOf(bound, 4);
        REQUIRE(Near(HeightOf(bound, 6), before));
        std::vector<long> resized;
        bound.Events().On(BeforeRowResize, [&](const EventCall& call) {
            resized.push_back(BoundGrid::IdOf(reinterpret_cast<IHvRow*>(call.Object(0))));
            if (c.cancel)
                call.SetBool(2, true);
        });
        bound.Events().ClearReceived();
        const RECT selector = bound.SelectorRect(4);
        REQUIRE(!IsRectEmpty(&selector));
        const LONG belowTop = bound.SelectorRect(5).top;
        const POINT edge{(selector.left + selector.right) / 2, selector.bottom - 1};
        Drag(bound, edge, POINT{edge.x, edge.y + 10});
        CHECK(GetCapture() != bound.Window());
        CHECK(resized == std::vector<long>{4});
        CHECK(bound.Events().ReceivedCount(AfterRowResize) == (c.cancel ? 0 : 1));
        const float grown = c.cancel ? before : before + OcxGrid::ToUnits(10);
        CHECK(Near(HeightOf(bound, 4), grown));
        CHECK(Near(HeightOf(bound, 6), c.sizing == hvRowSizingSychronized ? grown : before));
        // The rows below moved down by what the rows above them grew.
        const LONG moved = c.cancel ? 0 : (c.sizing == hvRowSizingSychronized ? 40 : 10);
        CHECK(bound.SelectorRect(5).top == belowTop + moved);
    }
}

TEST_CASE("a split box dragged into the grid splits the regions; the splitter dragged shut joins them")
{
    BoundGrid bound(30, 400, 300);
    ComPtr<IHvColScrollRegions> columns;
    ComPtr<IHvRowScrollRegions> rows;
    REQUIRE(bound.Grid().Layout()->get_ColScrollRegions(&columns) == S_OK);
    REQUIRE(bound.Grid().Layout()->get_RowScrollRegions(&rows) == S_OK);
    REQUIRE(CountOf(columns.Get()) == 1);
    REQUIRE(CountOf(rows.Get()) == 1);
    // The split boxes stand at the ends of the scroll bars.
    REQUIRE(bound.Grid().ColRegion(0)->put_ScrollBar(hvScrollBarShow) == S_OK);
    bound.Pump();

    // Column split box: 100 pixels to the right.
    auto boxes = bound.Grid().OfType(hvUIElementColSplitBox);
    REQUIRE(boxes.size() == 1);
    POINT from = Middle(RectOf(boxes[0].Get()));
    bound.Events().ClearReceived();
    Drag(bound, from, POINT{from.x + 100, from.y});
    CHECK(CountOf(columns.Get()) == 2);
    CHECK(bound.Events().ReceivedCount(BeforeColRegionSplit) == 1);

    auto bars = bound.Grid().OfType(hvUIElementColSplitterBar);
    REQUIRE(bars.size() == 1);
    from = Middle(RectOf(bars[0].Get()));
    bound.Events().ClearReceived();
    Drag(bound, from, POINT{0, from.y});
    CHECK(CountOf(columns.Get()) == 1);
    CHECK(bound.Events().ReceivedCount(BeforeColRegionRemoved) == 1);

    // Row split box: 80 pixels down; a cancelled split keeps one region.
    boxes = bound.Grid().OfType(hvUIElementRowSplitBox);
    REQUIRE(boxes.size() == 1);
    from = Middle(RectOf(boxes[0].Get()));
    bound.Events().On(BeforeRowRegionSplit, [](const EventCall& call) { call.SetBool(2, true); });
    Drag(bound, from, POINT{from.x, from.y + 80});
    CHECK(CountOf(rows.Get()) == 1);
    bound.Events().On(BeforeRowRegionSplit, [](const EventCall&) {});
    bound.Events().ClearReceived();
    boxes = bound.Grid().OfType(hvUIElementRowSplitBox);
    REQUIRE(boxes.size() == 1);
    from = Middle(RectOf(boxes[0].Get()));
    Drag(bound, from, POINT{from.x, from.y + 80});
    CHECK(CountOf(rows.Get()) == 2);
    CHECK(bound.Events().ReceivedCount(BeforeRowRegionSplit) == 1);
    bars = bound.Grid().OfType(hvUIElementRowSplitterBar);
    REQUIRE(bars.size() == 1);
    from = Middle(RectOf(bars[0].Get()));
    Drag(bound, from, POINT{from.x, 0});
    CHECK(CountOf(rows.Get()) == 1);
    CHECK(bound.Events().ReceivedCount(BeforeRowRegionRemoved) == 1);
    CHECK(GetCapture() != bound.Window());
}

TEST_CASE("a header dragged onto a cell moves nothing and leaves no capture")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_HeaderClickAction(hvHeaderClickActionSortMulti) == S_OK);
    REQUIRE(PositionOf(bound, L"Name") == 1);
    std::vector<long> actions;
    bound.Events().On(BeforeColPosChanged, [&](const EventCall& call) { actions.push_back(call.Long(0)); });
    bound.Events().On(AfterColPosChanged, [&](const EventCall& call) { actions.push_back(call.Long(0)); });
    Drag(bound, Middle(bound.HeaderRect(L"Name")), Middle(bound.CellRect(5, L"Qty")));
    CHECK(PositionOf(bound, L"ID") == 0);
    CHECK(PositionOf(bound, L"Name") == 1);
    CHECK(PositionOf(bound, L"Qty") == 2);
    CHECK(actions.empty());
    CHECK(GetCapture() != bound.Window());
}
