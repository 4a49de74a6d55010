// Ranges on the registered, bound grid: Shift+click selects the cells
// between the pivot and the clicked cell, or the columns between two
// clicked headers; a press dragged over the rows selects the rows or cells
// it passes, and moving back gives up the ones left behind.
#include "BoundGrid.h"

#include <doctest/doctest.h>

#include <algorithm>

using Microsoft::WRL::ComPtr;

namespace {

ComPtr<IHvSelected> SelectedOf(BoundGrid& bound)
{
    ComPtr<IHvSelected> selected;
    REQUIRE(bound.Control()->get_Selected(&selected) == S_OK);
    return selected;
}

// The selected columns' keys, in the collection's order.
std::vector<std::wstring> SelectedColumnKeys(BoundGrid& bound)
{
    ComPtr<IHvSelectedCols> columns;
    REQUIRE(SelectedOf(bound)->get_Columns(&columns) == S_OK);
    long count = 0;
    REQUIRE(columns->get_Count(&count) == S_OK);
    std::vector<std::wstring> keys;
    for (long i = 0; i < count; ++i) {
        VARIANT index;
        VariantInit(&index);
        index.vt = VT_I4;
        index.lVal = i;
        ComPtr<IHvColumn> column;
        columns->get_Item(index, &column);
        BSTR key = nullptr;
        if (column && SUCCEEDED(column->get_Key(&key)) && key)
            keys.emplace_back(key);
        SysFreeString(key);
    }
    return keys;
}

// The selected cells as (row ID, column key), in the collection's order.
std::vector<std::pair<long, std::wstring>> SelectedCells(BoundGrid& bound)
{
    ComPtr<IHvSelectedCells> cells;
    REQUIRE(SelectedOf(bound)->get_Cells(&cells) == S_OK);
    long count = 0;
    REQUIRE(cells->get_Count(&count) == S_OK);
    std::vector<std::pair<long, std::wstring>> found;
    for (long i = 0; i < count; ++i) {
        ComPtr<IHvCell> cell;
        cells->get_Item(i, &cell);
        ComPtr<IHvRow> row;
        ComPtr<IHvColumn> column;
        if (cell) {
            cell->get_Row(&row);
            cell->get_Column(&column);
        }
        BSTR key = nullptr;
        if (column)
            column->get_Key(&key);
        found.emplace_back(BoundGrid::IdOf(row.Get()), key ? key : L"");
        SysFreeString(key);
    }
    std::sort(found.begin(), found.end());
    return found;
}

using Cells = std::vector<std::pair<long, std::wstring>>;

} // namespace

namespace doctest {
template <>
struct StringMaker<Cells> {
    static String convert(const Cells& cells)
    {
        std::string text;
        for (const auto& [id, key] : cells)
            text += " " + std::to_string(id) + std::string(key.begin(), key.end());
        return String(text.c_str());
    }
};
} // namespace doctest

namespace {

// The pointer moved onto the point and on by a pixel, as a hand moves it:
// the operation lets the first move after a change go by.
void MoveOver(BoundGrid& bound, POINT at)
{
    bound.MoveTo(at);
    bound.MoveTo(POINT{at.x + 1, at.y});
}

} // namespace

TEST_CASE("Shift+click on a cell selects the block from the pivot; Ctrl+click takes one out")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionCellSelect) == S_OK);
    REQUIRE(bound.Override0()->put_SelectTypeCell(hvSelectTypeExtended) == S_OK);
    bound.ClickCell(2, L"ID");
    CHECK(SelectedCells(bound) == Cells{{2, L"ID"}});
    bound.ClickCell(4, L"Name", true, false);
    CHECK(SelectedCells(bound) ==
          Cells{{2, L"ID"}, {2, L"Name"}, {3, L"ID"}, {3, L"Name"}, {4, L"ID"}, {4, L"Name"}});
    CHECK(bound.ActiveCellRowId() == 4);
    bound.ClickCell(3, L"ID", false, true);
    CHECK(SelectedCells(bound) == Cells{{2, L"ID"}, {2, L"Name"}, {3, L"Name"}, {4, L"ID"}, {4, L"Name"}});
    // The Ctrl+click made r3.ID the pivot, unselected: a Shift+click
    // replaces the block with the one from there, without the pivot.
    bound.ClickCell(2, L"Qty", true, false);
    CHECK(SelectedCells(bound) == Cells{{2, L"ID"}, {2, L"Name"}, {2, L"Qty"}, {3, L"Name"}, {3, L"Qty"}});
}

TEST_CASE("Shift+click on a header selects the columns from the pivot header")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_HeaderClickAction(hvHeaderClickActionSelect) == S_OK);
    REQUIRE(bound.Override0()->put_SelectTypeCol(hvSelectTypeExtended) == S_OK);
    bound.Click(Middle(bound.HeaderRect(L"ID")));
    CHECK(SelectedColumnKeys(bound) == std::vector<std::wstring>{L"ID"});
    bound.Click(Middle(bound.HeaderRect(L"Qty")), true, false);
    CHECK(SelectedColumnKeys(bound) == std::vector<std::wstring>{L"ID", L"Name", L"Qty"});
    bound.Click(Middle(bound.HeaderRect(L"Name")), false, true);
    CHECK(SelectedColumnKeys(bound) == std::vector<std::wstring>{L"ID", L"Qty"});
    // Single: the last header clicked.
    REQUIRE(bound.Override0()->put_SelectTypeCol(hvSelectTypeSingle) == S_OK);
    bound.Click(Middle(bound.HeaderRect(L"Name")), true, false);
    CHECK(SelectedColumnKeys(bound) == std::vector<std::wstring>{L"Name"});
}

TEST_CASE("a press dragged over the rows selects the rows it passes; moving back gives them up")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    bound.Press(Middle(bound.CellRect(3, L"Name")));
    CHECK(bound.SelectedRowIds() == std::vector<long>{3});
    MoveOver(bound, Middle(bound.CellRect(4, L"Name")));
    MoveOver(bound, Middle(bound.CellRect(6, L"Qty")));
    CHECK(bound.SelectedRowIds() == std::vector<long>{3, 4, 5, 6});
    MoveOver(bound, Middle(bound.CellRect(5, L"ID")));
    CHECK(bound.SelectedRowIds() == std::vector<long>{3, 4, 5});
    bound.Release(Middle(bound.CellRect(5, L"ID")));
    CHECK(bound.SelectedRowIds() == std::vector<long>{3, 4, 5});
    CHECK(GetCapture() != bound.Window());
    // The button is up: moves select nothing more.
    SendMessageW(bound.Window(), WM_MOUSEMOVE, 0, MAKELPARAM(Middle(bound.CellRect(8, L"ID")).x,
                                                             Middle(bound.CellRect(8, L"ID")).y));
    bound.Pump();
    CHECK(bound.SelectedRowIds() == std::vector<long>{3, 4, 5});
}

TEST_CASE("a press dragged over cells selects the block it spans")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionCellSelect) == S_OK);
    bound.Press(Middle(bound.CellRect(2, L"ID")));
    MoveOver(bound, Middle(bound.CellRect(3, L"Name")));
    MoveOver(bound, Middle(bound.CellRect(4, L"Name")));
    bound.Release(Middle(bound.CellRect(4, L"Name")));
    CHECK(SelectedCells(bound) ==
          Cells{{2, L"ID"}, {2, L"Name"}, {3, L"ID"}, {3, L"Name"}, {4, L"ID"}, {4, L"Name"}});
    CHECK(GetCapture() != bound.Window());
}

TEST_CASE("a press dragged below the rows scrolls them and selects on to the last row shown")
{
    BoundGrid bound(60);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    const std::vector<long> before = bound.ShownRowIds();
    REQUIRE(before.front() == 1);
    const POINT start = Middle(bound.CellRect(10, L"Name"));
    RECT client{};
    GetClientRect(bound.Window(), &client);
    const POINT below{start.x, client.bottom + 20};
    bound.Press(start);
    MoveOver(bound, below);
    // The held button keeps the rows scrolling while time passes.
    for (int tick = 0; tick < 40; ++tick) {
        Sleep(25);
        bound.Pump();
    }
    MoveOver(bound, below);
    bound.Release(below);
    CHECK(GetCapture() != bound.Window());
    const std::vector<long> shown = bound.ShownRowIds();
    REQUIRE(!shown.empty());
    CHECK(shown.front() > 1);
    const std::vector<long> selected = bound.SelectedRowIds();
    REQUIRE(!selected.empty());
    CHECK(selected.front() == 10);
    CHECK(selected.back() > before.back());
    // One block, in order.
    for (size_t i = 1; i < selected.size(); ++i)
        CHECK(selected[i] == selected[i - 1] + 1);
}
