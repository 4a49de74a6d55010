// The scroll-bar window: the cache while there is no window, the subclass
// (focus to the grid, no painting while Redraw is off, mouse moves passed
// on), taking over and destroying, and reflected scroll messages.
#include "ScrollBar.h"

#include <doctest/doctest.h>

namespace {

class RecordingOwner final : public ScrollBarOwner {
public:
    bool CanScroll() override { return canScroll; }
    void OnScroll(CScrollBar* bar, WPARAM wParam, int notify, int) override
    {
        lastBar = bar;
        lastCode = LOWORD(wParam);
        lastNotify = notify;
        ++scrolls;
    }
    bool canScroll = true;
    CScrollBar* lastBar = nullptr;
    int lastCode = -1;
    int lastNotify = 0;
    int scrolls = 0;
};

HWND g_redrawOffGrid = nullptr;

bool RedrawOff(HWND grid)
{
    return grid == g_redrawOffGrid;
}

// A visible top-level window standing for the grid window.
struct GridWindow {
    GridWindow()
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"DisplayTestGrid";
        RegisterClassW(&windowClass);
        window = CreateWindowExW(0, L"DisplayTestGrid", L"grid", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                                 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(window);
        SetFocus(window);
        Pump();
    }
    ~GridWindow()
    {
        DestroyWindow(window);
        g_redrawOffGrid = nullptr;
        CScrollBar::SetRedrawOffQuery(nullptr);
    }
    static void Pump()
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    HWND window = nullptr;
};

} // namespace

TEST_CASE("without a window the bar keeps its scroll information")
{
    CScrollBar bar(true, false, nullptr);
    SCROLLINFO info = {};
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = 100;
    info.nPage = 10;
    info.nPos = 42;
    CHECK(bar.SetScrollInfo(info, true) == 42);
    SCROLLINFO read = {};
    read.fMask = SIF_ALL;
    REQUIRE(bar.GetScrollInfo(read));
    CHECK(read.cbSize == sizeof(SCROLLINFO));
    CHECK(read.nPos == 42);
    CHECK(read.nTrackPos == 42);
    CHECK(read.nMax == 100);
    CHECK(read.nPage == 10u);
    SCROLLINFO nothing = {};
    CHECK_FALSE(bar.GetScrollInfo(nothing));
    info.fMask = SIF_DISABLENOSCROLL;
    bar.SetScrollInfo(info, false);
    CHECK(bar.DisablesWhenNotNeeded());
    CHECK_FALSE(bar.IsWindowValid());
    bar.Show(SW_SHOW);
    bar.Destroy();
}

TEST_CASE("the window: made once under its parent, filled by the region, moved")
{
    GridWindow grid;
    CScrollBar bar(false, false, nullptr);
    SCROLLINFO info = {sizeof info, SIF_POS | SIF_RANGE, 0, 50, 0, 7, 0};
    bar.SetScrollInfo(info, false);
    const RECT place = {0, 180, 280, 196};
    REQUIRE(bar.Create(grid.window, &place));
    REQUIRE(bar.IsWindowValid());
    CHECK(CScrollBar::FromWindow(bar.Window()) == &bar);
    CHECK(GetParent(bar.Window()) == grid.window);
    CHECK((GetWindowLongW(bar.Window(), GWL_STYLE) & SBS_VERT) == 0);
    // The cache is not copied into the new window.
    SCROLLINFO read = {sizeof read, SIF_POS, 0, 0, 0, 0, 0};
    REQUIRE(bar.GetScrollInfo(read));
    CHECK(read.nPos == 0);
    // Through the window the position is kept to the range.
    info.nPos = 80;
    CHECK(bar.SetScrollInfo(info, true) == 50);

    const RECT moved = {0, 100, 200, 116};
    CHECK(bar.Create(grid.window, &moved));
    RECT now;
    GetWindowRect(bar.Window(), &now);
    MapWindowPoints(nullptr, grid.window, reinterpret_cast<POINT*>(&now), 2);
    CHECK(now.top == 100);
    CHECK(now.right == 200);
    CHECK_FALSE(bar.Create(GetDesktopWindow(), nullptr));
    bar.Destroy();
    CHECK_FALSE(bar.IsWindowValid());
}

TEST_CASE("the focus goes back to the grid window")
{
    GridWindow grid;
    CScrollBar bar(true, true, nullptr);
    const RECT place = {280, 0, 296, 180};
    REQUIRE(bar.Create(grid.window, &place));
    bar.Show(SW_SHOW);
    SetFocus(bar.Window());
    GridWindow::Pump();
    CHECK(GetFocus() == grid.window);
}

TEST_CASE("with Redraw off the bar is never painted and its invalid area is validated")
{
    GridWindow grid;
    CScrollBar bar(true, false, nullptr);
    const RECT place = {280, 0, 296, 180};
    REQUIRE(bar.Create(grid.window, &place));
    bar.Show(SW_SHOW);
    GridWindow::Pump();
    CScrollBar::SetRedrawOffQuery(RedrawOff);
    g_redrawOffGrid = grid.window;
    InvalidateRect(bar.Window(), nullptr, TRUE);
    CHECK(SendMessageW(bar.Window(), WM_PAINT, 0, 0) == 1);
    RECT update;
    CHECK_FALSE(GetUpdateRect(bar.Window(), &update, FALSE));
    SCROLLINFO info = {sizeof info, SIF_POS | SIF_RANGE, 0, 10, 0, 5, 0};
    CHECK(bar.SetScrollInfo(info, true) == 5);
    CHECK_FALSE(GetUpdateRect(bar.Window(), &update, FALSE));
}

TEST_CASE("mouse moves over the bar reach the grid in its coordinates")
{
    GridWindow grid;
    CScrollBar bar(true, false, nullptr);
    const RECT place = {280, 10, 296, 180};
    REQUIRE(bar.Create(grid.window, &place));
    GridWindow::Pump();
    SendMessageW(bar.Window(), WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(3, 4));
    MSG message;
    REQUIRE(PeekMessageW(&message, grid.window, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
    CHECK(message.wParam == static_cast<WPARAM>(MK_SHIFT));
    CHECK(LOWORD(message.lParam) == 283);
    CHECK(HIWORD(message.lParam) == 14);
}

TEST_CASE("a window taken over by another bar is left to it")
{
    GridWindow grid;
    auto* first = new CScrollBar(true, false, nullptr);
    const RECT place = {280, 0, 296, 180};
    REQUIRE(first->Create(grid.window, &place));
    HWND window = first->Window();
    CScrollBar second(true, false, nullptr);
    SetPropW(window, L"CScrollBar", &second);
    first->Destroy();
    CHECK(IsWindow(window));
    // The first bar's end leaves the taken-over window working.
    delete first;
    CHECK(CScrollBar::FromWindow(window) == &second);
    SetPropW(window, L"CScrollBar", nullptr);
    RemovePropW(window, L"CScrollBar");
}

TEST_CASE("a bar destroyed before its window leaves a window that still works")
{
    GridWindow grid;
    auto* bar = new CScrollBar(true, false, nullptr);
    const RECT place = {280, 0, 296, 180};
    REQUIRE(bar->Create(grid.window, &place));
    HWND window = bar->Window();
    delete bar;
    CHECK(CScrollBar::FromWindow(window) == nullptr);
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_POS, 0, 10, 0, 3, 0};
    CHECK(SetScrollInfo(window, SB_CTL, &info, FALSE) == 3);
    CHECK(DestroyWindow(window));
}

TEST_CASE("reflected scroll messages reach the owner when it can scroll")
{
    GridWindow grid;
    RecordingOwner owner;
    CScrollBar bar(false, false, &owner);
    const RECT place = {0, 180, 280, 196};
    REQUIRE(bar.Create(grid.window, &place));
    struct Case {
        UINT message;
        bool canScroll;
        int scrolls;
    };
    const Case cases[] = {{WM_HSCROLL, true, 1}, {WM_VSCROLL, true, 1}, {WM_HSCROLL, false, 0}, {WM_COMMAND, true, 0}};
    for (const Case& c : cases) {
        CAPTURE(c.message);
        owner.scrolls = 0;
        owner.canScroll = c.canScroll;
        CHECK(CScrollBar::ReflectScroll(c.message, MAKEWPARAM(SB_LINEDOWN, 0), bar.Window()) == 0);
        CHECK(owner.scrolls == c.scrolls);
    }
    owner.canScroll = true;
    CScrollBar::ReflectScroll(WM_HSCROLL, MAKEWPARAM(SB_PAGEUP, 0), bar.Window());
    CHECK(owner.lastBar == &bar);
    CHECK(owner.lastCode == SB_PAGEUP);
    CHECK(owner.lastNotify == 1);
    CHECK(CScrollBar::ReflectScroll(WM_HSCROLL, 0, grid.window) == 0);
}
