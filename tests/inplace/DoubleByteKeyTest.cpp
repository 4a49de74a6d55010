// Characters of a double-byte code page typed into a control whose window
// takes its text as bytes: a lead byte and its trail make one KeyPress,
// and a handler that gives back a single byte in its place has that byte
// delivered. Runs under a Japanese user locale (code page 932).
#include "InPlaceTestSupport.h"

#include "StockEvents.h"

using hv::container::EventCall;

namespace {

constexpr BYTE kLead = 0x82;
constexpr BYTE kTrail = 0xA0;

WNDPROC g_unicodeProc = nullptr;
LRESULT CALLBACK AnsiProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(g_unicodeProc, window, message, wParam, lParam);
}

// The control's window given an ANSI procedure for as long as the object
// lives: its characters come as bytes.
class AnsiWindow {
public:
    explicit AnsiWindow(HWND window) : window_(window)
    {
        g_unicodeProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AnsiProc)));
    }
    ~AnsiWindow() { SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_unicodeProc)); }
    AnsiWindow(const AnsiWindow&) = delete;
    AnsiWindow& operator=(const AnsiWindow&) = delete;

private:
    HWND window_;
};

// The character messages waiting for the window, taken off its queue.
std::vector<WPARAM> WaitingChars(HWND window)
{
    std::vector<WPARAM> waiting;
    MSG message;
    while (PeekMessageA(&message, window, WM_CHAR, WM_CHAR, PM_REMOVE))
        waiting.push_back(message.wParam);
    return waiting;
}

} // namespace

TEST_CASE("a double-byte character is one KeyPress; a single byte given in its place is delivered as that byte")
{
    REQUIRE(IsDBCSLeadByte(kLead));
    HostedControl hosted;
    REQUIRE(hosted.host.Activate() == S_OK);
    HWND window = hosted.control->ControlWindow();
    REQUIRE(window);
    AnsiWindow ansi(window);
    REQUIRE_FALSE(IsWindowUnicode(window));

    struct Case {
        SHORT replacement;              // 0 leaves the character as typed
        std::vector<WPARAM> delivered;
    };
    const Case cases[] = {
        {0, {kLead}},       // the lead byte goes on; the trail follows it out of the queue
        {'b', {'b'}},       // the single byte itself, and the trail is gone
        {' ', {' '}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.replacement);
        WaitingChars(window);
        SHORT seen = 0;
        hosted.host.Events().On(StockDispid::KeyPress, [&](const EventCall& call) {
            seen = call.Short(0);
            if (c.replacement)
                call.SetShort(0, c.replacement);
        });
        g_delivered.clear();
        // The trail byte waits in the queue behind the lead byte.
        REQUIRE(PostMessageA(window, WM_CHAR, kTrail, 0));
        WPARAM wParam = kLead;
        LPARAM lParam = 0;
        DWORD handled = 0;
        CControlBase::ChildKeyFilterProc(hosted.control, WM_CHAR, &wParam, &lParam, &handled, &RecordingProc, window);
        CHECK(handled == 0xFFFF);
        CHECK(static_cast<WORD>(seen) == ((kLead << 8) | kTrail));
        CHECK(g_delivered == c.delivered);
        CHECK(WaitingChars(window).empty());
    }
}
