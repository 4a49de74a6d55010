// The control's tracking tooltip window and its tools.
#include "ToolTipTool.h"
#include "ToolTipWindow.h"
#include "UiTestWindow.h"

#include <doctest/doctest.h>

#include <string>

namespace {

class TestOwner final : public ToolTipOwner
{
public:
    explicit TestOwner(HWND window) : window_(window) {}
    HWND ToolTipOwnerWindow() override { return window_; }

private:
    HWND window_;
};

constexpr UINT kTrackFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;

// A window, its tooltip wrapper and one tracking tool for it.
struct TipFixture {
    UiTestWindow window;
    TestOwner owner{window.Handle()};
    ToolTipWindow tip{&owner};
    std::unique_ptr<ToolTipTool> tool;

    TipFixture()
    {
        tool = tip.AddTool(window.Handle(), reinterpret_cast<UINT_PTR>(window.Handle()), kTrackFlags, L"first",
                           nullptr);
        // A long auto-pop time: the hide timer never fires during a test.
        if (tip.Window())
            SendMessageW(tip.Window(), TTM_SETDELAYTIME, TTDT_AUTOPOP, 60000);
    }
    ~TipFixture() { tool.reset(); }

    void Show(int x = 150, int y = 150)
    {
        tip.TrackPosition({x, y});
        tool->TrackActivate(TRUE);
        PumpPendingMessages();
    }

    std::wstring TipText()
    {
        wchar_t text[80] = {};
        TTTOOLINFOW info = tool->Info();
        info.lpszText = text;
        SendMessageW(tip.Window(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
        return text;
    }
};

bool HasMessage(HWND window, UINT message, MSG* found)
{
    return PeekMessageW(found, window, message, message, PM_REMOVE) != FALSE;
}

} // namespace

TEST_CASE("tool tips: nothing without a live owner window")
{
    TestOwner noWindow(nullptr);
    ToolTipWindow tip(&noWindow);
    CHECK(tip.CreateToolTipWindow() == FALSE);
    CHECK(tip.AddTool(nullptr, 1, kTrackFlags, L"x", nullptr) == nullptr);
    CHECK(tip.TrackMouseEvent(TME_LEAVE, HOVER_DEFAULT) == FALSE);
    tip.TrackPosition({1, 2});
    tip.SetMaxTipWidth(100);
    tip.SetDelayTimer(TRUE);
    CHECK(tip.Window() == nullptr);
    CHECK(tip.HideTimer() == 0);

    ToolTipWindow ownerless(nullptr);
    CHECK(ownerless.CreateToolTipWindow() == FALSE);

    UiTestWindow gone;
    TestOwner goneOwner(gone.Handle());
    gone.Destroy();
    ToolTipWindow late(&goneOwner);
    CHECK(late.CreateToolTipWindow() == FALSE);
}

TEST_CASE("tool tips: the tooltip window is made once, under the owner, and dies with the wrapper")
{
    UiTestWindow window;
    TestOwner owner(window.Handle());
    HWND made = nullptr;
    {
        ToolTipWindow tip(&owner);
        CHECK(tip.Window() == nullptr);
        REQUIRE(tip.CreateToolTipWindow() == TRUE);
        made = tip.Window();
        REQUIRE(made != nullptr);
        CHECK(tip.CreateToolTipWindow() == TRUE);
        CHECK(tip.Window() == made);
        wchar_t className[64] = {};
        GetClassNameW(made, className, 64);
        CHECK(std::wstring(className) == L"tooltips_class32");
        CHECK(GetWindow(made, GW_OWNER) == window.Handle());
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(made, GWL_STYLE));
        CHECK((style & (WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP)) == (WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP));
    }
    CHECK_FALSE(IsWindow(made));
}

TEST_CASE("tool tips: tools register, update and unregister")
{
    TipFixture f;
    REQUIRE(f.tool != nullptr);
    HWND tipWindow = f.tip.Window();
    CHECK(SendMessageW(tipWindow, TTM_GETTOOLCOUNT, 0, 0) == 1);
    CHECK(f.tool->Info().cbSize == TTTOOLINFOW_V2_SIZE);
    CHECK(f.tool->Info().uFlags == kTrackFlags);
    CHECK(f.TipText() == L"first");

    f.tool->SetText(L"second, a longer text");
    CHECK(f.TipText() == L"second, a longer text");

    auto other = f.tip.AddTool(f.window.Handle(), 7, TTF_TRACK | TTF_ABSOLUTE, L"other", nullptr);
    REQUIRE(other != nullptr);
    CHECK(SendMessageW(tipWindow, TTM_GETTOOLCOUNT, 0, 0) == 2);
    other.reset();
    CHECK(SendMessageW(tipWindow, TTM_GETTOOLCOUNT, 0, 0) == 1);
    f.tool->Remove();
    CHECK(SendMessageW(tipWindow, TTM_GETTOOLCOUNT, 0, 0) == 0);
    f.tool->Remove();
}

TEST_CASE("tool tips: showing starts the hide timer, which hides the tip")
{
    TipFixture f;
    REQUIRE(f.tool != nullptr);
    HWND tipWindow = f.tip.Window();
    f.Show();
    CHECK(IsWindowVisible(tipWindow));
    CHECK(f.tip.HideTimer() == ToolTipWindow::kHideTimer);

    // Shown again: the timer is started afresh, one timer only.
    f.Show(160, 160);
    CHECK(f.tip.HideTimer() == ToolTipWindow::kHideTimer);
    CHECK(IsWindowVisible(tipWindow));

    SendMessageW(tipWindow, WM_TIMER, ToolTipWindow::kHideTimer, 0);
    PumpPendingMessages();
    CHECK_FALSE(IsWindowVisible(tipWindow));

    f.Show();
    CHECK(IsWindowVisible(tipWindow));
    f.tool->TrackActivate(FALSE);
    PumpPendingMessages();
    CHECK_FALSE(IsWindowVisible(tipWindow));
    CHECK(f.tip.HideTimer() == 0);
}

TEST_CASE("tool tips: a click on the tip hides it and reaches the control at the same point")
{
    TipFixture f;
    REQUIRE(f.tool != nullptr);
    HWND tipWindow = f.tip.Window();
    SetCursorPos(200, 180);
    f.Show(190, 170);
    REQUIRE(IsWindowVisible(tipWindow));
    MSG stale;
    while (HasMessage(f.window.Handle(), WM_LBUTTONDOWN, &stale)) {
    }

    const LRESULT answer =
        SendMessageW(tipWindow, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(f.window.Handle()),
                     MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    CHECK(answer == MA_NOACTIVATEANDEAT);
    CHECK_FALSE(IsWindowVisible(tipWindow));
    CHECK(GetActiveWindow() != tipWindow);

    POINT expected = {};
    GetCursorPos(&expected);
    ScreenToClient(f.window.Handle(), &expected);
    MSG click = {};
    REQUIRE(HasMessage(f.window.Handle(), WM_LBUTTONDOWN, &click));
    CHECK(click.wParam == 0);
    CHECK(static_cast<short>(LOWORD(click.lParam)) == expected.x);
    CHECK(static_cast<short>(HIWORD(click.lParam)) == expected.y);
}

TEST_CASE("tool tips: TTN_SHOW places the tip over its tool's rectangle")
{
    TipFixture f;
    REQUIRE(f.tool != nullptr);
    NMHDR show = {f.tip.Window(), 0, static_cast<UINT>(TTN_SHOW)};

    RECT before;
    f.tool->GetWindowRect(&before);
    CHECK(f.tool->OnShow(&show, 0) == 0);
    RECT after;
    f.tool->GetWindowRect(&after);
    CHECK(EqualRect(&before, &after));

    const RECT area = {30, 40, 230, 70};
    f.tool->SetRect(area);
    NMHDR other = {f.tip.Window(), 0, static_cast<UINT>(TTN_POP)};
    f.tool->OnShow(&other, 0);
    f.tool->GetWindowRect(&after);
    CHECK(EqualRect(&before, &after));

    CHECK(f.tool->OnShow(&show, 0) == 0);
    f.tool->GetWindowRect(&after);
    CHECK(EqualRect(&after, &area));
}

TEST_CASE("tool tips: a tooltip window destroyed under the wrapper is let go")
{
    TipFixture f;
    REQUIRE(f.tool != nullptr);
    f.Show();
    HWND tipWindow = f.tip.Window();
    DestroyWindow(tipWindow);
    CHECK(f.tip.Window() == nullptr);
    CHECK(f.tip.HideTimer() == 0);
    f.tip.TrackPosition({5, 5});
    f.tool->SetText(L"late");
    RECT none;
    f.tool->GetWindowRect(&none);
    CHECK(IsRectEmpty(&none));
    f.tool.reset();
    // The next tool makes a new window.
    auto again = f.tip.AddTool(f.window.Handle(), 3, kTrackFlags, L"again", nullptr);
    CHECK(again != nullptr);
    CHECK(f.tip.Window() != nullptr);
}

TEST_CASE("tool tips: mouse tracking of the owner window")
{
    UiTestWindow window;
    TestOwner owner(window.Handle());
    ToolTipWindow tip(&owner);
    CHECK(tip.TrackMouseEvent(TME_LEAVE, HOVER_DEFAULT) == TRUE);
    CHECK(tip.Window() != nullptr);
    window.Destroy();
    CHECK(tip.TrackMouseEvent(TME_LEAVE, HOVER_DEFAULT) == FALSE);
}
