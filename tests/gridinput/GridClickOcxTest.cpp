// Clicks on the registered, bound grid: a click activates and selects as
// the band's CellClickAction says, Shift and Ctrl extend and toggle the
// selection as SelectTypeRow allows, BeforeSelectChange may cancel, a limit
// on the selected rows is reported, and the events come in order; an active
// cell whose column goes is active no more, and a column added in its
// place gets a cell of its own.
#include "BoundGrid.h"

#include "EventCall.h"
#include "LateBound.h"

#include <doctest/doctest.h>

#include <algorithm>

using Microsoft::WRL::ComPtr;
using hv::container::EventCall;

namespace {

constexpr DISPID AfterCellActivate = 1000;
constexpr DISPID AfterRowActivate = 1010;
constexpr DISPID AfterSelectChange = 1017;
constexpr DISPID BeforeCellActivate = 1021;
constexpr DISPID BeforeRowActivate = 1065;
constexpr DISPID BeforeSelectChange = 1045;
constexpr DISPID ErrorEvent = 1055;

// The activation and selection events among those received, in order.
std::vector<DISPID> ActivationEvents(const std::vector<DISPID>& received)
{
    std::vector<DISPID> events;
    for (DISPID id : received)
        if (id == AfterCellActivate || id == AfterRowActivate || id == AfterSelectChange ||
            id == BeforeCellActivate || id == BeforeRowActivate || id == BeforeSelectChange)
            events.push_back(id);
    return events;
}

} // namespace

TEST_CASE("a click on a cell of a RowSelect band activates and selects its row, events in order")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    std::vector<long> changes;
    bound.Events().On(BeforeSelectChange, [&](const EventCall& call) { changes.push_back(call.Long(0)); });
    bound.Events().On(AfterSelectChange, [&](const EventCall& call) { changes.push_back(call.Long(0)); });
    bound.Events().ClearReceived();
    bound.ClickCell(3, L"Name");
    CHECK(bound.ActiveRowId() == 3);
    CHECK(bound.SelectedRowIds() == std::vector<long>{3});
    CHECK(ActivationEvents(bound.Events().Received()) ==
          std::vector<DISPID>{BeforeRowActivate, AfterRowActivate, BeforeSelectChange, AfterSelectChange});
    CHECK(changes == std::vector<long>{hvSelectChangeRow, hvSelectChangeRow});
}

TEST_CASE("Shift and Ctrl clicks select rows as SelectTypeRow says")
{
    struct Case {
        Constants_SelectType type;
        std::vector<long> afterShift;  // click r3, Shift+click r7
        std::vector<long> afterCtrl;   // then Ctrl+click r5
    };
    const Case cases[] = {
        {hvSelectTypeExtended, {3, 4, 5, 6, 7}, {3, 4, 6, 7}},
        {hvSelectTypeSingle, {7}, {5}},
        {hvSelectTypeNone, {}, {}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.type);
        BoundGrid bound(30);
        REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
        REQUIRE(bound.Override0()->put_SelectTypeRow(c.type) == S_OK);
        bound.ClickCell(3, L"Name");
        CHECK(bound.ActiveRowId() == 3);
        bound.ClickCell(7, L"Name", true, false);
        CHECK(bound.ActiveRowId() == 7);
        CHECK(bound.SelectedRowIds() == c.afterShift);
        bound.ClickCell(5, L"ID", false, true);
        CHECK(bound.ActiveRowId() == 5);
        CHECK(bound.SelectedRowIds() == c.afterCtrl);
    }
}

TEST_CASE("a cancelled BeforeSelectChange keeps the selection and fires no AfterSelectChange")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    bound.ClickCell(3, L"Name");
    REQUIRE(bound.SelectedRowIds() == std::vector<long>{3});
    bound.Events().On(BeforeSelectChange, [](const EventCall& call) { call.SetBool(2, true); });
    bound.Events().ClearReceived();
    bound.ClickCell(7, L"Name", true, false);
    CHECK(bound.SelectedRowIds() == std::vector<long>{3});
    CHECK(bound.Events().ReceivedCount(BeforeSelectChange) == 1);
    CHECK(bound.Events().ReceivedCount(AfterSelectChange) == 0);
}

TEST_CASE("a range reaching MaxSelectedRows is reported as too many items and changes nothing")
{
    // The limit counts like the stored property always did: up to one row
    // fewer than MaxSelectedRows may be selected.
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    REQUIRE(bound.Override0()->put_MaxSelectedRows(3) == S_OK);
    std::vector<std::wstring> reported;
    bound.Events().On(ErrorEvent, [&](const EventCall& call) {
        IDispatch* error = call.Object(0);
        REQUIRE(error);
        LateResult description;
        LateGet(error, L"Description", description);
        reported.push_back(description.value.vt == VT_BSTR ? description.value.bstrVal : L"");
        VARIANT no;
        VariantInit(&no);
        no.vt = VT_BOOL;
        no.boolVal = VARIANT_FALSE;
        LateResult put;
        LatePut(error, L"DisplayErrorDialog", no, put);
    });
    bound.ClickCell(3, L"Name");
    bound.ClickCell(4, L"Name", true, false);
    CHECK(bound.SelectedRowIds() == std::vector<long>{3, 4});
    CHECK(reported.empty());
    bound.Events().ClearReceived();
    bound.ClickCell(7, L"Name", true, false);
    REQUIRE(reported.size() == 1);
    CHECK(reported[0].find(L"Too many items") != std::wstring::npos);
    CHECK(bound.SelectedRowIds() == std::vector<long>{3, 4});
    CHECK(bound.Events().ReceivedCount(AfterSelectChange) == 0);
}

TEST_CASE("an Edit click activates the cell and its row without a selection change")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionEdit) == S_OK);
    bound.Events().ClearReceived();
    bound.ClickCell(2, L"Qty");
    CHECK(bound.ActiveRowId() == 2);
    CHECK(bound.ActiveCellRowId() == 2);
    CHECK(bound.ActiveCellKey() == L"Qty");
    const std::vector<DISPID> events = ActivationEvents(bound.Events().Received());
    CHECK(std::count(events.begin(), events.end(), BeforeRowActivate) == 1);
    CHECK(std::count(events.begin(), events.end(), AfterRowActivate) == 1);
    CHECK(std::count(events.begin(), events.end(), BeforeCellActivate) == 1);
    CHECK(std::count(events.begin(), events.end(), AfterCellActivate) == 1);
    CHECK(std::count(events.begin(), events.end(), BeforeSelectChange) == 0);
    CHECK(bound.SelectedRowIds().empty());
}

TEST_CASE("an active cell whose column is removed is not the active cell, though a new cell may take its memory")
{
    BoundGrid bound(30);
    ComPtr<IHvColumns> columns;
    REQUIRE(bound.Band0()->get_Columns(&columns) == S_OK);
    auto key = [](const wchar_t* text) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(text);
        return v;
    };
    auto cellOf = [&](const wchar_t* column) {
        ComPtr<IHvCells> cells;
        REQUIRE(bound.RowOf(2)->get_Cells(&cells) == S_OK);
        VARIANT index = key(column);
        ComPtr<IHvCell> cell;
        CHECK(cells->get_Item(index, &cell) == S_OK);
        VariantClear(&index);
        return cell;
    };
    VARIANT extra = key(L"Extra");
    ComPtr<IHvColumn> added;
    REQUIRE(columns->Add(extra, extra, &added) == S_OK);
    added.Reset();
    bound.Pump();
    {
        ComPtr<IHvCell> cell = cellOf(L"Extra");
        REQUIRE(cell);
        REQUIRE(bound.Control()->putref_ActiveCell(cell.Get()) == S_OK);
        REQUIRE(bound.ActiveCellKey() == L"Extra");
    }
    // Nothing outside the grid holds the cell when its column goes.
    REQUIRE(columns->Remove(extra) == S_OK);
    VariantClear(&extra);
    VARIANT other = key(L"Other");
    REQUIRE(columns->Add(other, other, &added) == S_OK);
    VariantClear(&other);
    ComPtr<IHvCell> fresh = cellOf(L"Other");
    REQUIRE(fresh);
    // The new column has a cell of its own, not the one of the column gone.
    ComPtr<IHvColumn> freshColumn;
    REQUIRE(fresh->get_Column(&freshColumn) == S_OK);
    BSTR freshKey = nullptr;
    REQUIRE(freshColumn->get_Key(&freshKey) == S_OK);
    CHECK(std::wstring(freshKey ? freshKey : L"") == L"Other");
    SysFreeString(freshKey);
    ComPtr<IHvCell> active;
    REQUIRE(bound.Control()->get_ActiveCell(&active) == S_OK);
    CHECK(!active);
    CHECK(bound.ActiveCellKey().empty());
}

TEST_CASE("a BeforeSelectChange handler that takes the data source away ends the click on a cell, nothing selected")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    int asked = 0;
    bound.Events().On(BeforeSelectChange, [&](const EventCall&) {
        ++asked;
        CHECK(bound.Control()->putref_DataSource(nullptr) == S_OK);
    });
    bound.ClickCell(7, L"Name");
    CHECK(asked == 1);
    CHECK(bound.SelectedRowIds().empty());
    CHECK(bound.Events().ReceivedCount(AfterSelectChange) == 0);
    // The grid goes on answering.
    CHECK(IsWindow(bound.Window()));
    bound.Pump();
}
