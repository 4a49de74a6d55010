// The cursor the registered, bound grid chooses through WM_SETCURSOR: the
// sizing cursors over a header's edge and a row selector's edge, and one
// over the cells.
// The pointer is placed with SetCursorPos, so the test runs alone.
#include "BoundGrid.h"

#include <doctest/doctest.h>

using Microsoft::WRL::ComPtr;

namespace {

// The cursor the grid sets with the pointer at the point of its client area.
HCURSOR CursorAt(BoundGrid& bound, POINT at)
{
    POINT screen = at;
    ClientToScreen(bound.Window(), &screen);
    REQUIRE(SetCursorPos(screen.x, screen.y));
    SetCursor(nullptr);
    SendMessageW(bound.Window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(bound.Window()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
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
