// Messages of the control window and of a windowless control turned into
// stock events: clicks, double clicks, capture, releases outside the
// control, key codes changed by handlers, focus notices, and characters put
// at the head of the queue.
#include "InPlaceTestSupport.h"

#include "StockEvents.h"

using hv::container::EventCall;
using hv::container::SiteOptions;

namespace {

const RECT kPosition = {100, 50, 300, 150};

LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

struct ActiveControl : HostedControl {
    explicit ActiveControl(const SiteOptions& options = {}) : HostedControl(options)
    {
        REQUIRE(host.Activate() == S_OK);
        host.Events().ClearReceived();
    }
    HWND Window() const { return control->ControlWindow(); }
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const
    {
        return SendMessageW(Window(), message, wParam, lParam);
    }
    const std::vector<DISPID>& Events() const { return host.Events().Received(); }
};

using StockDispid::Click;
using StockDispid::DblClick;
using StockDispid::MouseDown;
using StockDispid::MouseUp;

} // namespace

TEST_CASE("Press and release inside fire MouseDown, MouseUp and Click, with the capture held between them")
{
    ActiveControl active;
    std::vector<LONG> down;
    active.host.Events().On(MouseDown, [&](const EventCall& call) {
        down = {call.Short(0), call.Short(1), call.Long(2), call.Long(3)};
    });
    active.Send(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 20));
    CHECK(GetCapture() == active.Window());
    CHECK(down == std::vector<LONG>{1, 0, 10, 20});
    active.Send(WM_LBUTTONUP, 0, At(12, 22));
    CHECK(GetCapture() == nullptr);
    CHECK(active.Events() == std::vector<DISPID>{MouseDown, MouseUp, Click});

    // Right and middle buttons take no capture.
    active.host.Events().ClearReceived();
    active.Send(WM_RBUTTONDOWN, MK_RBUTTON, At(5, 5));
    CHECK(GetCapture() == nullptr);
    active.Send(WM_RBUTTONUP, 0, At(5, 5));
    CHECK(active.Events() == std::vector<DISPID>{MouseDown, MouseUp, Click});
}

TEST_CASE("A double click fires DblClick and no second Click; it does not touch other buttons")
{
    ActiveControl active;
    active.Send(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    active.Send(WM_LBUTTONUP, 0, At(10, 10));
    active.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, At(10, 10));
    active.Send(WM_LBUTTONUP, 0, At(10, 10));
    CHECK(active.Events() == std::vector<DISPID>{MouseDown, MouseUp, Click, DblClick, MouseUp});

    active.host.Events().ClearReceived();
    active.Send(WM_RBUTTONDOWN, MK_RBUTTON, At(10, 10));
    active.Send(WM_RBUTTONUP, 0, At(10, 10));
    active.Send(WM_RBUTTONDBLCLK, MK_RBUTTON, At(10, 10));
    active.Send(WM_RBUTTONUP, 0, At(10, 10));
    active.Send(WM_MBUTTONDOWN, MK_MBUTTON, At(10, 10));
    active.Send(WM_MBUTTONUP, 0, At(10, 10));
    CHECK(active.Events() ==
          std::vector<DISPID>{MouseDown, MouseUp, Click, DblClick, MouseUp, MouseDown, MouseUp, Click});

    // The next ordinary click of the left button clicks again.
    active.host.Events().ClearReceived();
    active.Send(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    active.Send(WM_LBUTTONUP, 0, At(10, 10));
    CHECK(active.Events() == std::vector<DISPID>{MouseDown, MouseUp, Click});
}

TEST_CASE("A release outside the control's rectangle, or without a press in it, fires MouseUp but no Click")
{
    ActiveControl active;
    for (LPARAM outside : {At(250, 10), At(10, 120), At(-3, 10)}) {
        active.host.Events().ClearReceived();
        active.Send(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
        active.Send(WM_LBUTTONUP, 0, outside);
        CHECK(active.Events() == std::vector<DISPID>{MouseDown, MouseUp});
    }
    active.host.Events().ClearReceived();
    active.Send(WM_LBUTTONUP, 0, At(10, 10));
    CHECK(active.Events() == std::vector<DISPID>{MouseUp});
}

TEST_CASE("A windowless control gets its mouse messages through the site in container coordinates")
{
    SettingsGuard guard;
    TestSettings().windowless = true;
    SiteOptions options;
    options.offerWindowless = true;
    HostedControl hosted(options);
    REQUIRE(hosted.host.Activate() == S_OK);
    REQUIRE(hosted.control->ControlWindow() == nullptr);
    auto windowless = hosted.Query<IOleInPlaceObjectWindowless>();
    std::vector<LONG> down;
    hosted.host.Events().On(MouseDown, [&](const EventCall& call) { down = {call.Long(2), call.Long(3)}; });
    hosted.host.Events().ClearReceived();
    LRESULT result = 0;
    CHECK(windowless->OnWindowMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(110, 60), &result) == S_OK);
    CHECK(down == std::vector<LONG>{10, 10});
    CHECK(hosted.host.Site().HasCapture());
    CHECK(windowless->OnWindowMessage(WM_LBUTTONUP, 0, At(299, 149), &result) == S_OK);
    CHECK_FALSE(hosted.host.Site().HasCapture());
    CHECK(windowless->OnWindowMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(110, 60), &result) == S_OK);
    CHECK(windowless->OnWindowMessage(WM_LBUTTONUP, 0, At(20, 20), &result) == S_OK);
    CHECK(hosted.host.Events().Received() == std::vector<DISPID>{MouseDown, MouseUp, Click, MouseDown, MouseUp});
}

TEST_CASE("Key events: codes changed or zeroed by handlers go on as the handlers left them")
{
    ActiveControl active;
    HWND child = active.Window();
    active.host.Events().On(StockDispid::KeyDown, [](const EventCall& call) { call.SetShort(0, 0); });
    WPARAM wParam = VK_TAB;
    LPARAM lParam = 0;
    DWORD handled = 1;
    CControlBase::ChildKeyFilterProc(active.control, WM_KEYDOWN, &wParam, &lParam, &handled, nullptr, nullptr);
    CHECK(wParam == 0);
    CHECK(handled == 0);

    struct Case {
        SHORT replacement;          // -1: the handler leaves the character
        std::vector<WPARAM> delivered;
    };
    const Case cases[] = {{-1, {'a'}}, {0, {}}, {'b', {'b'}}};
    for (const Case& c : cases) {
        CAPTURE(c.replacement);
        active.host.Events().On(StockDispid::KeyPress, [&](const EventCall& call) {
            if (c.replacement >= 0)
                call.SetShort(0, c.replacement);
        });
        g_delivered.clear();
        wParam = 'a';
        handled = 0;
        CControlBase::ChildKeyFilterProc(active.control, WM_CHAR, &wParam, &lParam, &handled, &RecordingProc, child);
        CHECK(handled == 0xFFFF);
        CHECK(g_delivered == c.delivered);
    }

    // Through the window itself, as the message loop delivers it.
    active.host.Events().ClearReceived();
    PostMessageW(active.Window(), WM_CHAR, 'x', 0);
    PumpMessages();
    CHECK(active.host.Events().ReceivedCount(StockDispid::KeyPress) == 1);
}

TEST_CASE("Focus messages reach the site's OnFocus while active, and nothing breaks without a control site")
{
    ActiveControl active;
    active.Log().Clear();
    active.Send(WM_SETFOCUS, 0, 0);
    active.Send(WM_KILLFOCUS, 0, 0);
    CHECK(InOrder(active.Log(), {L"OnFocus(TRUE)", L"OnFocus(FALSE)"}));

    auto windowless = active.Query<IOleInPlaceObjectWindowless>();
    LRESULT result = 0;
    active.Log().Clear();
    CHECK(windowless->OnWindowMessage(WM_SETFOCUS, 0, 0, &result) == S_OK);
    CHECK(active.Log().Contains(L"OnFocus(TRUE)"));

    // The site goes away while the window still lives.
    HWND window = active.Window();
    active.host.OleObject()->SetClientSite(nullptr);
    CHECK(active.control->ControlSite() == nullptr);
    SendMessageW(window, WM_SETFOCUS, 0, 0);
    CHECK(windowless->OnWindowMessage(WM_KILLFOCUS, 0, 0, &result) == S_OK);
    CHECK(active.Query<IOleInPlaceActiveObject>()->TranslateAccelerator(nullptr) == S_FALSE);
    active.host.OleObject()->SetClientSite(&active.host.Site());
}

TEST_CASE("PostCharAtQueueHead puts the character before every message already posted")
{
    hv::container::ContainerWindow window(100, 100);
    HWND target = window.Hwnd();
    PumpMessages();
    PostMessageW(target, WM_USER + 1, 1, 0);
    PostThreadMessageW(GetCurrentThreadId(), WM_USER + 2, 2, 0);
    PostMessageW(target, WM_USER + 3, 3, 0);
    REQUIRE(PostCharAtQueueHead(target, 'z'));

    std::vector<std::pair<UINT, WPARAM>> order;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE))
        order.emplace_back(message.message, message.wParam);
    const std::vector<std::pair<UINT, WPARAM>> expected = {
        {WM_CHAR, 'z'}, {WM_USER + 1, 1}, {WM_USER + 2, 2}, {WM_USER + 3, 3}};
    CHECK(order == expected);

    // A window that cannot take the marker: nothing is posted, nothing loops.
    HWND gone = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    PostMessageW(target, WM_USER + 4, 4, 0);
    CHECK_FALSE(PostCharAtQueueHead(gone, 'q'));
    REQUIRE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE));
    CHECK(message.message == WM_USER + 4);
    CHECK_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE));
}
