// The test control activated and painted in our container's visible window:
// its colour where the position rectangle puts it, the container's
// background around it, and nothing outside the clip rectangle.
#include "InPlaceTestSupport.h"
#include "ScreenPixels.h"

namespace {

// Shows the container window and lets every pending paint run.
void ShowAndPaint(HWND window)
{
    ShowWindow(window, SW_SHOWNORMAL);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
}

} // namespace

TEST_CASE("An empty control activated in our container window paints its colour at its position")
{
    HostedControl hosted;   // at 100, 50 - 300, 150 of a 400 x 300 window
    REQUIRE(hosted.host.Activate() == S_OK);
    ShowAndPaint(hosted.window.Hwnd());

    const COLORREF colour = hosted.control->PaintColour();
    const COLORREF background = GetSysColor(COLOR_BTNFACE);
    REQUIRE(colour != background);
    ScreenPixels shot(hosted.window.Hwnd());
    struct Point {
        int x, y;
        bool inside;
    };
    const Point points[] = {{100, 50, true}, {200, 100, true}, {299, 149, true}, {99, 100, false},
                            {300, 100, false}, {200, 49, false}, {200, 150, false}, {10, 10, false}};
    for (const Point& p : points) {
        CAPTURE(p.x);
        CAPTURE(p.y);
        CHECK(shot.At(p.x, p.y) == (p.inside ? colour : background));
    }
}

TEST_CASE("A clip rectangle that cuts the control leaves the cut part to the container")
{
    hv::container::SiteOptions options;
    options.clip = RECT{200, 0, 400, 300};
    HostedControl hosted(options);
    REQUIRE(hosted.host.Activate() == S_OK);
    ShowAndPaint(hosted.window.Hwnd());

    ScreenPixels shot(hosted.window.Hwnd());
    CHECK(shot.At(150, 100) == GetSysColor(COLOR_BTNFACE));
    CHECK(shot.At(250, 100) == hosted.control->PaintColour());
}
