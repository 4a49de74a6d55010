// Header swap lists on the registered, bound grid: a press on a header's
// swap button drops down the other columns of the band under the header;
// choosing one with the keys (the open list takes them before the grid's key
// actions) or the pointer swaps the two columns with the position events, a
// cancelled Before leaves them; the button looks pressed while its list is
// down; a second press closes the list; a band that allows no swapping shows
// no button.
#include "SwapListProbe.h"

#include "EventCall.h"

#include <doctest/doctest.h>

#include <cstdlib>

using hv::container::EventCall;
using namespace swaplist;

TEST_CASE("a header's swap button drops down the other columns; choosing one swaps the two with the position events")
{
    enum class Choice { Keys, Cancel };
    const std::vector<std::wstring> kept{L"ID", L"Name", L"Qty"};
    for (Choice choice : {Choice::Keys, Choice::Cancel}) {
        CAPTURE(static_cast<int>(choice));
        BoundGrid bound(30);
        REQUIRE(bound.Override0()->put_AllowColSwapping(hvAllowColSwappingWithinBand) == S_OK);
        REQUIRE(PaintedOrder(bound) == kept);
        std::vector<long> actions;
        bound.Events().On(BeforeColPosChanged, [&](const EventCall& call) {
            actions.push_back(call.Long(0));
            if (choice == Choice::Cancel)
                call.SetBool(2, true);
        });
        bound.Events().On(AfterColPosChanged, [&](const EventCall& call) { actions.push_back(call.Long(0)); });

        const RECT button = SwapButtonRect(bound, L"Name");
        REQUIRE(!IsRectEmpty(&button));
        const long active = bound.ActiveRowId();
        bound.Click(Middle(button));
        HWND combo = SwapCombo(bound);
        REQUIRE(IsDropped(combo));
        REQUIRE(Entries(combo) == std::vector<std::wstring>{L"ID", L"Qty"});
        // The list opens under the header.
        RECT list{};
        GetWindowRect(ListOf(combo), &list);
        POINT headerBottom{0, bound.HeaderRect(L"Name").bottom};
        ClientToScreen(bound.Window(), &headerBottom);
        CHECK(std::abs(list.top - headerBottom.y) <= 10);
        // It shows both entries: the second lies inside the list window.
        RECT second{};
        REQUIRE(SendMessageW(ListOf(combo), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second)) != LB_ERR);
        POINT inside = Middle(second);
        ClientToScreen(ListOf(combo), &inside);
        CHECK(WindowFromPoint(inside) == ListOf(combo));
        // Choosing does not sort, select or activate.
        bound.Events().ClearReceived();

        // Down to "Qty", then Enter.
        CHECK(bound.Key(VK_DOWN));
        CHECK(bound.Key(VK_DOWN));
        CHECK(bound.Key(VK_RETURN));
        CHECK(!IsDropped(SwapCombo(bound)));
        if (choice == Choice::Cancel) {
            CHECK(PaintedOrder(bound) == kept);
            CHECK(actions == std::vector<long>{hvPosSwapped});
        } else {
            CHECK(PaintedOrder(bound) == std::vector<std::wstring>{L"ID", L"Qty", L"Name"});
            CHECK(actions == std::vector<long>{hvPosSwapped, hvPosSwapped});
        }
        // The keys went to the list, not to the rows.
        CHECK(bound.ActiveRowId() == active);
        CHECK(bound.SelectedRowIds().empty());
    }
}

TEST_CASE("the swap button looks pressed while its list is down; a click on an entry swaps the two columns")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_AllowColSwapping(hvAllowColSwappingWithinBand) == S_OK);
    std::vector<long> actions;
    bound.Events().On(BeforeColPosChanged, [&](const EventCall& call) { actions.push_back(call.Long(0)); });
    bound.Events().On(AfterColPosChanged, [&](const EventCall& call) { actions.push_back(call.Long(0)); });
    const RECT button = SwapButtonRect(bound, L"Name");
    REQUIRE(!IsRectEmpty(&button));
    const std::vector<COLORREF> idle = PaintedPixels(bound, button);
    bound.Click(Middle(button));
    HWND combo = SwapCombo(bound);
    REQUIRE(IsDropped(combo));
    CHECK(PaintedPixels(bound, button) != idle);

    // The pointer picks "Qty", the second entry, in the dropped list.
    HWND list = ListOf(combo);
    RECT entry{};
    REQUIRE(SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&entry)) != LB_ERR);
    const POINT at = Middle(entry);
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    bound.Pump();
    CHECK(!IsDropped(SwapCombo(bound)));
    CHECK(PaintedOrder(bound) == std::vector<std::wstring>{L"ID", L"Qty", L"Name"});
    CHECK(actions == std::vector<long>{hvPosSwapped, hvPosSwapped});
    // With the list gone the button is drawn as before the press.
    const RECT moved = SwapButtonRect(bound, L"Name");
    REQUIRE(moved.right - moved.left == button.right - button.left);
    CHECK(PaintedPixels(bound, moved) == idle);
}

TEST_CASE("a second press on the swap button closes its list; a band that allows no swapping shows no button")
{
    BoundGrid bound(30);
    REQUIRE(bound.Override0()->put_AllowColSwapping(hvAllowColSwappingWithinBand) == S_OK);
    const RECT button = SwapButtonRect(bound, L"Qty");
    REQUIRE(!IsRectEmpty(&button));
    bound.Click(Middle(button));
    REQUIRE(IsDropped(SwapCombo(bound)));
    CHECK(Entries(SwapCombo(bound)) == std::vector<std::wstring>{L"ID", L"Name"});
    bound.Click(Middle(button));
    CHECK(!IsDropped(SwapCombo(bound)));
    CHECK(PaintedOrder(bound) == std::vector<std::wstring>{L"ID", L"Name", L"Qty"});

    REQUIRE(bound.Override0()->put_AllowColSwapping(hvAllowColSwappingNotAllowed) == S_OK);
    bound.Pump();
    const RECT none = SwapButtonRect(bound, L"Qty");
    CHECK(IsRectEmpty(&none));
}
