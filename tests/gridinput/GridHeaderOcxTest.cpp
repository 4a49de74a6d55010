// Header input on the registered, bound grid: a header's right edge dragged
// sizes its column (Escape and a cancelled BeforeColPosChanged leave it),
// and a click on a header of a sorting band (single or multiple) sorts the
// rows by that column, in the order shown; a header dragged onto another
// moves its column.
#include "BoundGrid.h"

#include "EventCall.h"
#include "RecordingSortFilter.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <cmath>

using Microsoft::WRL::ComPtr;
using hv::container::EventCall;

namespace {

constexpr DISPID AfterColPosChanged = 1003;
constexpr DISPID BeforeColPosChanged = 1024;
constexpr DISPID AfterSortChange = 1018;
constexpr DISPID BeforeSortChange = 1046;

float WidthOf(BoundGrid& bound, const wchar_t* key)
{
    float width = 0;
    REQUIRE(bound.Column(key)->get_Width(&width) == S_OK);
    return width;
}

Constants_SortIndicator IndicatorOf(BoundGrid& bound, const wchar_t* key)
{
    Constants_SortIndicator indicator = hvSortIndicatorNone;
    REQUIRE(bound.Column(key)->get_SortIndicator(&indicator) == S_OK);
    return indicator;
}

long SortedCount(BoundGrid& bound)
{
    ComPtr<IHvSortedCols> sorted;
    REQUIRE(bound.Band0()->get_SortedCols(&sorted) == S_OK);
    long count = -1;
    REQUIRE(sorted->get_Count(&count) == S_OK);
    return count;
}

std::vector<long> FirstShown(BoundGrid& bound, size_t count)
{
    std::vector<long> ids = bound.ShownRowIds();
    if (ids.size() > count)
        ids.resize(count);
    return ids;
}

} // namespace

TEST_CASE("dragging a header's right edge sizes its column; Escape and a cancelled Before leave it")
{
    enum class Ending { Release, Escape, Cancel };
    for (Ending ending : {Ending::Release, Ending::Escape, Ending::Cancel}) {
        CAPTURE(static_cast<int>(ending));
        BoundGrid bound(30);
        std::vector<long> actions;
        bound.Events().On(BeforeColPosChanged, [&](const EventCall& call) {
            actions.push_back(call.Long(0));
            if (ending == Ending::Cancel)
                call.SetBool(2, true);
        });
        bound.Events().On(AfterColPosChanged, [&](const EventCall& call) { actions.push_back(call.Long(0)); });
        const float before = WidthOf(bound, L"Name");
        const RECT header = bound.HeaderRect(L"Name");
        REQUIRE(!IsRectEmpty(&header));
        const POINT edge{header.right - 1, (header.top + header.bottom) / 2};
        bound.Press(edge);
        bound.MoveTo(POINT{edge.x + 20, edge.y});
        bound.MoveTo(POINT{edge.x + 40, edge.y});
        if (ending == Ending::Escape)
            bound.Key(VK_ESCAPE);
        bound.Release(POINT{edge.x + 40, edge.y});
        CHECK(GetCapture() != bound.Window());
        const float after = WidthOf(bound, L"Name");
        if (ending == Ending::Release) {
            CHECK(std::fabs(after - before - OcxGrid::ToUnits(40)) <= OcxGrid::ToUnits(1));
            CHECK(actions == std::vector<long>{hvPosSized, hvPosSized});
        } else {
            CHECK(after == before);
        }
        if (ending == Ending::Cancel)
            CHECK(actions == std::vector<long>{hvPosSized});
        if (ending == Ending::Escape)
            CHECK(actions.empty());
    }
}

TEST_CASE("a click on the header of a sorting band sorts ascending, then descending; a cancel keeps the sort")
{
    for (Constants_HeaderClickAction action : {hvHeaderClickActionSortSingle, hvHeaderClickActionSortMulti}) {
        CAPTURE(static_cast<int>(action));
        BoundGrid bound(30);
        REQUIRE(bound.Override0()->put_HeaderClickAction(action) == S_OK);
        const RECT header = bound.HeaderRect(L"Name");
        REQUIRE(!IsRectEmpty(&header));
        REQUIRE(FirstShown(bound, 3) == std::vector<long>{1, 2, 3});

        // The client's sort filter hears the sort the click makes.
        RecordingSortFilter filter;
        REQUIRE(bound.Control()->putref_SortFilter(&filter) == S_OK);
        bound.Events().ClearReceived();
        bound.Click(Middle(header));
        CHECK(IndicatorOf(bound, L"Name") == hvSortIndicatorAscending);
        CHECK(SortedCount(bound) == 1);
        CHECK(bound.Events().ReceivedCount(BeforeSortChange) == 1);
        CHECK(bound.Events().ReceivedCount(AfterSortChange) == 1);
        CHECK(filter.calls == std::vector<std::wstring>{L"begin", L"end"});
        CHECK_FALSE(filter.directions.empty());
        REQUIRE(bound.Control()->putref_SortFilter(nullptr) == S_OK);
        // The names sort as text: n1, n10, n11, ...
        CHECK(FirstShown(bound, 3) == std::vector<long>{1, 10, 11});

        bound.Click(Middle(header));
        CHECK(IndicatorOf(bound, L"Name") == hvSortIndicatorDescending);
        CHECK(SortedCount(bound) == 1);
        CHECK(FirstShown(bound, 3) == std::vector<long>{9, 8, 7});

        bound.Events().On(BeforeSortChange, [](const EventCall& call) { call.SetBool(2, true); });
        bound.Events().ClearReceived();
        bound.Click(Middle(header));
        CHECK(IndicatorOf(bound, L"Name") == hvSortIndicatorDescending);
        CHECK(bound.Events().ReceivedCount(AfterSortChange) == 0);
        CHECK(FirstShown(bound, 3) == std::vector<long>{9, 8, 7});
    }
}

namespace {

short PositionOf(BoundGrid& bound, const wchar_t* key)
{
    ComPtr<IHvHeader> header;
    REQUIRE(bound.Column(key)->get_Header(&header) == S_OK);
    short position = -1;
    REQUIRE(header->get_VisiblePosition(&position) == S_OK);
    return position;
}

// The column keys in the order their headers are painted, left to right.
std::vector<std::wstring> PaintedOrder(BoundGrid& bound)
{
    std::vector<std::pair<LONG, std::wstring>> shown;
    for (const wchar_t* key : {L"ID", L"Name", L"Qty"}) {
        const RECT rect = bound.HeaderRect(key);
        if (!IsRectEmpty(&rect))
            shown.emplace_back(rect.left, key);
    }
    std::sort(shown.begin(), shown.end());
    std::vector<std::wstring> keys;
    for (const auto& entry : shown)
        keys.push_back(entry.second);
    return keys;
}

} // namespace

TEST_CASE("dragging a header onto another moves its column with the position events; onto a cell or cancelled, nothing")
{
    enum class Drop { QtyRightHalf, IdLeftHalf, Cell, Cancel };
    const std::vector<std::wstring> kept{L"ID", L"Name", L"Qty"};
    const struct {
        Constants_HeaderClickAction click;
        Drop drop;
        std::vector<std::wstring> order;
    } cases[] = {
        {hvHeaderClickActionSortMulti, Drop::QtyRightHalf, {L"ID", L"Qty", L"Name"}},
        {hvHeaderClickActionSelect, Drop::QtyRightHalf, {L"ID", L"Qty", L"Name"}},
        {hvHeaderClickActionSortMulti, Drop::IdLeftHalf, {L"Name", L"ID", L"Qty"}},
        {hvHeaderClickActionSortMulti, Drop::Cell, kept},
        {hvHeaderClickActionSortMulti, Drop::Cancel, kept},
    };
    for (const auto& test : cases) {
        CAPTURE(static_cast<int>(test.click));
        CAPTURE(static_cast<int>(test.drop));
        BoundGrid bound(30);
        REQUIRE(bound.Override0()->put_HeaderClickAction(test.click) == S_OK);
        REQUIRE(PaintedOrder(bound) == kept);
        std::vector<long> actions;
        bound.Events().On(BeforeColPosChanged, [&](const EventCall& call) {
            actions.push_back(call.Long(0));
            if (test.drop == Drop::Cancel)
                call.SetBool(2, true);
        });
        bound.Events().On(AfterColPosChanged, [&](const EventCall& call) { actions.push_back(call.Long(0)); });

        const RECT name = bound.HeaderRect(L"Name");
        const RECT qty = bound.HeaderRect(L"Qty");
        const RECT id = bound.HeaderRect(L"ID");
        POINT target{qty.right - (qty.right - qty.left) / 4, (qty.top + qty.bottom) / 2};
        if (test.drop == Drop::IdLeftHalf)
            target = POINT{id.left + (id.right - id.left) / 4, (id.top + id.bottom) / 2};
        if (test.drop == Drop::Cell)
            target = Middle(bound.CellRect(3, L"Qty"));
        const POINT start = Middle(name);
        // Where a header click selects, the selected headers are the ones
        // that move.
        if (test.click == hvHeaderClickActionSelect)
            bound.Click(start);
        bound.Press(start);
        bound.MoveTo(POINT{start.x + 6, start.y});
        bound.MoveTo(POINT{(start.x + target.x) / 2, target.y});
        bound.MoveTo(target);
        bound.Release(target);
        CHECK(GetCapture() != bound.Window());

        CHECK(PaintedOrder(bound) == test.order);
        const bool moved = test.order != kept;
        CHECK(PositionOf(bound, L"Name") == (test.order[0] == L"Name" ? 0 : test.order[1] == L"Name" ? 1 : 2));
        if (moved)
            CHECK(actions == std::vector<long>{hvPosMoved, hvPosMoved});
        else if (test.drop == Drop::Cancel)
            CHECK(actions == std::vector<long>{hvPosMoved});
        else
            CHECK(actions.empty());
        // A drag is no click: nothing sorts.
        CHECK(SortedCount(bound) == 0);
    }
}
