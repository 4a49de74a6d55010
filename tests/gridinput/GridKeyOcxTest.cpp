// Keys and key actions on the registered, bound grid: arrows move the
// active row, Shift extends the selection, Ctrl+End goes to the last row;
// PerformAction runs the same actions for scripts, and EventEnabled keeps
// the disabled events from the sink.
#include "BoundGrid.h"

#include "LateBound.h"

#include <doctest/doctest.h>

using Microsoft::WRL::ComPtr;

namespace {

constexpr DISPID AfterRowActivate = 1010;
constexpr DISPID BeforeRowActivate = 1065;
constexpr DISPID BeforeRowDeactivate = 1034;

VARIANT Long(long value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

} // namespace

TEST_CASE("Down, Shift+Down and Ctrl+End move the active row and extend the selection")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    bound.ClickCell(1, L"Name");
    REQUIRE(bound.ActiveRowId() == 1);
    bound.Key(VK_DOWN);
    CHECK(bound.ActiveRowId() == 2);
    bound.Key(VK_DOWN, true, false);
    bound.Key(VK_DOWN, true, false);
    CHECK(bound.ActiveRowId() == 4);
    CHECK(bound.SelectedRowIds() == std::vector<long>{2, 3, 4});
    bound.Key(VK_END, false, true);
    CHECK(bound.ActiveRowId() == 30);
}

TEST_CASE("PerformAction moves the active row as the key actions do, within the states they allow")
{
    struct Step {
        Constants_KeyActions action;
        long activeAfter;
    };
    const Step steps[] = {
        {hvKeyActionNextRow, 2},         {hvKeyActionNextRow, 3},        {hvKeyActionPrevRow, 2},
        {hvKeyActionLastRowInGrid, 30},  {hvKeyActionFirstRowInGrid, 1}, {hvKeyActionBelowRow, 2},
    };
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    bound.ClickCell(1, L"Name");
    REQUIRE(bound.ActiveRowId() == 1);
    for (const Step& step : steps) {
        CAPTURE(step.action);
        CHECK(bound.Control()->PerformAction(step.action) == S_OK);
        CHECK(bound.ActiveRowId() == step.activeAfter);
    }
}

TEST_CASE("late-bound PerformAction 31 without an active row makes the first shown row active and selected")
{
    BoundGrid bound(30);
    REQUIRE(bound.Control()->putref_ActiveRow(nullptr) == S_OK);
    REQUIRE(bound.ActiveRowId() == 0);
    LateResult result;
    LateCall(bound.Control(), L"PerformAction", {Long(31)}, result);
    CHECK(result.hr == S_OK);
    CHECK(bound.ActiveRowId() == 1);
    CHECK(bound.SelectedRowIds() == std::vector<long>{1});
}

TEST_CASE("with the Before events disabled only the After events of an activation reach the sink")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    bound.ClickCell(1, L"Name");
    REQUIRE(bound.Control()->put_EventEnabled(hvGridAllBeforeEvents, VARIANT_FALSE) == S_OK);
    VARIANT_BOOL enabled = VARIANT_TRUE;
    CHECK(bound.Control()->get_EventEnabled(hvGridEventBeforeRowActivate, &enabled) == S_OK);
    CHECK(enabled == VARIANT_FALSE);
    bound.Events().ClearReceived();
    bound.Key(VK_DOWN);
    CHECK(bound.ActiveRowId() == 2);
    CHECK(bound.Events().ReceivedCount(BeforeRowActivate) == 0);
    CHECK(bound.Events().ReceivedCount(BeforeRowDeactivate) == 0);
    CHECK(bound.Events().ReceivedCount(AfterRowActivate) == 1);
}
