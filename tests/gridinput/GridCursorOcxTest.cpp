// The cursor the registered, bound grid chooses through WM_SETCURSOR: the
// sizing cursors over a header's edge and a row selector's edge, one over
// the cells, and the library's own over a connector line; a header's swap
// button raised under the pointer.
// The pointer is placed with SetCursorPos, so the test runs alone.
#include "BoundGrid.h"
#include "ParentItemTree.h"
#include "SwapListProbe.h"

#include <doctest/doctest.h>

using Microsoft::WRL::ComPtr;

namespace {

// The cursor the grid sets with the pointer at the point of its client area.
HCURSOR CursorAt(POINT at, HWND window)
{
    POINT screen = at;
    ClientToScreen(window, &screen);
    REQUIRE(SetCursorPos(screen.x, screen.y));
    SetCursor(nullptr);
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
}

HCURSOR CursorAt(BoundGrid& bound, POINT at)
{
    return CursorAt(at, bound.Window());
}

void PointerTo(BoundGrid& bound, POINT at)
{
    POINT screen = at;
    ClientToScreen(bound.Window(), &screen);
    REQUIRE(SetCursorPos(screen.x, screen.y));
    SendMessageW(bound.Window(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    bound.Pump();
}

HCURSOR System(LPCWSTR id)
{
    return LoadCursorW(nullptr, id);
}

} // namespace

TEST_CASE("WM_SETCURSOR sets the sizing cursor over sizing edges")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_RowSelectors(hvRowSelectorsOn) == S_OK);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionEdit) == S_OK);
    ComPtr<IHvAppearance> look;
    REQUIRE(bound.Column(L"Qty")->get_CellAppearance(&look) == S_OK);
    REQUIRE(look->put_MousePointer(hvHand) == S_OK);
    bound.Pump();

    const RECT header = bound.HeaderRect(L"Name");
    const RECT selector = bound.SelectorRect(4);
    const RECT qty = bound.CellRect(4, L"Qty");
    REQUIRE(!IsRectEmpty(&header));
    REQUIRE(!IsRectEmpty(&selector));
    REQUIRE(!IsRectEmpty(&qty));
    CHECK(CursorAt(bound, POINT{header.right - 1, (header.top + header.bottom) / 2}) == System(IDC_SIZEWE));
    CHECK(CursorAt(bound, POINT{(selector.left + selector.right) / 2, selector.bottom - 1}) == System(IDC_SIZENS));
    // Over a cell the grid chooses a cursor of its own.
    CHECK(CursorAt(bound, Middle(qty)) != nullptr);
}

TEST_CASE("WM_SETCURSOR over a connector line beside another row than its own sets the library's cursor 108")
{
    ParentItemTree tree;
    OcxGrid grid(500, 400);
    ComPtr<IUnknown> source;
    REQUIRE(tree.parents.GetDataSource(&source) == S_OK);
    grid.Bind(source.Get());
    ExpandOnlyParent(grid.Control(), 1);
    Canvas canvas(500, 400, RGB(1, 2, 3));
    REQUIRE(grid.DrawInto(canvas) == S_OK);
    const HMODULE library = GetModuleHandleW(L"Tavelle.ocx");
    REQUIRE(library);
    const HCURSOR other = LoadCursorW(library, MAKEINTRESOURCEW(108));
    REQUIRE(other);
    REQUIRE(other != LoadCursorW(library, MAKEINTRESOURCEW(107)));

    // The first parents' line that passes item rows: the second parent's,
    // down to the third parent beside the second's items.
    const auto rows = grid.OfType(5000);
    int checked = 0;
    for (const auto& line : grid.OfType(2000)) {
        const RECT rect = RectOf(line.Get());
        for (const auto& row : rows) {
            const RECT beside = RectOf(row.Get());
            const POINT at{(rect.left + rect.right) / 2, (beside.top + beside.bottom) / 2};
            if (beside.left <= at.x || at.y < rect.top || at.y >= rect.bottom)
                continue;
            CAPTURE(at.y);
            CHECK(CursorAt(at, grid.Window()) == other);
            ++checked;
        }
    }
    CHECK(checked == 5);
}

TEST_CASE("WM_SETCURSOR over a child window of the grid, its scroll bar, leaves the cursor to that window")
{
    BoundGrid bound(60);
    ComPtr<IHvAppearance> look;
    REQUIRE(bound.Control()->get_Appearance(&look) == S_OK);
    REQUIRE(look->put_MousePointer(hvHand) == S_OK);
    bound.Pump();
    const RECT cell = bound.CellRect(4, L"Name");
    REQUIRE(!IsRectEmpty(&cell));
    const HCURSOR gridCursor = CursorAt(bound, Middle(cell));
    REQUIRE(gridCursor);

    HWND bar = nullptr;
    for (HWND child = GetWindow(bound.Window(), GW_CHILD); child && !bar; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child))
            bar = child;
    REQUIRE(bar);
    RECT rect{};
    GetWindowRect(bar, &rect);
    MapWindowPoints(nullptr, bound.Window(), reinterpret_cast<POINT*>(&rect), 2);
    // The grid does not answer with its own cursor there.
    CHECK(CursorAt(bound, Middle(rect)) != gridCursor);
}

TEST_CASE("a header's swap button looks raised while the pointer is over it")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_AllowColSwapping(hvAllowColSwappingWithinBand) == S_OK);
    const RECT button = swaplist::SwapButtonRect(bound, L"Name");
    REQUIRE(!IsRectEmpty(&button));
    PointerTo(bound, Middle(bound.CellRect(5, L"ID")));
    const std::vector<COLORREF> idle = swaplist::PaintedPixels(bound, button);
    PointerTo(bound, Middle(button));
    CHECK(swaplist::PaintedPixels(bound, button) != idle);
    PointerTo(bound, Middle(bound.CellRect(5, L"ID")));
    CHECK(swaplist::PaintedPixels(bound, button) == idle);
}
