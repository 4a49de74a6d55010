// Automatic scrolling of the registered, bound grid: a selection dragged
// above or below the rows, or past the right edge, scrolls the region on
// the grid's timer while the button is held, and stops when it is
// released. The drag holds the capture; the pointer itself never moves.
#include "BoundGrid.h"

#include <doctest/doctest.h>

#include <algorithm>

using Microsoft::WRL::ComPtr;

namespace {

// Serves the thread's messages (the grid's timers among them) for a while.
void PumpFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
}

// A drag from the pressed point to the target in a few moves, as a hand
// would make it (the first move after a press only settles the press).
void DragTo(BoundGrid& bound, POINT target)
{
    POINT at = {};
    for (int step = 1; step <= 3; ++step) {
        at.x = target.x;
        at.y = target.y - (3 - step) * 2;
        bound.MoveTo(at);
    }
}

long FirstShown(BoundGrid& bound)
{
    const std::vector<long> shown = bound.ShownRowIds();
    return shown.empty() ? 0 : shown.front();
}

} // namespace

TEST_CASE("a selection dragged below or above the rows scrolls them on the timer until the button is up")
{
    struct Case {
        const char* name;
        bool fromBottom; // the rows scrolled to the end before the drag
        int outside;    // pixels below (+) or above (-) the grid
    };
    const Case cases[] = {
        {"below", false, 30},
        {"above", true, -30},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        BoundGrid bound(60, 400, 200);
        REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
        if (c.fromBottom)
            REQUIRE(bound.Grid().RowRegion(0)->Scroll(hvRowScrollActionBottom) == S_OK);
        const long startAt = FirstShown(bound);
        REQUIRE(startAt > 0);
        const long pressOn = startAt + 2;
        const std::vector<long> before = bound.ShownRowIds();

        const RECT pressed = bound.CellRect(pressOn, L"Name");
        bound.Press(Middle(pressed));
        RECT client = {};
        GetClientRect(bound.Window(), &client);
        const POINT outside = {Middle(pressed).x, c.outside > 0 ? client.bottom + c.outside : c.outside};
        DragTo(bound, outside);
        PumpFor(900);
        const long during = FirstShown(bound);
        if (c.outside > 0) {
            // One step at once, then one a tick (every 200 ms at 30 pixels).
            CHECK(during >= startAt + 3);
            CHECK(bound.SelectedRowIds().back() > before.back());
        } else {
            CHECK(during <= startAt - 3);
        }

        bound.Release(outside);
        const long stopped = FirstShown(bound);
        PumpFor(500);
        CHECK(FirstShown(bound) == stopped);
    }
}

TEST_CASE("a selection dragged inside the rows does not scroll")
{
    BoundGrid bound(60, 400, 200);
    REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    bound.Press(Middle(bound.CellRect(2, L"Name")));
    DragTo(bound, Middle(bound.CellRect(4, L"Name")));
    PumpFor(500);
    CHECK(FirstShown(bound) == 1);
    bound.Release(Middle(bound.CellRect(4, L"Name")));
    CHECK(bound.SelectedRowIds() == std::vector<long>{2, 3, 4});
}
