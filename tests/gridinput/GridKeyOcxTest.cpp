// Keys and key actions on the registered, bound grid: arrows move the
// active row, Shift extends the selection (Shift+End to the band's last
// row), Ctrl+End goes to the last row with or without Shift;
// PerformAction runs the same actions for scripts, and EventEnabled keeps
// the disabled events from the sink.
#include "BoundGrid.h"

#include "LateBound.h"

#include <doctest/doctest.h>

#include <algorithm>

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
    CHECK(bound.SelectedRowIds() == std::vector<long>{30});
}

TEST_CASE("Shift+End extends the selection to the band's last row; Shift+Ctrl+End only takes the grid's last row")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    auto sorted = [&] {
        std::vector<long> ids = bound.SelectedRowIds();
        std::sort(ids.begin(), ids.end());
        return ids;
    };
    bound.ClickCell(3, L"Name");
    bound.Key(VK_END, true, false);
    CHECK(bound.ActiveRowId() == 30);
    const std::vector<long> ids = sorted();
    CHECK(ids.size() == 28);
    CHECK(ids.front() == 3);
    CHECK(ids.back() == 30);
    bound.Key(VK_HOME, true, false);
    CHECK(bound.ActiveRowId() == 1);
    CHECK(sorted() == std::vector<long>{1, 2, 3});
    // The last row of the grid is selected as Ctrl+End selects it: the
    // selection starts again there, Shift or not.
    bound.Key(VK_END, true, true);
    CHECK(bound.ActiveRowId() == 30);
    CHECK(bound.SelectedRowIds() == std::vector<long>{30});
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

namespace {

constexpr DISPID ClickCellButton = 1051;
constexpr DISPID BeforeRowsDeleted = 1036;

VARIANT Text(const wchar_t* text)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text);
    return v;
}

ComPtr<IHvCell> CellOf(BoundGrid& bound, long id, const wchar_t* key)
{
    ComPtr<IHvRow> row = bound.RowOf(id);
    REQUIRE(row);
    ComPtr<IHvCells> cells;
    REQUIRE(row->get_Cells(&cells) == S_OK);
    VARIANT index = Text(key);
    ComPtr<IHvCell> cell;
    cells->get_Item(index, &cell);
    VariantClear(&index);
    REQUIRE(cell);
    return cell;
}

// Gives the column a list of the two names to pick from.
void GiveList(BoundGrid& bound, const wchar_t* key)
{
    ComPtr<IHvValueLists> lists;
    REQUIRE(bound.Control()->get_ValueLists(&lists) == S_OK);
    VARIANT name = Text(L"Names");
    ComPtr<IHvValueList> list;
    REQUIRE(lists->Add(name, &list) == S_OK);
    ComPtr<IHvValueListItems> items;
    REQUIRE(list->get_ValueListItems(&items) == S_OK);
    for (const wchar_t* entry : {L"n1", L"n2"}) {
        VARIANT data = Text(entry);
        VARIANT shown = Text(entry);
        VARIANT missing;
        VariantInit(&missing);
        missing.vt = VT_ERROR;
        missing.scode = DISP_E_PARAMNOTFOUND;
        ComPtr<IHvValueListItem> item;
        REQUIRE(items->Add(&data, shown, missing, &item) == S_OK);
        VariantClear(&data);
        VariantClear(&shown);
    }
    REQUIRE(bound.Column(key)->put_ValueList(name) == S_OK);
    VariantClear(&name);
    REQUIRE(bound.Column(key)->put_Style(hvStyleDropDownList) == S_OK);
}

} // namespace

TEST_CASE("Enter and Space on a button cell click its button, unless the column does not take them")
{
    struct Case {
        Constants_Style style;
        bool multiLine;
        UINT key;
        bool ctrl;
        int clicks;
    };
    const Case cases[] = {
        {hvStyleEditButton, false, VK_RETURN, false, 1}, {hvStyleButton, false, VK_RETURN, false, 1},
        {hvStyleButton, false, VK_SPACE, false, 1},      {hvStyleEditButton, false, VK_SPACE, false, 0},
        {hvStyleEditButton, true, VK_RETURN, true, 0},   {hvStyleEditButton, true, VK_RETURN, false, 1},
    };
    for (const Case& c : cases) {
        CAPTURE(c.style);
        CAPTURE(c.key);
        CAPTURE(c.ctrl);
        BoundGrid bound(10);
        REQUIRE(bound.Column(L"Name")->put_Style(c.style) == S_OK);
        if (c.multiLine)
            REQUIRE(bound.Column(L"Name")->put_CellMultiLine(hvCellMultiLineTrue) == S_OK);
        REQUIRE(bound.Control()->putref_ActiveCell(CellOf(bound, 2, L"Name").Get()) == S_OK);
        REQUIRE(bound.ActiveCellKey() == L"Name");
        IHvCell* clicked = nullptr;
        bound.Events().On(ClickCellButton, [&](const hv::container::EventCall& call) {
            clicked = reinterpret_cast<IHvCell*>(call.Object(0));
        });
        bound.Events().ClearReceived();
        CHECK(bound.Key(c.key, false, c.ctrl) == (c.clicks > 0));
        CHECK(bound.Events().ReceivedCount(ClickCellButton) == c.clicks);
        if (c.clicks)
            CHECK(clicked != nullptr);
        CHECK(bound.ActiveCellRowId() == 2);
    }
}

TEST_CASE("Escape on a cell whose list is open closes the list and keeps the value; Enter takes the entry")
{
    BoundGrid bound(10);
    GiveList(bound, L"Name");
    ComPtr<IHvCell> cell = CellOf(bound, 2, L"Name");
    REQUIRE(bound.Control()->putref_ActiveCell(cell.Get()) == S_OK);
    REQUIRE(cell->put_DroppedDown(VARIANT_TRUE) == S_OK);
    bound.Pump();
    VARIANT_BOOL down = VARIANT_FALSE;
    REQUIRE(cell->get_DroppedDown(&down) == S_OK);
    REQUIRE(down);
    // Taken by the list: the grid's own key actions never see it.
    CHECK(bound.Key(VK_ESCAPE));
    REQUIRE(cell->get_DroppedDown(&down) == S_OK);
    CHECK_FALSE(down);
    CHECK(bound.ActiveCellRowId() == 2);
    VARIANT value;
    VariantInit(&value);
    REQUIRE(cell->get_Value(&value) == S_OK);
    REQUIRE(value.vt == VT_BSTR);
    CHECK(std::wstring(value.bstrVal) == L"n2");
    VariantClear(&value);

    REQUIRE(cell->put_DroppedDown(VARIANT_TRUE) == S_OK);
    bound.Pump();
    CHECK(bound.Key(VK_UP));
    CHECK(bound.Key(VK_RETURN));
    REQUIRE(cell->get_DroppedDown(&down) == S_OK);
    CHECK_FALSE(down);
    CHECK(bound.ActiveCellRowId() == 2);
}

TEST_CASE("Tab moves from cell to cell and, on the last cell or with TabNavigation NextControl, is left to the container")
{
    BoundGrid bound(3);
    REQUIRE(bound.Control()->putref_ActiveCell(CellOf(bound, 1, L"ID").Get()) == S_OK);
    CHECK(bound.Translate(VK_TAB));
    CHECK(bound.ActiveCellKey() == L"Name");

    REQUIRE(bound.Control()->putref_ActiveCell(CellOf(bound, 3, L"Qty").Get()) == S_OK);
    CHECK_FALSE(bound.Translate(VK_TAB));
    CHECK(bound.ActiveCellRowId() == 3);
    CHECK(bound.ActiveCellKey() == L"Qty");

    REQUIRE(bound.Grid().Layout()->put_TabNavigation(hvTabNavigationNextControl) == S_OK);
    REQUIRE(bound.Control()->putref_ActiveCell(CellOf(bound, 1, L"ID").Get()) == S_OK);
    CHECK_FALSE(bound.Translate(VK_TAB));
    CHECK(bound.ActiveCellKey() == L"ID");
}

TEST_CASE("keys 128 and above act as no other key: Volume Down deletes nothing")
{
    BoundGrid bound(10);
    REQUIRE(bound.Override0()->put_AllowDelete(hvAllowDeleteYes) == S_OK);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    bound.ClickCell(5, L"Name");
    REQUIRE(bound.SelectedRowIds() == std::vector<long>{5});
    bound.Events().ClearReceived();
    for (UINT key : {0xAEu, 0xAFu, 0xC6u})
        bound.Key(key);
    CHECK(bound.Events().ReceivedCount(BeforeRowsDeleted) == 0);
    CHECK(bound.ShownRowIds().size() == 10);
    CHECK(bound.ActiveRowId() == 5);
    CHECK(bound.SelectedRowIds() == std::vector<long>{5});
}
