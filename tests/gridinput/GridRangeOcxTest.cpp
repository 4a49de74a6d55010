// Ranges on the registered, bound grid: Shift+click selects the cells
// between the pivot and the clicked cell, or the columns between two
// clicked headers; a press dragged over the rows selects the rows or cells
// it passes, up or down, and moving back gives up the ones left behind; Ctrl
// pressed during the drag leaves it as it began; WM_CANCELMODE or a new
// SelectTypeRow ends a drag.
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

TEST_CASE("Shift+click on a row scrolled into view takes every row from the pivot scrolled out of sight")
{
    BoundGrid bound(60);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    bound.ClickCell(2, L"Name");
    REQUIRE(bound.SelectedRowIds() == std::vector<long>{2});
    ComPtr<IHvRowScrollRegion> region;
    REQUIRE(bound.Control()->get_ActiveRowScrollRegion(&region) == S_OK);
    REQUIRE(region->Scroll(hvRowScrollActionBottom) == S_OK);
    bound.Pump();
    const std::vector<long> shown = bound.ShownRowIds();
    REQUIRE(!shown.empty());
    REQUIRE(shown.front() > 2);
    bound.ClickCell(shown.back(), L"Name", true);
    std::vector<long> selected = bound.SelectedRowIds();
    std::sort(selected.begin(), selected.end());
    REQUIRE(!selected.empty());
    CHECK(selected.size() == static_cast<size_t>(shown.back() - 1));
    CHECK(selected.front() == 2);
    CHECK(selected.back() == shown.back());
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

TEST_CASE("a press dragged upward selects the rows above it; moving back down gives them up")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    // The range lists its rows from the pivot on: upward, in reverse.
    auto selected = [&] {
        std::vector<long> ids = bound.SelectedRowIds();
        std::sort(ids.begin(), ids.end());
        return ids;
    };
    bound.Press(Middle(bound.CellRect(8, L"Name")));
    MoveOver(bound, Middle(bound.CellRect(7, L"Name")));
    MoveOver(bound, Middle(bound.CellRect(5, L"Qty")));
    CHECK(selected() == std::vector<long>{5, 6, 7, 8});
    MoveOver(bound, Middle(bound.CellRect(7, L"ID")));
    CHECK(selected() == std::vector<long>{7, 8});
    // Across the pivot: the rows below it.
    MoveOver(bound, Middle(bound.CellRect(9, L"ID")));
    CHECK(selected() == std::vector<long>{8, 9});
    bound.Release(Middle(bound.CellRect(9, L"ID")));
    CHECK(selected() == std::vector<long>{8, 9});
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

    // Upward and leftward from r6.Qty.
    bound.Press(Middle(bound.CellRect(6, L"Qty")));
    MoveOver(bound, Middle(bound.CellRect(5, L"Name")));
    MoveOver(bound, Middle(bound.CellRect(4, L"Name")));
    bound.Release(Middle(bound.CellRect(4, L"Name")));
    CHECK(SelectedCells(bound) ==
          Cells{{4, L"Name"}, {4, L"Qty"}, {5, L"Name"}, {5, L"Qty"}, {6, L"Name"}, {6, L"Qty"}});
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

TEST_CASE("a press dragged above the rows scrolls them back and selects on past the first row shown")
{
    BoundGrid bound(60);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    ComPtr<IHvRowScrollRegion> region;
    REQUIRE(bound.Control()->get_ActiveRowScrollRegion(&region) == S_OK);
    REQUIRE(region->Scroll(hvRowScrollActionPageDown) == S_OK);
    REQUIRE(region->Scroll(hvRowScrollActionPageDown) == S_OK);
    bound.Pump();
    const std::vector<long> before = bound.ShownRowIds();
    REQUIRE(before.size() > 6);
    REQUIRE(before.front() > 10);
    const long pressed = before[5];
    const POINT start = Middle(bound.CellRect(pressed, L"Name"));
    const POINT above{start.x, -20};
    bound.Press(start);
    MoveOver(bound, above);
    for (int tick = 0; tick < 40; ++tick) {
        Sleep(25);
        bound.Pump();
    }
    MoveOver(bound, above);
    bound.Release(above);
    CHECK(GetCapture() != bound.Window());
    const std::vector<long> shown = bound.ShownRowIds();
    REQUIRE(!shown.empty());
    CHECK(shown.front() < before.front());
    std::vector<long> selected = bound.SelectedRowIds();
    std::sort(selected.begin(), selected.end());
    REQUIRE(!selected.empty());
    // From the pressed row up to the first row shown now: one block.
    CHECK(selected.back() == pressed);
    CHECK(selected.front() < before.front());
    CHECK(selected.front() == shown.front());
    for (size_t i = 1; i < selected.size(); ++i)
        CHECK(selected[i] == selected[i - 1] + 1);
}

TEST_CASE("Ctrl pressed in the middle of a drag over the rows neither ends the drag nor turns it into a Ctrl drag")
{
    constexpr UINT CtrlKeyChanged = 1478; // the grid window's notice of a change of the Ctrl key
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    bound.ClickCell(10, L"Name");
    bound.Press(Middle(bound.CellRect(3, L"Name")));
    MoveOver(bound, Middle(bound.CellRect(5, L"Name")));
    REQUIRE(bound.SelectedRowIds() == std::vector<long>{3, 4, 5});

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(bound.Window(), CtrlKeyChanged, 0, 0);
    bound.Pump();
    CHECK(GetCapture() == bound.Window());
    const POINT r7 = Middle(bound.CellRect(7, L"Name"));
    for (int step = 0; step < 2; ++step) {
        SendMessageW(bound.Window(), WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, MAKELPARAM(r7.x + step, r7.y));
        bound.Pump();
    }
    // The range from the press goes on; the row selected before it stays out.
    CHECK(bound.SelectedRowIds() == std::vector<long>{3, 4, 5, 6, 7});
    bound.Release(r7);
    CHECK(bound.SelectedRowIds() == std::vector<long>{3, 4, 5, 6, 7});
    CHECK(GetCapture() != bound.Window());
}

TEST_CASE("Shift+click in a sorted band selects the rows shown between, down and up, whatever the recordset's order")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    REQUIRE(bound.Override0()->put_SelectTypeRow(hvSelectTypeExtended) == S_OK);
    REQUIRE(bound.Column(L"Name")->put_SortIndicator(hvSortIndicatorDescending) == S_OK);
    // Names as text, descending: n9 n8 n7 n6 n5 n4 n30 n3 ...
    const std::vector<long> shown = bound.ShownRowIds();
    REQUIRE(shown.size() >= 8);
    REQUIRE(std::vector<long>(shown.begin(), shown.begin() + 8) == std::vector<long>{9, 8, 7, 6, 5, 4, 30, 3});
    auto selected = [&] {
        std::vector<long> ids = bound.SelectedRowIds();
        std::sort(ids.begin(), ids.end());
        return ids;
    };
    bound.ClickCell(7, L"Name");
    bound.ClickCell(30, L"Name", true, false);
    CHECK(selected() == std::vector<long>{4, 5, 6, 7, 30});
    bound.ClickCell(9, L"Name", true, false);
    CHECK(selected() == std::vector<long>{7, 8, 9});
}

TEST_CASE("WM_CANCELMODE in the middle of a drag ends it: no capture, no selection-drag timer, no further range")
{
    constexpr UINT_PTR SelectionDragTimer = 1481;
    enum class Press { Unselected, Selected };
    for (Press press : {Press::Unselected, Press::Selected}) {
        CAPTURE(static_cast<int>(press));
        BoundGrid bound(30);
        REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
        if (press == Press::Selected)
            bound.ClickCell(3, L"Name");
        // A press on a selected row waits for a drag with the timer.
        bound.Press(Middle(bound.CellRect(3, L"Name")));
        if (press == Press::Unselected)
            MoveOver(bound, Middle(bound.CellRect(5, L"Name")));
        REQUIRE(GetCapture() == bound.Window());
        SendMessageW(bound.Window(), WM_CANCELMODE, 0, 0);
        bound.Pump();
        CHECK(GetCapture() != bound.Window());
        CHECK(!KillTimer(bound.Window(), SelectionDragTimer));
        const std::vector<long> kept = bound.SelectedRowIds();
        // The moves and the release that follow select nothing more.
        MoveOver(bound, Middle(bound.CellRect(8, L"Name")));
        bound.Release(Middle(bound.CellRect(8, L"Name")));
        CHECK(bound.SelectedRowIds() == kept);
        bound.ClickCell(9, L"Name");
        CHECK(bound.SelectedRowIds() == std::vector<long>{9});
    }
}

TEST_CASE("SelectTypeRow changed in the middle of a drag ends the drag and the grid goes on")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    bound.Press(Middle(bound.CellRect(3, L"Name")));
    MoveOver(bound, Middle(bound.CellRect(5, L"Name")));
    REQUIRE(bound.SelectedRowIds() == std::vector<long>{3, 4, 5});
    REQUIRE(bound.Override0()->put_SelectTypeRow(hvSelectTypeSingle) == S_OK);
    bound.Pump();
    MoveOver(bound, Middle(bound.CellRect(7, L"Name")));
    bound.Release(Middle(bound.CellRect(7, L"Name")));
    CHECK(GetCapture() != bound.Window());
    // The new strategy takes the next click: one row alone.
    bound.ClickCell(9, L"Name");
    CHECK(bound.SelectedRowIds() == std::vector<long>{9});
    bound.ClickCell(11, L"Name", true);
    CHECK(bound.SelectedRowIds() == std::vector<long>{11});
}
