// Clicks on the registered, bound grid: a click activates and selects as
// the band's CellClickAction says, Shift and Ctrl extend and toggle the
// selection, BeforeSelectChange may cancel, and the events come in order.
#include "BoundGrid.h"

#include "EventCall.h"

#include <doctest/doctest.h>

using Microsoft::WRL::ComPtr;

namespace {

constexpr DISPID AfterCellActivate = 1000;
constexpr DISPID AfterRowActivate = 1010;
constexpr DISPID AfterSelectChange = 1017;
constexpr DISPID BeforeCellActivate = 1021;
constexpr DISPID BeforeRowActivate = 1065;
constexpr DISPID BeforeSelectChange = 1045;

void SetClickAction(BoundGrid& bound, Constants_CellClickAction action)
{
    ComPtr<IHvOverride> override;
    REQUIRE(bound.Band0()->get_Override(&override) == S_OK);
    REQUIRE(override->put_CellClickAction(action) == S_OK);
}

// The grid's own events among those received (stock mouse events aside).
std::vector<DISPID> GridEvents(const std::vector<DISPID>& received)
{
    std::vector<DISPID> events;
    for (DISPID id : received)
        if (id >= 1000)
            events.push_back(id);
    return events;
}

} // namespace

TEST_CASE("a click on a cell of a RowSelect band activates and selects its row")
{
    BoundGrid bound(30);
    SetClickAction(bound, hvClickActionRowSelect);
    bound.Events().ClearReceived();
    bound.ClickCell(3, L"Name");
    CHECK(bound.ActiveRowId() == 3);
    CHECK(bound.SelectedRowIds() == std::vector<long>{3});
    const std::vector<DISPID> events = GridEvents(bound.Events().Received());
    for (DISPID id : events)
        MESSAGE(id);
}
