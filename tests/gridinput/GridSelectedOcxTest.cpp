// Selection from a client of the registered, bound grid: Selected.Rows,
// Cells and Columns Add and Remove and the objects' Selected puts go through
// the band's selection rules and events, as clicks do; a row added through
// the band is activated as its CellClickAction says.
#include "BoundGrid.h"

#include "EventCall.h"

#include <doctest/doctest.h>

using Microsoft::WRL::ComPtr;
using hv::container::EventCall;

namespace {

constexpr DISPID AfterSelectChange = 1017;
constexpr DISPID BeforeSelectChange = 1045;

VARIANT Index(long value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

ComPtr<IHvSelected> SelectedOf(BoundGrid& bound)
{
    ComPtr<IHvSelected> selected;
    REQUIRE(bound.Control()->get_Selected(&selected) == S_OK);
    return selected;
}

ComPtr<IHvSelectedRows> SelectedRows(BoundGrid& bound)
{
    ComPtr<IHvSelectedRows> rows;
    REQUIRE(SelectedOf(bound)->get_Rows(&rows) == S_OK);
    return rows;
}

ComPtr<IHvCell> CellOf(BoundGrid& bound, long id, const wchar_t* key)
{
    ComPtr<IHvRow> row = bound.RowOf(id);
    REQUIRE(row);
    ComPtr<IHvCells> cells;
    REQUIRE(row->get_Cells(&cells) == S_OK);
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_BSTR;
    index.bstrVal = SysAllocString(key);
    ComPtr<IHvCell> cell;
    cells->get_Item(index, &cell);
    VariantClear(&index);
    REQUIRE(cell);
    return cell;
}

long SelectedColumnCount(BoundGrid& bound)
{
    ComPtr<IHvSelectedCols> columns;
    REQUIRE(SelectedOf(bound)->get_Columns(&columns) == S_OK);
    long count = -1;
    REQUIRE(columns->get_Count(&count) == S_OK);
    return count;
}

} // namespace

TEST_CASE("Selected.Rows.Add and Row.Selected select as SelectTypeRow says, with a click's events")
{
    struct Case {
        Constants_SelectType type;
        std::vector<long> afterTwo;  // r3 added, then r5 through its Selected
    };
    const Case cases[] = {
        {hvSelectTypeExtended, {3, 5}},
        {hvSelectTypeSingle, {5}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.type);
        BoundGrid bound(30);
        REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
        REQUIRE(bound.Override0()->put_SelectTypeRow(c.type) == S_OK);
        std::vector<long> changes;
        bound.Events().On(BeforeSelectChange, [&](const EventCall& call) { changes.push_back(call.Long(0)); });
        bound.Events().On(AfterSelectChange, [&](const EventCall& call) { changes.push_back(call.Long(0)); });
        CHECK(SelectedRows(bound)->Add(bound.RowOf(3).Get()) == S_OK);
        CHECK(bound.SelectedRowIds() == std::vector<long>{3});
        CHECK(changes == std::vector<long>{hvSelectChangeRow, hvSelectChangeRow});
        CHECK(bound.RowOf(5)->put_Selected(VARIANT_TRUE) == S_OK);
        CHECK(bound.SelectedRowIds() == c.afterTwo);
        VARIANT_BOOL selected = VARIANT_FALSE;
        REQUIRE(bound.RowOf(5)->get_Selected(&selected) == S_OK);
        CHECK(selected);
    }
}

TEST_CASE("Selected.Rows.Remove and Row.Selected = False unselect; a cancelled BeforeSelectChange keeps the row")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    for (long id : {2L, 4L, 6L})
        REQUIRE(bound.RowOf(id)->put_Selected(VARIANT_TRUE) == S_OK);
    REQUIRE(bound.SelectedRowIds() == std::vector<long>{2, 4, 6});
    CHECK(SelectedRows(bound)->Remove(Index(1)) == S_OK);
    CHECK(bound.SelectedRowIds() == std::vector<long>{2, 6});
    CHECK(bound.RowOf(2)->put_Selected(VARIANT_FALSE) == S_OK);
    CHECK(bound.SelectedRowIds() == std::vector<long>{6});

    bound.Events().On(BeforeSelectChange, [](const EventCall& call) { call.SetBool(2, true); });
    bound.Events().ClearReceived();
    bound.RowOf(6)->put_Selected(VARIANT_FALSE);
    bound.RowOf(8)->put_Selected(VARIANT_TRUE);
    CHECK(bound.SelectedRowIds() == std::vector<long>{6});
    CHECK(bound.Events().ReceivedCount(AfterSelectChange) == 0);
}

TEST_CASE("cells and columns are selected through their collections and Selected puts; RowSelect refuses cells")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionCellSelect) == S_OK);
    ComPtr<IHvSelectedCells> cells;
    REQUIRE(SelectedOf(bound)->get_Cells(&cells) == S_OK);
    CHECK(cells->Add(CellOf(bound, 2, L"Name").Get()) == S_OK);
    CHECK(CellOf(bound, 3, L"Qty")->put_Selected(VARIANT_TRUE) == S_OK);
    CHECK(bound.SelectedCellCount() == 2);
    CHECK(CellOf(bound, 2, L"Name")->put_Selected(VARIANT_FALSE) == S_OK);
    CHECK(bound.SelectedCellCount() == 1);

    ComPtr<IHvSelectedCols> columns;
    REQUIRE(SelectedOf(bound)->get_Columns(&columns) == S_OK);
    CHECK(columns->Add(bound.Column(L"Qty").Get()) == S_OK);
    CHECK(bound.Column(L"ID")->put_Selected(VARIANT_TRUE) == S_OK);
    CHECK(SelectedColumnCount(bound) == 2);
    CHECK(bound.Column(L"Qty")->put_Selected(VARIANT_FALSE) == S_OK);
    CHECK(SelectedColumnCount(bound) == 1);

    REQUIRE(SelectedOf(bound)->ClearAll() == S_OK);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    CHECK(CellOf(bound, 4, L"Name")->put_Selected(VARIANT_TRUE) == static_cast<HRESULT>(0x800A9C54));
    CHECK(bound.SelectedCellCount() == 0);
}

TEST_CASE("a row added through the band is activated as the band's CellClickAction says")
{
    struct Case {
        Constants_CellClickAction action;
        bool cellActive;
        bool editing;
    };
    const Case cases[] = {
        {hvClickActionRowSelect, false, false},
        {hvClickActionCellSelect, true, false},
        {hvClickActionEdit, true, true},
    };
    for (const Case& c : cases) {
        CAPTURE(c.action);
        BoundGrid bound(5);
        REQUIRE(bound.Override0()->put_CellClickAction(c.action) == S_OK);
        ComPtr<IHvRow> added;
        REQUIRE(bound.Band0()->AddNew(&added) == S_OK);
        REQUIRE(added);
        ComPtr<IHvRow> active;
        REQUIRE(bound.Control()->get_ActiveRow(&active) == S_OK);
        VARIANT_BOOL same = VARIANT_FALSE;
        REQUIRE(active);
        CHECK(active->IsSameAs(added.Get(), &same) == S_OK);
        CHECK(same);
        ComPtr<IHvCell> cell;
        bound.Control()->get_ActiveCell(&cell);
        CHECK((cell != nullptr) == c.cellActive);
        if (cell)
            CHECK(bound.ActiveCellKey() == L"ID");
        VARIANT_BOOL editing = VARIANT_FALSE;
        REQUIRE(bound.Control()->get_IsInEditMode(&editing) == S_OK);
        CHECK((editing != VARIANT_FALSE) == c.editing);
    }
}

TEST_CASE("Selected.Columns.Remove by position, by key and by object unselects that column, with the events")
{
    enum class By { Position, Key, Object };
    for (By by : {By::Position, By::Key, By::Object}) {
        CAPTURE(static_cast<int>(by));
        BoundGrid bound(10);
        ComPtr<IHvSelectedCols> columns;
        REQUIRE(SelectedOf(bound)->get_Columns(&columns) == S_OK);
        REQUIRE(columns->Add(bound.Column(L"Name").Get()) == S_OK);
        REQUIRE(columns->Add(bound.Column(L"Qty").Get()) == S_OK);
        REQUIRE(SelectedColumnCount(bound) == 2);
        std::vector<long> changes;
        bound.Events().On(BeforeSelectChange, [&](const EventCall& call) { changes.push_back(call.Long(0)); });
        bound.Events().On(AfterSelectChange, [&](const EventCall& call) { changes.push_back(call.Long(0)); });

        VARIANT index = Index(0);
        if (by == By::Key) {
            index.vt = VT_BSTR;
            index.bstrVal = SysAllocString(L"Name");
        } else if (by == By::Object) {
            ComPtr<IHvColumn> name = bound.Column(L"Name");
            index.vt = VT_DISPATCH;
            index.pdispVal = name.Detach();
        }
        CHECK(columns->Remove(index) == S_OK);
        VariantClear(&index);
        CHECK(SelectedColumnCount(bound) == 1);
        VARIANT_BOOL selected = VARIANT_TRUE;
        REQUIRE(bound.Column(L"Name")->get_Selected(&selected) == S_OK);
        CHECK(!selected);
        REQUIRE(bound.Column(L"Qty")->get_Selected(&selected) == S_OK);
        CHECK(selected);
        CHECK(changes == std::vector<long>{hvSelectChangeCol, hvSelectChangeCol});
    }
}
