// Placement of tips inside the work area.
#include "TipPlacement.h"

#include <doctest/doctest.h>

namespace {

bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

doctest::String Show(const RECT& r)
{
    char text[80];
    wsprintfA(text, "{%ld,%ld,%ld,%ld}", r.left, r.top, r.right, r.bottom);
    return text;
}

} // namespace

TEST_CASE("tip placement: inside the area and clear of the avoided rectangle")
{
    const RECT area = {0, 0, 1000, 800};
    const RECT cell = {400, 300, 600, 320};
    struct Case {
        const char* name;
        RECT tip;
        bool avoidH, avoidV, keepH, keepV;
        RECT expected;
    };
    const Case cases[] = {
        {"inside: unchanged", {100, 100, 200, 120}, false, false, false, false, {100, 100, 200, 120}},
        {"crossing the right edge ends at it", {950, 100, 1100, 120}, false, false, false, false,
         {850, 100, 1000, 120}},
        {"crossing the left edge starts at it", {-30, 100, 70, 120}, false, false, false, false,
         {0, 100, 100, 120}},
        {"wider than the area starts at the left edge", {-50, 100, 1200, 120}, false, false, false, false,
         {0, 100, 1250, 120}},
        {"crossing the bottom ends at it", {100, 790, 200, 810}, false, false, false, false, {100, 780, 200, 800}},
        {"kept horizontal position", {950, 790, 1100, 810}, false, false, true, false, {950, 780, 1100, 800}},
        {"kept vertical position", {950, 790, 1100, 810}, false, false, false, true, {850, 790, 1000, 810}},
        {"from the left, pushed onto the cell, goes past its right", {380, 305, 580, 315}, true, false, false,
         false, {600, 305, 800, 315}},
        {"from inside the cell goes before its left", {450, 305, 650, 315}, true, false, false, false,
         {200, 305, 400, 315}},
        {"clear of the cell: unchanged", {100, 305, 300, 315}, true, false, false, false, {100, 305, 300, 315}},
        {"avoiding vertically from above goes below", {450, 290, 550, 310}, false, true, false, false,
         {450, 320, 550, 340}},
        {"avoiding vertically from inside goes above", {450, 310, 550, 330}, false, true, false, false,
         {450, 280, 550, 300}},
        {"avoiding off: may cover the cell", {450, 305, 550, 315}, false, false, false, false,
         {450, 305, 550, 315}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        RECT tip = c.tip;
        FitRectToArea(&tip, area, &cell, c.avoidH, c.avoidV, c.keepH, c.keepV);
        CHECK_MESSAGE(tip == c.expected, Show(tip));
    }
}

TEST_CASE("tip placement: the work area of the monitor under the cursor")
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    const RECT area = WorkAreaAtPoint(cursor);
    REQUIRE(area.right > area.left);
    RECT tip = {area.right - 10, area.top + 5, area.right + 90, area.top + 25};
    FitRectToWorkArea(&tip, nullptr, false, false, false, false);
    CHECK(tip.right == area.right);
    CHECK(tip.left == area.right - 100);
    FitRectToWorkArea(nullptr, nullptr, false, false, false, false);
}
