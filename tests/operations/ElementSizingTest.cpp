// Sizing a UI element with the mouse through the input dispatcher over a
// visible window: the change is held to the element's limits, Esc and a
// cancelled capture change nothing and restore the screen, and thin bars
// are inverted while thick ones take the checkerboard. The feedback is drawn
// on a white memory surface that stands for the screen, which the other
// programs on the desktop share.
#include "Canvas.h"
#include "DisplayFakes.h"

#include "ElementSizeOperation.h"
#include "HvUIElement.h"
#include "InputDispatcher.h"
#include "InputDispatcherHost.h"
#include "SizingHost.h"

#include <doctest/doctest.h>

#include <utility>
#include <vector>

namespace {

// A sizing element: the limits and bars it offers, and the changes it got.
class SizingElement final : public HvUIElement {
public:
    static SizingElement* Make(FakeLayout* layout) { return new SizingElement(layout); }
    void GetAdjustmentRange(AdjustmentRange& out) override { out = range; }
    void ApplyAdjustment(int horizontal, int vertical) override { applied.emplace_back(horizontal, vertical); }
    HCURSOR GetAdjustCursor() override { return cursor; }

    AdjustmentRange range;
    HCURSOR cursor = nullptr;
    std::vector<std::pair<int, int>> applied;

private:
    explicit SizingElement(FakeLayout* layout) : HvUIElement(layout, nullptr, RECT{0, 0, 200, 100}, 5000) {}
};

// A white surface the size of the screen that the sizing draws its
// feedback on in place of the screen, for as long as it lives.
class FeedbackSurface {
public:
    FeedbackSurface() : canvas_(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), RGB(255, 255, 255))
    {
        ElementSizeOperation::SetFeedbackSurface(canvas_.Dc());
    }
    ~FeedbackSurface() { ElementSizeOperation::SetFeedbackSurface(nullptr); }
    FeedbackSurface(const FeedbackSurface&) = delete;
    FeedbackSurface& operator=(const FeedbackSurface&) = delete;

    // The colour at a screen point; CLR_INVALID off the screen.
    COLORREF At(POINT point) const
    {
        if (point.x < 0 || point.y < 0 || point.x >= canvas_.Width() || point.y >= canvas_.Height())
            return CLR_INVALID;
        return canvas_.At(point.x, point.y);
    }

private:
    Canvas canvas_;
};

// A plain white top-level window that stands for the grid window.
class GridWindow {
public:
    GridWindow()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = L"HvSizingTestGrid";
        RegisterClassW(&wc);
        window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 40, 40, 200, 100,
                                 nullptr, nullptr, wc.hInstance, nullptr);
        UpdateWindow(window);
    }
    ~GridWindow() { DestroyWindow(window); }
    GridWindow(const GridWindow&) = delete;
    GridWindow& operator=(const GridWindow&) = delete;

    // The feedback surface's colour at a grid client point.
    COLORREF Pixel(int x, int y)
    {
        POINT point{x, y};
        ClientToScreen(window, &point);
        return surface.At(point);
    }

    FeedbackSurface surface;
    HWND window = nullptr;
};

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;

struct Fixture final : InputDispatcherHost, SizingHost {
    Fixture() : dispatcher(*this)
    {
        layout.control.window = grid.window;
        element = SizingElement::Make(&layout);
        // A column width: shrink 30, grow 50, a 2-pixel bar at x 100..102.
        element->range.limits[2] = 30;
        element->range.limits[3] = 50;
        element->range.horizontal = RECT{100, 0, 102, 100};
    }
    ~Fixture() { element->Release(); }

    // InputDispatcherHost
    CControlBase* InputControl() override { return nullptr; }
    HWND GetGridWindow() override { return grid.window; }
    bool ActiveCellHasMaskEngine() override { return false; }
    HWND GetDropDownCalendar() override { return nullptr; }
    bool IsPointInGridArea(int, int) override { return true; }
    // SizingHost
    InputDispatcher* SizingDispatcher() override { return hasDispatcher ? &dispatcher : nullptr; }

    bool Start(int x, int y)
    {
        operation = nullptr;
        return StartElementSizing(*this, element, POINT{x, y}, &operation);
    }
    LRESULT Mouse(UINT message, int x, int y)
    {
        WPARAM wParam = message == WM_MOUSEMOVE ? MK_LBUTTON : 0;
        LPARAM lParam = MAKELPARAM(x, y);
        bool handled = false;
        return dispatcher.FilterMessage(message, &wParam, &lParam, &handled);
    }
    bool Key(WPARAM key)
    {
        LPARAM lParam = 1;
        bool handled = false;
        dispatcher.FilterMessage(WM_KEYDOWN, &key, &lParam, &handled);
        return handled;
    }

    GridWindow grid;
    FakeLayout layout;
    InputDispatcher dispatcher;
    SizingElement* element = nullptr;
    ElementSizeOperation* operation = nullptr;
    bool hasDispatcher = true;
};

} // namespace

TEST_CASE("a drag hands the element the change held to its limits")
{
    struct Case {
        const char* name;
        int releaseX;
        int releaseY;
        std::pair<int, int> applied;
    };
    const Case cases[] = {
        {"within the limits", 120, 50, {20, 0}},
        {"beyond the grow limit", 400, 50, {50, 0}},
        {"beyond the shrink limit", 10, 50, {-30, 0}},
        {"back at the start point", 100, 50, {0, 0}},
        {"a vertical move of a width", 100, 90, {0, 0}},
    };
    for (const Case& test : cases) {
        CAPTURE(test.name);
        Fixture f;
        REQUIRE(f.Start(100, 50));
        CHECK(f.dispatcher.HasCapture());
        CHECK(GetCapture() == f.grid.window);
        f.Mouse(WM_MOUSEMOVE, test.releaseX, test.releaseY);
        f.Mouse(WM_LBUTTONUP, test.releaseX, test.releaseY);
        REQUIRE(f.element->applied.size() == 1);
        CHECK(f.element->applied[0] == test.applied);
        CHECK_FALSE(f.dispatcher.HasCapture());
        CHECK(f.dispatcher.UnionMask() == 0);
        CHECK(GetCapture() != f.grid.window);
    }
}

TEST_CASE("a zero limit stops the bar at the start and the feedback follows only changes")
{
    Fixture f;
    f.element->range.limits[2] = 0;
    REQUIRE(f.Start(100, 50));
    CHECK(f.operation->SizesHorizontally());
    CHECK_FALSE(f.operation->SizesVertically());
    CHECK(f.operation->HorizontalFeedback().left == 100);
    f.Mouse(WM_MOUSEMOVE, 60, 50);
    CHECK(f.operation->HorizontalFeedback().left == 100);
    f.Mouse(WM_MOUSEMOVE, 130, 50);
    CHECK(f.operation->HorizontalFeedback().left == 130);
    // Only vertical: the bar stays where it is.
    f.Mouse(WM_MOUSEMOVE, 130, 80);
    CHECK(f.operation->HorizontalFeedback().left == 130);
    CHECK(IsRectEmpty(&f.operation->VerticalFeedback()));
    f.Mouse(WM_LBUTTONUP, 60, 50);
    REQUIRE(f.element->applied.size() == 1);
    CHECK(f.element->applied[0] == std::pair{0, 0});
}

TEST_CASE("a row height sizes vertically with a patterned bar and both directions at once")
{
    Fixture f;
    f.element->range.limits[0] = 10;
    f.element->range.limits[1] = 20;
    f.element->range.vertical = RECT{0, 40, 200, 44};
    REQUIRE(f.Start(100, 42));
    CHECK(f.operation->SizesVertically());
    CHECK(f.operation->IsVerticalPatterned());
    CHECK_FALSE(f.operation->IsHorizontalPatterned());
    f.Mouse(WM_MOUSEMOVE, 110, 0);
    CHECK(f.operation->VerticalFeedback().top == 30);
    f.Mouse(WM_LBUTTONUP, 110, 100);
    REQUIRE(f.element->applied.size() == 1);
    CHECK(f.element->applied[0] == std::pair{10, 20});
}

TEST_CASE("Esc and a cancelled capture end the sizing without a change and restore the screen")
{
    for (const bool byEscape : {true, false}) {
        CAPTURE(byEscape);
        Fixture f;
        f.element->range.limits[0] = 10;
        f.element->range.limits[1] = 20;
        f.element->range.vertical = RECT{0, 40, 200, 44};
        REQUIRE(f.grid.Pixel(101, 60) == kWhite);
        REQUIRE(f.Start(100, 42));
        f.Mouse(WM_MOUSEMOVE, 120, 60);
        // The thin bar is inverted, the thick one patterned: both show.
        CHECK(f.grid.Pixel(121, 10) == kBlack);
        CHECK(f.grid.Pixel(50, 60) == kBlack);
        CHECK(f.grid.Pixel(51, 60) == kWhite);
        if (byEscape) {
            CHECK_FALSE(f.Key('A'));
            CHECK(f.Key(VK_ESCAPE));
        } else {
            f.Mouse(WM_CANCELMODE, 0, 0);
        }
        CHECK(f.element->applied.empty());
        CHECK_FALSE(f.dispatcher.HasCapture());
        CHECK(f.dispatcher.UnionMask() == 0);
        CHECK(f.grid.Pixel(121, 10) == kWhite);
        CHECK(f.grid.Pixel(50, 60) == kWhite);
        CHECK(f.grid.Pixel(51, 60) == kWhite);
        // Later input reaches nobody.
        f.Mouse(WM_LBUTTONUP, 120, 60);
        CHECK(f.element->applied.empty());
    }
}

TEST_CASE("sizing does not start without a way to show it or a direction to size")
{
    struct Case {
        const char* name;
        void (*arrange)(Fixture&);
    };
    const Case cases[] = {
        {"no direction", [](Fixture& f) { f.element->range = AdjustmentRange{}; }},
        {"limits without a bar", [](Fixture& f) { SetRectEmpty(&f.element->range.horizontal); }},
        {"no dispatcher", [](Fixture& f) { f.hasDispatcher = false; }},
        {"hidden grid window", [](Fixture& f) { ShowWindow(f.grid.window, SW_HIDE); }},
        {"element without control", [](Fixture& f) { f.layout.hasControl = false; }},
        {"dead element", [](Fixture& f) { CAutomationObject::Deactivate(f.element); }},
    };
    for (const Case& test : cases) {
        CAPTURE(test.name);
        Fixture f;
        test.arrange(f);
        CHECK_FALSE(f.Start(100, 50));
        CHECK(f.operation == nullptr);
        CHECK_FALSE(f.dispatcher.HasCapture());
    }
}

TEST_CASE("the sizing cursor is set while the sizing runs, and an element that died is not told")
{
    Fixture f;
    f.element->cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32644));  // IDC_SIZEWE
    REQUIRE(f.Start(100, 50));
    WPARAM wParam = reinterpret_cast<WPARAM>(f.grid.window);
    LPARAM lParam = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    bool handled = false;
    CHECK(f.dispatcher.FilterMessage(WM_SETCURSOR, &wParam, &lParam, &handled) == 1);
    CHECK(handled);
    CHECK(GetCursor() == f.element->cursor);
    f.Mouse(WM_MOUSEMOVE, 120, 50);
    CAutomationObject::Deactivate(f.element);
    f.Mouse(WM_LBUTTONUP, 120, 50);
    CHECK(f.element->applied.empty());
    CHECK_FALSE(f.dispatcher.HasCapture());
}
