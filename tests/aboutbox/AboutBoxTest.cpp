// The About box: shown through a modeless replacement of its display, its
// texts, the link with its hand cursor (the shell call replaced), the
// owner and modal state around it, and the ways it closes.
#include <doctest/doctest.h>

#include "AboutBox.h"
#include "AboutBoxResources.h"
#include "AboutDialog.h"
#include "AboutTestControl.h"
#include "Module.h"
#include "ModuleStrings.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The framework is linked into the test program: the program's own module
// stands in for the control library (it embeds the same resources).
struct ModuleSetup {
    ModuleSetup() { ModuleAttach(GetModuleHandleW(nullptr)); }
    ~ModuleSetup() { ModuleDetach(false); }
};
ModuleSetup g_module;

struct ShellCall {
    HWND window;
    std::wstring verb, file, parameters, directory;
    INT show;
};

// Replaces the display and the shell for one test: the dialog is made
// modeless and stays until it is ended or the fixture goes.
class AboutFixture {
public:
    AboutFixture()
    {
        s_current = this;
        m_previousDisplay = SetAboutBoxDisplay({&Show, &End});
        m_previousShell = SetAboutBoxShellExecute(&Shell);
    }
    ~AboutFixture()
    {
        if (dialog && IsWindow(dialog))
            DestroyWindow(dialog);
        SetAboutBoxDisplay(m_previousDisplay);
        SetAboutBoxShellExecute(m_previousShell);
        s_current = nullptr;
    }
    AboutFixture(const AboutFixture&) = delete;
    AboutFixture& operator=(const AboutFixture&) = delete;

    HWND dialog = nullptr;
    HINSTANCE module = nullptr;
    HWND owner = reinterpret_cast<HWND>(-1);
    std::vector<std::string> calls;
    std::vector<INT_PTR> endings;
    std::vector<ShellCall> shellCalls;
    HINSTANCE shellAnswer = reinterpret_cast<HINSTANCE>(42);

    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    std::wstring Text(HWND window) const
    {
        wchar_t text[512] = {};
        GetWindowTextW(window, text, 512);
        return text;
    }
    std::wstring ItemText(int id) const { return Text(Item(id)); }
    POINT ClientCentre(const RECT& rect) const
    {
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    const RECT& LinkRect() const { return State()->LinkRect(); }
    AboutDialog* State() const { return reinterpret_cast<AboutDialog*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

private:
    static INT_PTR Show(HINSTANCE module, HWND owner, DLGPROC procedure)
    {
        AboutFixture& self = *s_current;
        self.calls.push_back("show");
        self.module = module;
        self.owner = owner;
        self.dialog = CreateDialogParamW(module, MAKEINTRESOURCEW(IDD_HV_ABOUT), owner, procedure, 0);
        if (self.dialog)
            ShowWindow(self.dialog, SW_SHOWNA);
        return 0;
    }
    static BOOL End(HWND dialog, INT_PTR result)
    {
        s_current->endings.push_back(result);
        return DestroyWindow(dialog);
    }
    static HINSTANCE WINAPI Shell(HWND window, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                                  INT show)
    {
        s_current->shellCalls.push_back({window, verb ? verb : L"(null)", file ? file : L"(null)",
                                         parameters ? parameters : L"(null)", directory ? directory : L"(null)",
                                         show});
        return s_current->shellAnswer;
    }

    static AboutFixture* s_current;
    AboutBoxDisplay m_previousDisplay = {};
    AboutBoxShellExecute m_previousShell = nullptr;
};
AboutFixture* AboutFixture::s_current = nullptr;

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Moves the dialog so that client lies under the pointer, then sends the
// message the system sends when the pointer moves there. (Moving the pointer
// itself reaches the display server late, so the window moves instead.)
LRESULT SendSetCursor(HWND dialog, POINT client)
{
    POINT pointer = {};
    GetCursorPos(&pointer);
    POINT screen = client;
    ClientToScreen(dialog, &screen);
    RECT window = {};
    GetWindowRect(dialog, &window);
    SetWindowPos(dialog, nullptr, window.left + pointer.x - screen.x, window.top + pointer.y - screen.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    return SendMessageW(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

std::wstring Widen(const char* text)
{
    return std::wstring(text, text + strlen(text));
}

} // namespace

TEST_CASE("About box texts come from the version resource and the string table")
{
    const AboutBoxTexts texts = ReadAboutBoxTexts(GetModuleHandleW(nullptr));
    CHECK(texts.version == L"1.00");
    CHECK(texts.build == L"0075");
    CHECK(texts.product == L"Halvren Tavelle");
    CHECK(texts.notice == L"Copyright Halvren. All rights reserved.");
    // The version resource and the module's fixed texts tell the same story.
    CHECK(texts.version == Widen(ModuleVersionText().c_str()));
    CHECK(texts.build == Widen(ModuleBuildText().c_str()));

    // Without a resource module the names fall back to the module's texts.
    const AboutBoxTexts fallback = ReadAboutBoxTexts(nullptr);
    CHECK(fallback.product == Widen(ModuleProductName().c_str()));
    CHECK(fallback.notice == Widen(ModuleNoticeText().c_str()));
    CHECK(fallback.version == L"1.00");
}

TEST_CASE("About box opens from the library's resources with its texts filled in")
{
    AboutFixture about;
    ShowAboutBox(nullptr);
    REQUIRE(about.dialog);
    CHECK(about.module == GetModuleHandleW(nullptr));
    CHECK(about.State() != nullptr);

    CHECK(about.Text(about.dialog) == L"About Halvren Tavelle");
    CHECK(about.ItemText(IDC_ABOUT_VERSION) == L"1.00");
    CHECK(about.ItemText(IDC_ABOUT_BUILD) == L"0075");
    CHECK(about.ItemText(IDC_ABOUT_VERSION_LINE).find(L"1.00") != std::wstring::npos);
    CHECK(about.ItemText(IDC_ABOUT_NOTICE) == L"Copyright Halvren. All rights reserved.");
    CHECK(about.ItemText(IDC_ABOUT_VERSION_LABEL) == L"Version:");
    CHECK(about.ItemText(IDC_ABOUT_BUILD_LABEL) == L"Build:");
    CHECK(SendMessageW(about.Item(IDC_ABOUT_ICON), STM_GETICON, 0, 0) != 0);

    // The title line, the frame and the link are drawn by the dialog.
    CHECK_FALSE(IsWindowVisible(about.Item(IDC_ABOUT_TITLE)));
    CHECK_FALSE(IsWindowVisible(about.Item(IDC_ABOUT_FRAME)));
    CHECK_FALSE(IsWindowVisible(about.Item(IDC_ABOUT_LINK)));
    CHECK(IsWindowVisible(about.Item(IDC_ABOUT_MAKER_FIRST)));
    CHECK(about.State()->LinkTarget() == L"http://www.halvren.example/");

    SUBCASE("placed centred across the screen and a third of the way down")
    {
        RECT window = {};
        GetWindowRect(about.dialog, &window);
        const int width = window.right - window.left;
        const int height = window.bottom - window.top;
        CHECK(window.left == (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
        CHECK(window.top == (GetSystemMetrics(SM_CYSCREEN) - height) / 3);
    }

    SUBCASE("maker's lines stand under one another, empty ones hidden, the link next")
    {
        std::vector<int> tops;
        for (int id = IDC_ABOUT_MAKER_FIRST; id <= IDC_ABOUT_MAKER_LAST; ++id) {
            RECT rect = {};
            GetWindowRect(about.Item(id), &rect);
            if (IsWindowVisible(about.Item(id)))
                tops.push_back(rect.top);
            else
                CHECK(about.ItemText(id).empty());
        }
        REQUIRE(tops.size() >= 2);
        const int step = tops[1] - tops[0];
        CHECK(step > 0);
        for (size_t i = 1; i < tops.size(); ++i)
            CHECK(tops[i] - tops[i - 1] == step);
        RECT link = {};
        GetWindowRect(about.Item(IDC_ABOUT_LINK), &link);
        CHECK(link.top - tops.back() == step);
    }

    SUBCASE("the link rectangle is narrowed to the text, centred in its field")
    {
        RECT field = {};
        GetWindowRect(about.Item(IDC_ABOUT_LINK), &field);
        MapWindowPoints(nullptr, about.dialog, reinterpret_cast<POINT*>(&field), 2);
        const RECT& link = about.LinkRect();
        CHECK(link.right - link.left > 0);
        CHECK(link.left >= field.left);
        CHECK(link.right <= field.right);
        CHECK(std::abs((link.left - field.left) - (field.right - link.right)) <= 1);
        CHECK(link.top == field.top);
    }
}

TEST_CASE("About box paints a grey face and a blue link, and colours its controls grey")
{
    AboutFixture about;
    ShowAboutBox(nullptr);
    REQUIRE(about.dialog);
    RedrawWindow(about.dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    HDC dc = GetDC(about.dialog);
    REQUIRE(dc);
    RECT client = {};
    GetClientRect(about.dialog, &client);
    CHECK(GetPixel(dc, client.right - 10, 10) == RGB(0xC0, 0xC0, 0xC0));
    const RECT& link = about.LinkRect();
    bool blue = false;
    for (int y = link.top; y < link.bottom && !blue; ++y)
        for (int x = link.left; x < link.right && !blue; ++x)
            blue = GetPixel(dc, x, y) == RGB(0, 0, 255);
    CHECK(blue);
    ReleaseDC(about.dialog, dc);

    HDC memory = CreateCompatibleDC(nullptr);
    const LRESULT first = SendMessageW(about.dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(memory),
                                       reinterpret_cast<LPARAM>(about.Item(IDC_ABOUT_NOTICE)));
    const LRESULT second = SendMessageW(about.dialog, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(memory),
                                        reinterpret_cast<LPARAM>(about.Item(IDOK)));
    REQUIRE(first != 0);
    CHECK(first == second);  // one brush, kept while the face colour stays
    LOGBRUSH brush = {};
    REQUIRE(GetObjectW(reinterpret_cast<HBRUSH>(first), sizeof brush, &brush) == sizeof brush);
    CHECK(brush.lbColor == RGB(0xC0, 0xC0, 0xC0));
    CHECK(GetBkColor(memory) == RGB(0xC0, 0xC0, 0xC0));
    CHECK(GetTextColor(memory) == RGB(0, 0, 0));
    DeleteDC(memory);
}

TEST_CASE("About box link: hand cursor over it, a click opens it through the shell")
{
    AboutFixture about;
    ShowAboutBox(nullptr);
    REQUIRE(about.dialog);
    const HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HV_HAND));
    REQUIRE(hand);
    const RECT link = about.LinkRect();
    const POINT inside = about.ClientCentre(link);
    const POINT outside = {link.left - 5, link.bottom + 20};

    SUBCASE("cursor")
    {
        CHECK(SendSetCursor(about.dialog, inside) == TRUE);
        CHECK(GetCursor() == hand);
        SendSetCursor(about.dialog, outside);
        CHECK(GetCursor() != hand);
        // Over the link but outside the client area (as the system reports it): no hand.
        SendSetCursor(about.dialog, inside);
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        SendMessageW(about.dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(about.dialog),
                     MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
        CHECK(GetCursor() != hand);
        CHECK(about.shellCalls.empty());
    }

    SUBCASE("a click in the link opens it once, with the hand")
    {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        SendMessageW(about.dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
        REQUIRE(about.shellCalls.size() == 1);
        const ShellCall& call = about.shellCalls[0];
        CHECK(call.window == nullptr);
        CHECK(call.verb == L"Open");
        CHECK(call.file == L"http://www.halvren.example/");
        CHECK(call.parameters == L"");
        CHECK(call.directory == L"");
        CHECK(call.show == SW_SHOWNORMAL);
        CHECK(GetCursor() == hand);
        CHECK(IsWindow(about.dialog));
        CHECK(about.endings.empty());
    }

    SUBCASE("a click beside the link opens nothing")
    {
        SendMessageW(about.dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(outside.x, outside.y));
        CHECK(about.shellCalls.empty());
    }

    SUBCASE("a shell that fails leaves the box as it is")
    {
        about.shellAnswer = reinterpret_cast<HINSTANCE>(SE_ERR_NOASSOC);
        SendMessageW(about.dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
        CHECK(about.shellCalls.size() == 1);
        CHECK(IsWindow(about.dialog));
        CHECK(about.endings.empty());
    }
}

TEST_CASE("About box closes with result 1 on OK and on the close commands only")
{
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        bool closes;
    };
    const Case cases[] = {
        {"OK button", WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), true},
        {"close box", WM_SYSCOMMAND, SC_CLOSE, true},
        {"close with low bits set", WM_SYSCOMMAND, SC_CLOSE | 0x2, true},
        {"the second close command", WM_SYSCOMMAND, 0xF160, true},
        {"another command", WM_COMMAND, MAKEWPARAM(IDC_ABOUT_NOTICE, 0), false},
        {"another system command", WM_SYSCOMMAND, SC_CONTEXTHELP, false},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        AboutFixture about;
        ShowAboutBox(nullptr);
        REQUIRE(about.dialog);
        SendMessageW(about.dialog, c.message, c.wParam, 0);
        if (c.closes) {
            REQUIRE(about.endings.size() == 1);
            CHECK(about.endings[0] == 1);
            CHECK_FALSE(IsWindow(about.dialog));
        } else {
            CHECK(about.endings.empty());
            CHECK(IsWindow(about.dialog));
        }
        Pump();
    }
}

TEST_CASE("About box of a control: its resources, its container held modal around the box")
{
    AboutFixture about;
    AboutTestControl* control = AboutTestControl::Create();
    control->calls = &about.calls;
    ShowAboutBox(control);
    CHECK(about.calls == std::vector<std::string>{"SetModalState(1)", "show", "SetModalState(0)"});
    CHECK(about.module == control->GetResourceInstance());
    control->calls = nullptr;
    control->Release();
}

TEST_CASE("About box owner: the foreground window only when it is this thread's")
{
    AboutFixture about;
    HWND mine = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 100, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    REQUIRE(mine);
    SetForegroundWindow(mine);
    Pump();
    HWND foreground = GetForegroundWindow();
    ShowAboutBox(nullptr);
    REQUIRE(about.dialog);
    if (foreground && GetWindowThreadProcessId(foreground, nullptr) == GetCurrentThreadId())
        CHECK(about.owner == foreground);
    else
        CHECK(about.owner == nullptr);
    CHECK(about.owner == mine);
    DestroyWindow(about.dialog);
    DestroyWindow(mine);
}

namespace {

// A top-level window that lives on a thread of its own.
class ForeignWindow {
public:
    ForeignWindow()
    {
        m_ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        m_thread = CreateThread(nullptr, 0, &Run, this, 0, &m_threadId);
        WaitForSingleObject(m_ready, 10000);
    }
    ~ForeignWindow()
    {
        if (m_window)
            PostMessageW(m_window, WM_CLOSE, 0, 0);
        if (m_thread) {
            WaitForSingleObject(m_thread, 10000);
            CloseHandle(m_thread);
        }
        CloseHandle(m_ready);
    }
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;
    HWND Handle() const { return m_window; }

private:
    static DWORD WINAPI Run(void* parameter)
    {
        auto* self = static_cast<ForeignWindow*>(parameter);
        self->m_window = CreateWindowExW(0, L"STATIC", L"foreign", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 50, 200, 100,
                                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetEvent(self->m_ready);
        MSG message;
        while (self->m_window && GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (message.message == WM_CLOSE && message.hwnd == self->m_window) {
                DestroyWindow(self->m_window);
                break;
            }
            DispatchMessageW(&message);
        }
        return 0;
    }

    HANDLE m_ready = nullptr;
    HANDLE m_thread = nullptr;
    DWORD m_threadId = 0;
    HWND m_window = nullptr;
};

} // namespace

TEST_CASE("About box owner: a foreground window of another thread is not disabled")
{
    ForeignWindow foreign;
    REQUIRE(foreign.Handle());
    SetForegroundWindow(foreign.Handle());
    REQUIRE(GetForegroundWindow() == foreign.Handle());
    AboutFixture about;
    ShowAboutBox(nullptr);
    REQUIRE(about.dialog);
    CHECK(about.owner == nullptr);
    CHECK(IsWindowEnabled(foreign.Handle()));
}
