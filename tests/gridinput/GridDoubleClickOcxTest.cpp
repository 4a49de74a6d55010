// Double clicks on the registered, bound grid: the container hears
// MouseDown, MouseUp, Click, DblClick, MouseUp; a double click on a cell
// puts the cell into edit mode, while one on a row selector
// or on a header's sizing edge is taken by that element and is not a
// second press.
#include "BoundGrid.h"

#include <doctest/doctest.h>

#include <algorithm>

using Microsoft::WRL::ComPtr;

namespace {

constexpr DISPID ClickEvent = -600;
constexpr DISPID DblClickEvent = -601;
constexpr DISPID MouseDownEvent = -605;
constexpr DISPID MouseUpEvent = -607;
constexpr DISPID AfterColPosChanged = 1003;

std::vector<DISPID> MouseEvents(const std::vector<DISPID>& received)
{
    std::vector<DISPID> events;
    std::copy_if(received.begin(), received.end(), std::back_inserter(events), [](DISPID id) {
        return id == ClickEvent || id == DblClickEvent || id == MouseDownEvent || id == MouseUpEvent;
    });
    return events;
}

bool IsInEditMode(BoundGrid& bound)
{
    VARIANT_BOOL editing = VARIANT_FALSE;
    REQUIRE(bound.Control()->get_IsInEditMode(&editing) == S_OK);
    return editing != VARIANT_FALSE;
}

} // namespace

TEST_CASE("a double click on a cell fires the stock events in order and edits the cell")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionCellSelect) == S_OK);
    const RECT cell = bound.CellRect(4, L"Name");
    REQUIRE(!IsRectEmpty(&cell));
    bound.Events().ClearReceived();
    bound.DoubleClick(Middle(cell));
    CHECK(MouseEvents(bound.Events().Received()) ==
          std::vector<DISPID>{MouseDownEvent, MouseUpEvent, ClickEvent, DblClickEvent, MouseUpEvent});
    CHECK(bound.ActiveRowId() == 4);
    CHECK(bound.ActiveCellRowId() == 4);
    CHECK(bound.ActiveCellKey() == L"Name");
    CHECK(IsInEditMode(bound));
    bound.Key(VK_ESCAPE);
    CHECK_FALSE(IsInEditMode(bound));
}

TEST_CASE("a Ctrl double click on a row selector toggles its row once")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_RowSelectors(hvRowSelectorsOn) == S_OK);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    bound.ClickCell(3, L"Name");
    REQUIRE(bound.SelectedRowIds() == std::vector<long>{3});
    const RECT selector = bound.SelectorRect(5);
    REQUIRE(!IsRectEmpty(&selector));
    bound.DoubleClick(Middle(selector), false, true);
    CHECK(bound.SelectedRowIds() == std::vector<long>{3, 5});
    CHECK(bound.ActiveRowId() == 5);
    CHECK_FALSE(IsInEditMode(bound));
}

TEST_CASE("a double click on a header's sizing edge sizes nothing and leaves no capture")
{
    BoundGrid bound(30);
    float before = 0;
    REQUIRE(bound.Column(L"Name")->get_Width(&before) == S_OK);
    const RECT header = bound.HeaderRect(L"Name");
    REQUIRE(!IsRectEmpty(&header));
    const POINT edge{header.right - 1, (header.top + header.bottom) / 2};
    bound.Events().ClearReceived();
    bound.DoubleClick(edge);
    CHECK(GetCapture() != bound.Window());
    float after = 0;
    REQUIRE(bound.Column(L"Name")->get_Width(&after) == S_OK);
    CHECK(after == before);
    CHECK(bound.Events().ReceivedCount(DblClickEvent) == 1);
    // The first press sized by nothing; the double click started no sizing.
    CHECK(bound.Events().ReceivedCount(AfterColPosChanged) <= 1);
    bound.MoveTo(POINT{edge.x + 30, edge.y});
    REQUIRE(bound.Column(L"Name")->get_Width(&after) == S_OK);
    CHECK(after == before);
}

namespace {

// The editor: a visible popup window of the grid. A popup given a child
// window as its owner is owned by that window's top-level window; the
// editor names its grid in its "HvParentProp" property.
HWND EditorOf(HWND grid)
{
    struct Search {
        HWND grid;
        HWND found;
    } search{grid, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (GetWindow(window, GW_OWNER) != GetAncestor(s->grid, GA_ROOT) ||
                GetPropW(window, L"HvParentProp") != s->grid || !IsWindowVisible(window))
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RECT WindowRectIn(HWND window, HWND parent)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace

TEST_CASE("the open editor goes back over its cell when the grid is resized; a paint alone leaves it")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionCellSelect) == S_OK);
    const RECT cell = bound.CellRect(4, L"Name");
    REQUIRE(!IsRectEmpty(&cell));
    bound.DoubleClick(Middle(cell));
    REQUIRE(IsInEditMode(bound));
    const HWND grid = bound.Window();
    const HWND editor = EditorOf(grid);
    REQUIRE(editor);
    // A left-aligned editor reaches 2 pixels past its cell's text on each
    // side, so it may start a pixel left of the cell.
    const RECT placed = WindowRectIn(editor, grid);
    CHECK(placed.left >= cell.left - 2);
    CHECK(placed.left < cell.right);

    // Moved to the grid's left edge (a popup is placed in screen coordinates).
    POINT corner{0, 0};
    ClientToScreen(grid, &corner);
    SetWindowPos(editor, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(grid, nullptr, FALSE);
    UpdateWindow(grid);
    CHECK(WindowRectIn(editor, grid).left == 0);

    Microsoft::WRL::ComPtr<IOleInPlaceObject> inPlace = bound.Grid().Host().Query<IOleInPlaceObject>();
    REQUIRE(inPlace);
    const RECT larger{0, 0, 440, 320};
    REQUIRE(inPlace->SetObjectRects(&larger, &larger) == S_OK);
    UpdateWindow(grid);
    bound.Pump();
    const RECT back = WindowRectIn(editor, grid);
    CHECK(back.left == placed.left);
    CHECK(back.top == placed.top);
    bound.Key(VK_ESCAPE);
}
