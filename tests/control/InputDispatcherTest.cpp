// The input dispatcher, message by message against the recorded calls of
// stand-in operations: registration ids, the capturing sink, masks, active
// rectangles, WM_CANCELMODE, the set-cursor walk, key sinks, the stock
// events, the focus-lost drop, the drop-down calendar, the cursor tracking
// thread and the mouse hook's users.
#include "ControlBaseTestSupport.h"

#include "InputDispatcher.h"
#include "StockEvents.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace doctest {
template <>
struct StringMaker<std::vector<std::string>> {
    static String convert(const std::vector<std::string>& lines)
    {
        std::string text = "{";
        for (const std::string& line : lines)
            text += " " + line;
        return (text + " }").c_str();
    }
};
} // namespace doctest

namespace {

std::vector<std::string> g_log;

std::string Point(const char* name, const char* what, UINT keys, int x, int y)
{
    return std::string(name) + ":" + what + "(" + std::to_string(keys) + "," + std::to_string(x) + "," +
           std::to_string(y) + ")";
}

// A mouse operation that records each call. handles: the messages it takes;
// onDown: run on a left press (to register or unregister during dispatch).
struct RecordingOp : InputOperation {
    explicit RecordingOp(const char* n) : name(n) {}
    LRESULT Record(const char* what, UINT keys, int x, int y, bool& handled)
    {
        g_log.push_back(Point(name, what, keys, x, y));
        if (handles)
            handled = true;
        return result;
    }
    LRESULT OnMouseMove(UINT k, int x, int y, bool& h) override { return Record("Move", k, x, y, h); }
    LRESULT OnLButtonDown(UINT k, int x, int y, bool& h) override
    {
        const LRESULT r = Record("LDown", k, x, y, h);
        if (onDown)
            onDown();
        return r;
    }
    LRESULT OnLButtonUp(UINT k, int x, int y, bool& h) override { return Record("LUp", k, x, y, h); }
    LRESULT OnRButtonDown(UINT k, int x, int y, bool& h) override { return Record("RDown", k, x, y, h); }
    LRESULT OnMouseWheel(int wheel, UINT k, int x, int y, bool& h) override
    {
        return Record(("Wheel" + std::to_string(wheel)).c_str(), k, x, y, h);
    }
    LRESULT OnMouseLeave(UINT k, int x, int y, bool& h) override { return Record("Leave", k, x, y, h); }
    LRESULT OnMouseHover(UINT k, int x, int y, bool& h) override { return Record("Hover", k, x, y, h); }
    LRESULT OnSetCursor(HWND, UINT hit, UINT message) override
    {
        g_log.push_back(std::string(name) + ":Cursor(" + std::to_string(hit) + "," + std::to_string(message) + ")");
        return cursor;
    }
    LRESULT CancelMode() override
    {
        g_log.push_back(std::string(name) + ":Cancel");
        return 0;
    }
    LRESULT OnCtrlKeyChange() override
    {
        g_log.push_back(std::string(name) + ":Ctrl");
        return 0;
    }
    LRESULT OnElementsRepositioned() override
    {
        g_log.push_back(std::string(name) + ":Repositioned");
        return 0;
    }
    bool GetActiveRect(RECT* rect) override
    {
        if (!hasRect)
            return false;
        *rect = activeRect;
        return true;
    }
    const char* name;
    bool handles = false;
    LRESULT result = 0;
    LRESULT cursor = 0;
    bool hasRect = false;
    RECT activeRect{};
    std::function<void()> onDown;
};

struct RecordingKeys : KeyMessageSink {
    explicit RecordingKeys(const char* n) : name(n) {}
    LRESULT Record(const char* what, WPARAM w, bool& handled)
    {
        g_log.push_back(std::string(name) + ":" + what + "(" + std::to_string(w) + ")");
        if (handles)
            handled = true;
        return 7;
    }
    LRESULT OnKeyDown(WPARAM w, LPARAM, bool& h) override { return Record("KeyDown", w, h); }
    LRESULT OnKeyUp(WPARAM w, LPARAM, bool& h) override { return Record("KeyUp", w, h); }
    LRESULT OnChar(WPARAM w, LPARAM, bool& h) override { return Record("Char", w, h); }
    LRESULT OnSysKeyDown(WPARAM w, LPARAM, bool& h) override { return Record("SysKeyDown", w, h); }
    const char* name;
    bool handles = false;
};

// The dispatcher's view of the control: a plain child window stands for
// the grid window.
struct FakeHost : InputDispatcherHost {
    CControlBase* InputControl() override { return control; }
    HWND GetGridWindow() override { return grid; }
    bool ActiveCellHasMaskEngine() override { return maskEngine; }
    HWND GetDropDownCalendar() override { return calendar; }
    bool IsPointInGridArea(int, int) override { return inGridArea.load(); }
    CControlBase* control = nullptr;
    HWND grid = nullptr;
    bool maskEngine = false;
    HWND calendar = nullptr;
    std::atomic<bool> inGridArea{false};
};

InputDispatcher* g_windowDispatcher = nullptr;
std::atomic<int> g_leaves{0};

// The grid window's procedure hands the messages that the tracking thread
// sends or posts to the dispatcher, as the control's window procedure does.
LRESULT CALLBACK GridProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == WM_MOUSELEAVE || message == WM_HV_CTRLKEYCHANGED) && g_windowDispatcher) {
        if (message == WM_MOUSELEAVE)
            ++g_leaves;
        bool handled = false;
        return g_windowDispatcher->FilterMessage(message, &wParam, &lParam, &handled);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeGridWindow(HWND parent)
{
    static const ATOM atom = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = GridProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"HvControlTestGrid";
        return RegisterClassW(&wc);
    }();
    (void)atom;
    return CreateWindowExW(0, L"HvControlTestGrid", L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 150, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// A window of our own with a grid child and a dispatcher over it.
struct Fixture {
    Fixture()
    {
        g_log.clear();
        host.grid = MakeGridWindow(window.Hwnd());
        REQUIRE(host.grid);
    }
    ~Fixture()
    {
        if (GetCapture())
            ReleaseCapture();
        DestroyWindow(host.grid);
    }
    LRESULT Send(UINT message, WPARAM wParam, int x, int y, bool* handled = nullptr)
    {
        LPARAM lParam = MAKELPARAM(x, y);
        bool h = false;
        const LRESULT result = dispatcher.FilterMessage(message, &wParam, &lParam, &h);
        if (handled)
            *handled = h;
        return result;
    }
    hv::container::ContainerWindow window{400, 300};
    FakeHost host;
    InputDispatcher dispatcher{host};
};

using Log = std::vector<std::string>;

// Pumps messages until done holds or the time runs out.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= milliseconds)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - spent, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

// The cursor position the tracking threads read while a CursorAt lives, in
// place of the real pointer, which other programs on the desktop share.
std::atomic<LONG> g_cursorX{0};
std::atomic<LONG> g_cursorY{0};

bool ReadTestCursor(POINT& cursor)
{
    cursor.x = g_cursorX.load();
    cursor.y = g_cursorY.load();
    return true;
}

struct CursorAt {
    CursorAt() { InputDispatcher::SetCursorReader(&ReadTestCursor); }
    ~CursorAt() { InputDispatcher::SetCursorReader(nullptr); }
    CursorAt(const CursorAt&) = delete;
    CursorAt& operator=(const CursorAt&) = delete;
    void Place(LONG x, LONG y)
    {
        g_cursorX = x;
        g_cursorY = y;
    }
};

} // namespace

TEST_CASE("Message mask bits")
{
    struct Case {
        UINT message;
        std::uint32_t bit;
    };
    const Case cases[] = {{WM_MOUSEMOVE, 0x1},      {WM_LBUTTONDOWN, 0x2},    {WM_LBUTTONUP, 0x4},
                          {WM_LBUTTONDBLCLK, 0x8},  {WM_RBUTTONDOWN, 0x10},   {WM_MBUTTONDBLCLK, 0x200},
                          {WM_MOUSEWHEEL, 0x400},   {WM_SETCURSOR, 0x800},    {WM_MOUSEHOVER, 0x4000},
                          {WM_MOUSELEAVE, 0x8000},  {1478, 0x10000},          {1479, 0x20000},
                          {WM_KEYDOWN, 0x1},        {WM_CHAR, 0x4},           {WM_SYSKEYDOWN, 0x10},
                          {WM_SYSDEADCHAR, 0x80},   {WM_CANCELMODE, 0x80000000u}};
    for (const Case& c : cases) {
        CAPTURE(c.message);
        CHECK(MessageMaskBit(c.message) == c.bit);
    }
}

TEST_CASE("Registration ids are unique across dispatchers and carry their kind")
{
    FakeHost host;
    InputDispatcher first(host), second(host);
    RecordingOp op("A");
    RecordingKeys keys("K");
    std::uint32_t ids[4] = {};
    REQUIRE(first.RegisterMouseSink(&op, &ids[0], false, 0x1));
    REQUIRE(second.RegisterMouseSink(&op, &ids[1], false, 0x1));
    REQUIRE(first.RegisterKeySink(&keys, &ids[2], 0x1));
    REQUIRE(second.RegisterKeySink(&keys, &ids[3], 0x1));
    CHECK((ids[0] & 0xFF000000u) == InputDispatcher::MouseIdBit);
    CHECK((ids[1] & 0xFF000000u) == InputDispatcher::MouseIdBit);
    CHECK((ids[2] & 0xFF000000u) == InputDispatcher::KeyIdBit);
    CHECK((ids[3] & 0xFF000000u) == InputDispatcher::KeyIdBit);
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j)
            CHECK((ids[i] & 0xFFFFFFu) != (ids[j] & 0xFFFFFFu));
    }
    CHECK_FALSE(first.Unregister(ids[1]));
    CHECK_FALSE(first.Unregister(ids[0] & 0xFFFFFFu));
    CHECK(first.Unregister(ids[0]));
    CHECK_FALSE(first.Unregister(ids[0]));
    CHECK(first.Unregister(ids[2]));
    CHECK(second.UnionMask() == 0x1);
    CHECK(second.Unregister(ids[1]));
    CHECK(second.UnionMask() == 0);
}

TEST_CASE("Mouse messages follow registration order, masks, handling and the capturing sink")
{
    Fixture f;
    RecordingOp a("A"), b("B"), c("C"), d("D"), e("E");
    std::uint32_t idA = 0, idB = 0, idC = 0, idD = 0, idE = 0;
    REQUIRE(f.dispatcher.RegisterMouseSink(&a, &idA, false, 0x3));
    REQUIRE(f.dispatcher.RegisterMouseSink(&b, &idB, false, 0x12));
    REQUIRE(f.dispatcher.RegisterMouseSink(&c, &idC, false, 0x402));
    CHECK(f.dispatcher.UnionMask() == 0x413);
    b.handles = true;
    b.result = 5;

    bool handled = false;
    f.Send(WM_MOUSEMOVE, MK_SHIFT, 3, 4);
    CHECK(f.Send(WM_LBUTTONDOWN, MK_LBUTTON, -2, 7, &handled) == 5);
    CHECK(handled);
    f.Send(WM_RBUTTONDOWN, MK_RBUTTON, 1, 1);
    f.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 5, 6);
    // No mask holds these: nobody is asked.
    f.Send(WM_LBUTTONUP, 0, 1, 1);
    f.Send(WM_MBUTTONDOWN, 0, 1, 1);
    CHECK(g_log == Log{"A:Move(4,3,4)", "A:LDown(1,-2,7)", "B:LDown(1,-2,7)", "B:RDown(2,1,1)",
                       "C:Wheel-120(0,5,6)"});

    // A capturing sink alone hears mouse messages, even those its mask lacks.
    g_log.clear();
    b.handles = false;
    REQUIRE(f.dispatcher.RegisterMouseSink(&d, &idD, true, 0x4));
    CHECK(f.dispatcher.HasCapture());
    CHECK(GetCapture() == f.host.grid);
    CHECK(f.dispatcher.UnionMask() == 0x417);
    f.Send(WM_MOUSEMOVE, 0, 1, 2);
    f.Send(WM_LBUTTONDOWN, 0, 1, 2);
    f.Send(WM_LBUTTONUP, 0, 1, 2);
    CHECK(g_log == Log{"D:LUp(0,1,2)"});

    // A second capture replaces the first silently.
    g_log.clear();
    REQUIRE(f.dispatcher.RegisterMouseSink(&e, &idE, true, 0x1));
    CHECK_FALSE(f.dispatcher.Unregister(idD));
    f.Send(WM_MOUSEMOVE, 0, 9, 9);
    CHECK(g_log == Log{"E:Move(0,9,9)"});
    CHECK(f.dispatcher.Unregister(idE));
    CHECK_FALSE(f.dispatcher.HasCapture());
    CHECK(GetCapture() == nullptr);

    // A sink that takes the capture while handling stops the delivery.
    g_log.clear();
    std::uint32_t idTaken = 0;
    a.onDown = [&] { f.dispatcher.RegisterMouseSink(&d, &idTaken, true, 0x5); };
    f.Send(WM_LBUTTONDOWN, 0, 0, 0);
    CHECK(g_log == Log{"A:LDown(0,0,0)"});
    // WM_CANCELMODE ends the capture through the sink.
    f.Send(WM_CANCELMODE, 0, 0, 0);
    CHECK_FALSE(f.dispatcher.HasCapture());
    CHECK(f.dispatcher.UnionMask() == 0x413);
    CHECK_FALSE(f.dispatcher.Unregister(idTaken));
    // Without a capture it reaches nobody.
    a.onDown = nullptr;
    f.Send(WM_CANCELMODE, 0, 0, 0);
    CHECK(g_log == Log{"A:LDown(0,0,0)", "D:Cancel"});

    // A sink that unregisters a later one during dispatch: the later one is
    // not asked.
    g_log.clear();
    a.onDown = [&] { f.dispatcher.Unregister(idB); };
    f.Send(WM_LBUTTONDOWN, 0, 1, 1);
    CHECK(g_log == Log{"A:LDown(0,1,1)", "C:LDown(0,1,1)"});
}

TEST_CASE("Active rectangles, private messages and the set-cursor walk")
{
    Fixture f;
    RecordingOp a("A"), b("B"), c("C");
    a.hasRect = true;
    a.activeRect = RECT{0, 0, 10, 10};
    REQUIRE(f.dispatcher.RegisterMouseSink(&a, nullptr, false, 0x3C801));
    REQUIRE(f.dispatcher.RegisterMouseSink(&b, nullptr, false, 0x30801));
    f.Send(WM_MOUSEMOVE, 0, 5, 5);
    f.Send(WM_MOUSEMOVE, 0, 50, 5);
    f.Send(WM_HV_CTRLKEYCHANGED, 0, 0, 0);
    f.Send(WM_HV_ELEMENTSREPOSITIONED, 0, 0, 0);
    CHECK(g_log == Log{"A:Move(0,5,5)", "B:Move(0,5,5)", "B:Move(0,50,5)", "A:Ctrl", "B:Ctrl", "A:Repositioned",
                       "B:Repositioned"});

    // The capturing sink ignores its active rectangle.
    g_log.clear();
    c.hasRect = true;
    c.activeRect = RECT{0, 0, 1, 1};
    std::uint32_t idC = 0;
    REQUIRE(f.dispatcher.RegisterMouseSink(&c, &idC, true, 0x1));
    f.Send(WM_MOUSEMOVE, 0, 50, 50);
    CHECK(g_log == Log{"C:Move(0,50,50)"});

    // WM_SETCURSOR: the capturing sink only when its mask asks for it.
    g_log.clear();
    bool handled = true;
    CHECK(f.Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(f.host.grid), HTCLIENT, WM_MOUSEMOVE, &handled) == 0);
    CHECK_FALSE(handled);
    CHECK(g_log.empty());
    REQUIRE(f.dispatcher.Unregister(idC));
    b.cursor = 1;
    CHECK(f.Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(f.host.grid), HTCLIENT, WM_LBUTTONDOWN, &handled) == 1);
    CHECK(handled);
    CHECK(g_log == Log{"A:Cursor(1,513)", "B:Cursor(1,513)"});
}

TEST_CASE("Key sinks by mask and order until one handles the key")
{
    Fixture f;
    RecordingKeys k1("K1"), k2("K2");
    REQUIRE(f.dispatcher.RegisterKeySink(&k1, nullptr, 0x17));
    REQUIRE(f.dispatcher.RegisterKeySink(&k2, nullptr, 0x3));
    f.Send(WM_KEYDOWN, VK_RIGHT, 0, 0);
    f.Send(WM_CHAR, 'a', 0, 0);
    f.Send(WM_SYSKEYDOWN, VK_F4, 0, 0);
    f.Send(WM_SYSKEYUP, VK_F4, 0, 0);
    k1.handles = true;
    bool handled = false;
    CHECK(f.Send(WM_KEYUP, VK_RIGHT, 0, 0, &handled) == 7);
    CHECK(handled);
    CHECK(g_log == Log{"K1:KeyDown(39)", "K2:KeyDown(39)", "K1:Char(97)", "K1:SysKeyDown(115)", "K1:KeyUp(39)"});
}

TEST_CASE("Stock events fire before routing, also for messages no sink wants")
{
    HostedControl hosted;
    Fixture f;
    f.host.control = hosted.control;
    int downs = 0, keyDowns = 0;
    hosted.host.Events().On(StockDispid::MouseDown, [&](const hv::container::EventCall&) { ++downs; });
    hosted.host.Events().On(StockDispid::KeyDown, [&](const hv::container::EventCall&) { ++keyDowns; });
    RecordingOp a("A");
    RecordingKeys k("K");
    REQUIRE(f.dispatcher.RegisterMouseSink(&a, nullptr, false, 0x1));
    REQUIRE(f.dispatcher.RegisterKeySink(&k, nullptr, 0x1));
    f.Send(WM_LBUTTONDOWN, MK_LBUTTON, 4, 4);
    f.Send(WM_LBUTTONUP, 0, 4, 4);
    CHECK(downs == 1);
    f.Send(WM_KEYDOWN, VK_DOWN, 0, 0);
    CHECK(keyDowns == 1);
    CHECK(g_log == Log{"K:KeyDown(40)"});

    // After the focus was lost, the first routed mouse message is dropped.
    g_log.clear();
    f.dispatcher.SetFocusLost(true);
    f.Send(WM_MOUSEMOVE, 0, 1, 1);
    f.Send(WM_MOUSEMOVE, 0, 2, 2);
    CHECK(g_log == Log{"A:Move(0,2,2)"});
}

TEST_CASE("Mouse messages over the visible drop-down calendar are not routed")
{
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES};
    REQUIRE(InitCommonControlsEx(&init));
    Fixture f;
    HWND calendar = CreateWindowExW(0, MONTHCAL_CLASSW, L"", WS_CHILD, 0, 0, 10, 10, f.host.grid, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    REQUIRE(calendar);
    RECT fit{};
    SendMessageW(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&fit));
    SetWindowPos(calendar, nullptr, 0, 0, fit.right, fit.bottom, SWP_NOZORDER);
    f.host.calendar = calendar;
    SetWindowPos(f.host.grid, nullptr, 0, 0, 390, 290, SWP_NOZORDER | SWP_NOMOVE);
    // The calendar counts only while it is visible on the screen.
    ShowWindow(f.window.Hwnd(), SW_SHOWNA);
    RecordingOp a("A");
    REQUIRE(f.dispatcher.RegisterMouseSink(&a, nullptr, false, 0x2));
    const int cx = fit.right / 2, cy = fit.bottom * 2 / 3;
    f.Send(WM_LBUTTONDOWN, 0, cx, cy);   // hidden: routed
    ShowWindow(calendar, SW_SHOWNA);
    f.Send(WM_LBUTTONDOWN, 0, cx, cy);   // over the days: dropped
    f.Send(WM_LBUTTONDOWN, 0, 380, 280); // outside it: routed
    CHECK(g_log == Log{"A:LDown(0," + std::to_string(cx) + "," + std::to_string(cy) + ")",
                       "A:LDown(0,380,280)"});
    DestroyWindow(calendar);
}

TEST_CASE("The tracking thread sends WM_MOUSELEAVE when the cursor leaves the grid and stops with the dispatcher")
{
    HostedControl hosted;
    CursorAt cursor;
    g_leaves = 0;
    {
        Fixture f;
        f.host.control = hosted.control;
        g_windowDispatcher = &f.dispatcher;
        RecordingOp a("A");
        REQUIRE(f.dispatcher.RegisterMouseSink(&a, nullptr, false, 0x8001));
        RECT grid{};
        GetWindowRect(f.host.grid, &grid);
        const auto leaves = [](int count) { return [count] { return g_leaves.load() >= count; }; };

        // Over the grid window the thread polls without a leave.
        cursor.Place(grid.left + 20, grid.top + 20);
        f.Send(WM_MOUSEMOVE, 0, 5, 5);
        CHECK(f.dispatcher.IsTracking());
        CHECK_FALSE(PumpUntil(leaves(1), 400));
        CHECK(f.dispatcher.IsTracking());

        // Away from the grid window and its area: one leave, and the thread ends.
        cursor.Place(grid.right + 150, grid.bottom + 150);
        CHECK(PumpUntil(leaves(1)));
        CHECK(PumpUntil([&f] { return !f.dispatcher.IsTracking(); }));
        CHECK(g_log == Log{"A:Move(0,5,5)", "A:Leave(0,0,0)"});

        // Outside the window but inside the grid area no leave comes; the
        // dispatcher's end stops the running thread.
        f.host.inGridArea = true;
        f.Send(WM_MOUSEMOVE, 0, 6, 6);
        CHECK(f.dispatcher.IsTracking());
        CHECK_FALSE(PumpUntil(leaves(2), 400));
        g_windowDispatcher = nullptr;
    }
    CHECK(g_leaves.load() == 1);
}

TEST_CASE("The design-time mouse hook counts one use per dispatcher")
{
    FakeHost host;
    InputDispatcher first(host), second(host);
    CHECK(InputDispatcher::MouseHookUsers() == 0);
    first.InstallMouseHook();
    first.InstallMouseHook();
    CHECK(first.UsesMouseHook());
    CHECK(InputDispatcher::MouseHookUsers() == 1);
    second.InstallMouseHook();
    CHECK(InputDispatcher::MouseHookUsers() == 2);
    first.RemoveMouseHook();
    first.RemoveMouseHook();
    CHECK(InputDispatcher::MouseHookUsers() == 1);
    second.RemoveMouseHook();
    CHECK(InputDispatcher::MouseHookUsers() == 0);
    CHECK_FALSE(second.UsesMouseHook());
}
