// The drag tracker over a stand-in operation and control, with the real
// input dispatcher routing the messages of a popup standing for the grid
// window: the drop guide at the drop edge, the quiet half of the target,
// the column scroll regions, release, Esc and cancel mode, the cursors, the
// no-image flag and the reference on the operation.
#include <doctest/doctest.h>

#include "DragTestWindow.h"
#include "DragTracker.h"
#include "HeaderDragHost.h"
#include "HeaderDragOperation.h"
#include "HvDragEffectWnd.h"
#include "HvDropGuideWnd.h"
#include "HvSelectableItem.h"
#include "InputDispatcher.h"

#include <vector>

namespace {

// Stands for the header object of a target.
struct FakeHeaderObject : HvSelectableItem {
    HvKeyedItem* KeyedItem() override { return nullptr; }
    void SetSelected(bool) override {}
    bool IsSelected() override { return false; }
    SelectionBandSeam* OwnerBand() override { return nullptr; }
    SelectionLayoutSeam* Layout() override { return nullptr; }
    SelectionControlSeam* GridControl() override { return nullptr; }
    HvSelectableItem* RowItem() override { return nullptr; }
    bool MayActivate() override { return false; }
    LONG Activate(bool, LONG, LONG) override { return 0; }
    void EnterEditMode() override {}
    HvSelectableItem* GetCell(HvSelectableItem*) override { return nullptr; }
};

int g_liveOperations = 0;

// Targets are scripted rectangles of grid client pixels.
struct FakeOperation final : HeaderDragOperation {
    struct Spot {
        RECT rect;
        HvSelectableItem* object;
    };
    FakeOperation() : HeaderDragOperation(nullptr, nullptr) { ++g_liveOperations; }
    ~FakeOperation() override { --g_liveOperations; }

    bool Begin(HvColumnGroupImpl*) override { return true; }
    bool FindTarget(POINT point, HeaderDragTarget* target, RECT* rectangle) override
    {
        ++searches;
        for (const Spot& spot : spots) {
            if (PtInRect(&spot.rect, point)) {
                target->object = spot.object;
                *rectangle = spot.rect;
                return true;
            }
        }
        return false;
    }
    bool CanDrop(POINT, HeaderDragTarget*, RECT*) override { return canDrop; }
    bool PerformMove(POINT point, HeaderDragTarget*, RECT*) override
    {
        moves.push_back(point);
        return true;
    }
    void CollectItems(HvColumnGroupImpl*) override {}
    bool AcceptsObject(HvSelectableItem*) override { return true; }
    bool ItemCanDropAt(HvColumnGroupImpl*, const HeaderDragTarget&, POINT) override { return true; }

    std::vector<Spot> spots;
    bool canDrop = true;
    int searches = 0;
    std::vector<POINT> moves;
};

struct FakeHost final : HeaderDragHost, InputDispatcherHost {
    // HeaderDragHost
    HvSelectableItem* ObjectFromPoint(POINT, RECT*) override { return nullptr; }
    bool HeaderElementAt(POINT, DragHeaderElement* element) override
    {
        *element = header;
        return hasHeader;
    }
    bool BandHeadersAt(POINT, DragBandHeaders*) override { return false; }
    bool HasColScrollRegions() override { return regionRight > regionLeft; }
    IHvColScrollRegion* ColScrollRegionAt(LONG x) override
    {
        return x >= regionLeft && x <= regionRight ? reinterpret_cast<IHvColScrollRegion*>(this) : nullptr;
    }
    void ArmAutoScroll(int, int, bool noRows) override
    {
        ++arms;
        armedWithRows = armedWithRows || !noRows;
    }
    void DisarmAutoScroll() override { ++disarms; }
    void PrepareDragImage(HvColumnGroupImpl*, CDragTracker&, bool) override {}
    bool IsDesignMode() override { return false; }
    bool CanFireEvents() override { return true; }
    IUnknown* ControlUnknown() override { return nullptr; }
    bool FireBeforeColPosChanged(Constants_PosChanged, IHvSelectedCols*) override { return false; }
    void FireAfterColPosChanged(Constants_PosChanged, IHvSelectedCols*) override {}
    bool FireBeforeGroupPosChanged(Constants_PosChanged, IHvGroups*) override { return false; }
    void FireAfterGroupPosChanged(Constants_PosChanged, IHvGroups*) override {}
    void HeadersMoved() override {}
    // InputDispatcherHost
    CControlBase* InputControl() override { return nullptr; }
    HWND GetGridWindow() override { return grid; }
    bool ActiveCellHasMaskEngine() override { return false; }
    HWND GetDropDownCalendar() override { return nullptr; }
    bool IsPointInGridArea(int, int) override { return true; }

    HWND grid = nullptr;
    DragHeaderElement header;
    bool hasHeader = false;
    LONG regionLeft = 0;
    LONG regionRight = 0;
    int arms = 0;
    int disarms = 0;
    bool armedWithRows = false;
};

// The grid popup's client area starts at screen (100, 100).
struct Fixture {
    Fixture() : window(100, 100, 300, 200), dispatcher(host), tracker(&host, &dispatcher)
    {
        host.grid = window.Hwnd();
        operation = new FakeOperation;
        operation->spots.push_back({RECT{50, 10, 130, 30}, nullptr});
    }
    ~Fixture()
    {
        if (operation)
            operation->Release();
    }
    void Begin()
    {
        tracker.SetOperation(operation, false, window.Hwnd());
        tracker.Start();
    }
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam, bool* handled = nullptr)
    {
        bool ignored = false;
        return dispatcher.FilterMessage(message, &wParam, &lParam, handled ? handled : &ignored);
    }
    void Move(int x, int y) { Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
    void Release(int x, int y) { Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
    bool GuideShown() const { return IsWindowVisible(tracker.DropGuide()->Window()) != FALSE; }
    RECT GuideRect() const
    {
        RECT rect{};
        GetWindowRect(tracker.DropGuide()->Window(), &rect);
        return rect;
    }

    DragTestWindow window;
    FakeHost host;
    InputDispatcher dispatcher;
    CDragTracker tracker;
    FakeOperation* operation = nullptr;
};

} // namespace

TEST_CASE("the guide marks the drop edge and the quiet half spares the search")
{
    Fixture f;
    f.Begin();
    CHECK(f.tracker.IsRegistered());
    CHECK(f.dispatcher.HasCapture());
    CHECK(f.tracker.GetCursorState() == CDragTracker::CursorTarget);

    f.Move(110, 20); // right half: after the target, anchor (130, 10)
    REQUIRE(f.GuideShown());
    CHECK(f.GuideRect().left == 100 + 130 - 4);
    CHECK(f.GuideRect().top == 100 + 10 - 12);
    CHECK(f.GuideRect().bottom - f.GuideRect().top == 20 + 24);
    const RECT quiet = f.tracker.QuietRect();
    CHECK(quiet.left == 90);
    CHECK(quiet.right == 130);
    CHECK(f.host.arms == 1);
    CHECK_FALSE(f.host.armedWithRows);

    const int searches = f.operation->searches;
    f.Move(120, 25); // inside the quiet half: no search, the guide stays
    CHECK(f.operation->searches == searches);
    CHECK(f.GuideRect().left == 226);
    CHECK(f.host.arms == 1);

    f.Move(60, 20); // left half: before the target, anchor (50, 10)
    CHECK(f.GuideRect().left == 146);
    CHECK(f.tracker.QuietRect().right == 90);

    f.Move(250, 150); // nothing there
    CHECK(f.tracker.GetCursorState() == CDragTracker::CursorNoTarget);
    CHECK_FALSE(f.GuideShown());
    CHECK(IsRectEmpty(&f.tracker.QuietRect()));

    f.Move(60, 20);
    f.Release(60, 20);
    REQUIRE(f.operation->moves.size() == 1);
    CHECK(f.operation->moves[0].x == 60);
    CHECK_FALSE(f.tracker.IsRegistered());
    CHECK_FALSE(f.dispatcher.HasCapture());
    CHECK_FALSE(f.GuideShown());
    CHECK(f.tracker.GetCursorState() == CDragTracker::CursorNone);
    CHECK(f.host.disarms == 1);
}

TEST_CASE("a release that finds no valid drop moves nothing")
{
    struct Case {
        const char* name;
        int x;
        bool canDrop;
    };
    const Case cases[] = {{"no target under the point", 250, true}, {"a drop that changes nothing", 60, false}};
    for (const Case& c : cases) {
        CAPTURE(c.name);
        Fixture f;
        f.operation->canDrop = c.canDrop;
        f.Begin();
        f.Move(c.x, 20);
        f.Release(c.x, 20);
        CHECK(f.operation->moves.empty());
        CHECK_FALSE(f.tracker.IsRegistered());
    }
}

TEST_CASE("Esc and cancel mode end the drag: windows hidden, cursor restored, no move")
{
    for (UINT message : {UINT(WM_KEYDOWN), UINT(WM_CANCELMODE)}) {
        CAPTURE(message);
        Fixture f;
        HCURSOR before = LoadCursorW(nullptr, MAKEINTRESOURCEW(32513)); // I-beam
        SetCursor(before);
        f.Begin();
        CHECK(GetCursor() == LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
        f.Move(250, 150);
        CHECK(GetCursor() == LoadCursorW(nullptr, MAKEINTRESOURCEW(32648)));
        CHECK(f.tracker.OnSetCursor(f.window.Hwnd(), HTCLIENT, WM_MOUSEMOVE) != 0);
        f.Move(110, 20);
        REQUIRE(f.GuideShown());

        bool handled = false;
        f.Send(message, message == WM_KEYDOWN ? VK_ESCAPE : 0, 0, &handled);
        CHECK(handled == (message == WM_KEYDOWN));
        CHECK_FALSE(f.GuideShown());
        CHECK_FALSE(IsWindowVisible(f.tracker.EffectWindow()->Window()));
        CHECK(GetCursor() == before);
        CHECK(f.tracker.OnSetCursor(f.window.Hwnd(), HTCLIENT, WM_MOUSEMOVE) == 0);
        CHECK_FALSE(f.tracker.IsRegistered());
        f.Release(110, 20); // nobody listens any more
        CHECK(f.operation->moves.empty());
    }
}

TEST_CASE("other keys are left to the grid")
{
    Fixture f;
    f.Begin();
    bool handled = false;
    f.Send(WM_KEYDOWN, VK_RIGHT, 0, &handled);
    CHECK_FALSE(handled);
    CHECK(f.tracker.IsRegistered());
    f.tracker.End();
}

TEST_CASE("a drop edge outside every column scroll region hides the guide")
{
    Fixture f;
    FakeHeaderObject header;
    f.operation->spots[0].object = &header;
    f.host.hasHeader = true;
    f.host.header.clipped = RECT{50, 10, 130, 30};
    f.host.header.whole = true;
    f.host.regionLeft = 0;
    f.host.regionRight = 100;
    f.Begin();
    f.Move(60, 20); // anchor x 50: inside the region
    CHECK(f.GuideShown());
    f.Move(110, 20); // anchor x 130: beyond it
    CHECK_FALSE(f.GuideShown());
    CHECK(f.tracker.GetCursorState() == CDragTracker::CursorTarget);
    f.tracker.End();
}

TEST_CASE("a clipped header shows the guide only when the drop edge is in sight")
{
    Fixture f;
    FakeHeaderObject header;
    f.operation->spots[0].object = &header;
    f.host.hasHeader = true;
    f.host.header.clipped = RECT{50, 10, 100, 30}; // the right part is scrolled away
    f.host.header.whole = false;
    f.Begin();
    f.Move(60, 20);
    CHECK(f.GuideShown());
    f.Move(120, 20);
    CHECK_FALSE(f.GuideShown());
    f.tracker.End();
}

TEST_CASE("the no-image flag hands out no effect window device context")
{
    Fixture f;
    f.tracker.SetOperation(f.operation, true, f.window.Hwnd());
    CHECK(f.tracker.GetEffectWindowDC() == nullptr);
    f.tracker.Start();
    CHECK(f.tracker.EffectWindow()->Width() == 0);
    f.tracker.End();
    f.tracker.SetOperation(f.operation, false, f.window.Hwnd());
    HDC dc = f.tracker.GetEffectWindowDC();
    CHECK(dc != nullptr);
    CHECK(dc == f.tracker.GetEffectWindowDC()); // the class's own context
}

TEST_CASE("the tracker holds the operation until the next drag or its own end")
{
    Fixture f;
    REQUIRE(g_liveOperations == 1);
    f.Begin();
    f.operation->Release(); // the header code lets go at once
    f.operation = nullptr;
    f.tracker.End();
    CHECK(g_liveOperations == 1);
    auto* next = new FakeOperation;
    f.tracker.SetOperation(next, false, f.window.Hwnd());
    next->Release();
    CHECK(g_liveOperations == 1);
    CHECK(f.tracker.Operation() == next);
}
