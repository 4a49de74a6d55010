// The drag feedback windows as real popups: the drop guide's double-arrow
// region, its size and placement and its red paint read back from the
// screen; the drag effect window's position above the cursor, its image and
// the class it registers and gives back.
#include <doctest/doctest.h>

#include "DragTestWindow.h"
#include "HvDragEffectWnd.h"
#include "HvDropGuideWnd.h"

namespace {

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool InWindowRegion(HWND window, int x, int y)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool has = GetWindowRgn(window, region) != ERROR;
    const bool inside = has && PtInRegion(region, x, y);
    DeleteObject(region);
    return inside;
}

HBITMAP SolidBitmap(int width, int height, COLORREF colour)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, width, height};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

} // namespace

TEST_CASE("the drop guide is a red double arrow whose tips touch the header's edges")
{
    HvDropGuideWnd guide;
    CHECK(guide.Width() == 30);
    CHECK(guide.Height() == 50);
    const RECT header{0, 0, 80, 20};
    guide.Place(POINT{100, 100}, header); // no window yet: nothing happens
    CHECK(guide.Window() == nullptr);

    REQUIRE(guide.Create() == S_OK);
    guide.Place(POINT{300, 200}, header);
    CHECK(IsWindowVisible(guide.Window()));
    CHECK(guide.Width() == 15);
    CHECK(guide.Height() == 44);
    const RECT placed = WindowRect(guide.Window());
    CHECK(placed.left == 296);
    CHECK(placed.top == 188);
    CHECK(placed.right - placed.left == 15);
    CHECK(placed.bottom - placed.top == 44);

    // Window coordinates: the down arrow's tip at (4, 12) is 12 above the
    // anchor, the up arrow's tip at (4, h + 11) on the header's bottom row.
    struct Case {
        int x, y;
        bool inside;
    };
    const Case cases[] = {{4, 1, true},  {4, 5, true},   {4, 8, true}, {12, 5, false}, {4, 20, false},
                          {4, 36, true}, {4, 42, true},  {8, 42, false}, {14, 30, false}};
    for (const Case& c : cases) {
        CAPTURE(c.x);
        CAPTURE(c.y);
        CHECK(InWindowRegion(guide.Window(), c.x, c.y) == c.inside);
    }
    CHECK(ScreenPixel(placed.left + 4, placed.top + 5, RGB(255, 0, 0)) == RGB(255, 0, 0));
    CHECK(ScreenPixel(placed.left + 4, placed.top + 40, RGB(255, 0, 0)) == RGB(255, 0, 0));

    guide.Hide();
    CHECK_FALSE(IsWindowVisible(guide.Window()));
}

TEST_CASE("the drop guide builds its region once per header height")
{
    HvDropGuideWnd guide;
    REQUIRE(guide.Create() == S_OK);
    guide.Place(POINT{200, 200}, RECT{0, 0, 50, 20});
    guide.Place(POINT{260, 200}, RECT{50, 0, 120, 20});
    CHECK(guide.ShapeBuilds() == 1);
    CHECK(WindowRect(guide.Window()).left == 256); // a visible guide moves
    guide.Place(POINT{260, 200}, RECT{50, 0, 120, 30});
    CHECK(guide.ShapeBuilds() == 2);
    CHECK(guide.Height() == 54);
}

TEST_CASE("the drag effect window floats its image centred above the point")
{
    WNDCLASSW info{};
    {
        HvDragEffectWnd effect;
        CHECK(effect.Width() == 0);
        effect.ShowAt(POINT{10, 10}); // no window: nothing happens
        REQUIRE(effect.Create());
        CHECK(GetClassInfoW(GetModuleHandleW(nullptr), L"HvDragEffectWnd", &info));
        effect.SetImage(SolidBitmap(40, 20, RGB(0, 0, 255)), 40, 20, nullptr);
        effect.ShowAt(POINT{400, 300});
        const RECT shown = WindowRect(effect.Window());
        CHECK(shown.left == 380);
        CHECK(shown.top == 280);
        CHECK(shown.right == 420);
        CHECK(shown.bottom == 300);
        CHECK(IsWindowVisible(effect.Window()));
        CHECK((GetWindowLongW(effect.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
        CHECK(ScreenPixel(400, 290, RGB(0, 0, 255)) == RGB(0, 0, 255));

        effect.MoveTo(POINT{501, 401}, true);
        const RECT moved = WindowRect(effect.Window());
        CHECK(moved.left == 481);
        CHECK(moved.top == 381);
        CHECK(ScreenPixel(490, 390, RGB(0, 0, 255)) == RGB(0, 0, 255));

        effect.ClearImage();
        CHECK(effect.Bitmap() == nullptr);
        CHECK(effect.Width() == 0);
        CHECK(effect.Height() == 0);
        effect.Hide();
        CHECK_FALSE(IsWindowVisible(effect.Window()));
    }
    // The class goes with the object that registered it.
    CHECK_FALSE(GetClassInfoW(GetModuleHandleW(nullptr), L"HvDragEffectWnd", &info));
}
