// The layout's window utilities: the captioned ancestor, the caption hold
// that keeps a form's caption active while a popup has the focus, and the
// placing of a picture beside text.
#include <doctest/doctest.h>

#include "LayoutTestSupport.h"

#include "AppearanceData.h"

namespace {

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* PlainClass()
{
    static ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PlainProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"HvLayoutTestWindow";
        return RegisterClassW(&wc);
    }();
    REQUIRE(atom != 0);
    return L"HvLayoutTestWindow";
}

// A window destroyed with the test (never shown).
struct Window {
    HWND handle;
    Window(DWORD style, HWND parent)
        : handle(CreateWindowExW(0, PlainClass(), L"", style, 0, 0, 200, 100, parent, nullptr,
                                 GetModuleHandleW(nullptr), nullptr))
    {
        REQUIRE(handle != nullptr);
    }
    ~Window() { DestroyWindow(handle); }
};

LONG_PTR ProcOf(HWND window)
{
    return GetWindowLongPtrW(window, GWLP_WNDPROC);
}

// A subclass of the test's own that counts what reaches it.
int g_seenDestroys = 0;
WNDPROC g_beneath = nullptr;
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
        ++g_seenDestroys;
    return CallWindowProcW(g_beneath, window, message, wParam, lParam);
}

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

} // namespace

TEST_CASE("GetCaptionedAncestor walks up to the first window with a caption")
{
    Window form(WS_OVERLAPPEDWINDOW, nullptr);
    Window panel(WS_CHILD, form.handle);
    Window inner(WS_CHILD, panel.handle);
    CHECK(HvLayout::GetCaptionedAncestor(inner.handle) == form.handle);
    CHECK(HvLayout::GetCaptionedAncestor(form.handle) == form.handle);
    Window popup(WS_POPUP, nullptr);
    Window child(WS_CHILD, popup.handle);
    CHECK(HvLayout::GetCaptionedAncestor(child.handle) == popup.handle);
}

TEST_CASE("a caption hold keeps the caption active and ends cleanly")
{
    LayoutRef layout;
    Window frame(WS_OVERLAPPEDWINDOW, nullptr);
    Window form(WS_CHILD | WS_CAPTION, frame.handle);
    Window grid(WS_CHILD, form.handle);
    const LONG_PTR formProc = ProcOf(form.handle);
    const LONG_PTR frameProc = ProcOf(frame.handle);

    HvLayout::SubclassCaptionWindows(grid.handle, layout.Get());
    CHECK(HvLayout::CaptionHoldWindow() == form.handle);
    CHECK(ProcOf(form.handle) != formProc);
    CHECK(ProcOf(frame.handle) != frameProc);
    CHECK(GetPropW(frame.handle, L"CaptionWindowProp") != nullptr);
    // Deactivation is refused on both while the hold runs.
    CHECK(SendMessageW(form.handle, WM_NCACTIVATE, FALSE, 0) == TRUE);
    CHECK(SendMessageW(frame.handle, WM_NCACTIVATE, FALSE, 0) == TRUE);

    // A second hold does not start while one runs.
    Window other(WS_OVERLAPPEDWINDOW, nullptr);
    const LONG_PTR otherProc = ProcOf(other.handle);
    HvLayout::SubclassCaptionWindows(other.handle, layout.Get());
    CHECK(ProcOf(other.handle) == otherProc);

    HvLayout::RestoreCaptionWindows();
    CHECK(HvLayout::CaptionHoldWindow() == nullptr);
    CHECK(ProcOf(form.handle) == formProc);
    CHECK(ProcOf(frame.handle) == frameProc);
    CHECK(GetPropW(frame.handle, L"CaptionWindowProp") == nullptr);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

TEST_CASE("a caption hold leaves the windows' user data, ends with its window and spares later subclasses")
{
    LayoutRef layout;
    SUBCASE("the user data stays the window owner's")
    {
        Window form(WS_OVERLAPPEDWINDOW, nullptr);
        SetWindowLongPtrW(form.handle, GWLP_USERDATA, 1234);
        HvLayout::SubclassCaptionWindows(form.handle, layout.Get());
        CHECK(GetWindowLongPtrW(form.handle, GWLP_USERDATA) == 1234);
        CHECK(HvLayout::CaptionHoldLayout() == layout.Get());
        HvLayout::RestoreCaptionWindows();
        CHECK(HvLayout::CaptionHoldLayout() == nullptr);
        CHECK(GetWindowLongPtrW(form.handle, GWLP_USERDATA) == 1234);
    }
    SUBCASE("destroying the held window ends the hold; WM_NCDESTROY reaches its own procedure once")
    {
        HWND form = CreateWindowExW(0, PlainClass(), L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
        REQUIRE(form);
        g_seenDestroys = 0;
        g_beneath = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
        HvLayout::SubclassCaptionWindows(form, layout.Get());
        REQUIRE(HvLayout::CaptionHoldWindow() == form);
        DestroyWindow(form);
        CHECK(HvLayout::CaptionHoldWindow() == nullptr);
        CHECK(g_seenDestroys == 1);
        Pump();
        CHECK(g_seenDestroys == 1);
    }
    SUBCASE("a subclass put on after the hold keeps its place when the stale hook hears a message")
    {
        Window form(WS_OVERLAPPEDWINDOW, nullptr);
        Window form2(WS_OVERLAPPEDWINDOW, nullptr);
        HvLayout::SubclassCaptionWindows(form.handle, layout.Get());
        // Another subclass on top: the hold cannot take its hook off.
        g_beneath = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(form.handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
        HvLayout::RestoreCaptionWindows();
        CHECK(ProcOf(form.handle) == reinterpret_cast<LONG_PTR>(CountingProc));
        // A new hold elsewhere; the old window's stale hook passes its
        // messages on and unhooks itself, the subclass above it stays.
        HvLayout::SubclassCaptionWindows(form2.handle, layout.Get());
        CHECK(SendMessageW(form.handle, WM_NCACTIVATE, FALSE, 0) == DefWindowProcW(form.handle, WM_NCACTIVATE, FALSE, 0));
        CHECK(ProcOf(form.handle) == reinterpret_cast<LONG_PTR>(CountingProc));
        HvLayout::RestoreCaptionWindows();
        // Once the subclass above has gone, the stale hook takes itself off.
        SetWindowLongPtrW(form.handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_beneath));
        SendMessageW(form.handle, WM_NULL, 0, 0);
        CHECK(ProcOf(form.handle) == reinterpret_cast<LONG_PTR>(PlainProc));
    }
    Pump();
}

TEST_CASE("the edit window's colours come from the layout during a caption hold")
{
    LayoutRef layout;
    Window form(WS_OVERLAPPEDWINDOW, nullptr);
    Window edit(WS_CHILD, form.handle);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    layout->SetEditWindow(edit.handle, brush, RGB(10, 20, 30), RGB(40, 50, 60));
    HvLayout::SubclassCaptionWindows(edit.handle, layout.Get());
    HDC dc = GetDC(edit.handle);
    LRESULT answer = SendMessageW(form.handle, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                  reinterpret_cast<LPARAM>(edit.handle));
    CHECK(answer == reinterpret_cast<LRESULT>(brush));
    CHECK(GetBkColor(dc) == RGB(10, 20, 30));
    CHECK(GetTextColor(dc) == RGB(40, 50, 60));
    ReleaseDC(edit.handle, dc);
    HvLayout::RestoreCaptionWindows();
    layout->SetEditWindow(nullptr, nullptr, 0, 0);
    DeleteObject(brush);
}

TEST_CASE("PositionPicture places a picture beside the text")
{
    LayoutRef layout;
    Ref<IPictureDisp> picture(NewBitmapPicture(16, 16));
    AppearanceData data;
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_DISPATCH;
    V_DISPATCH(&value) = picture.Get();
    REQUIRE(data.SetPicture(value) == S_OK);
    SIZE size{};
    data.GetPictureSize(size);
    REQUIRE(size.cx > 0);

    SUBCASE("left: the text moves past the picture")
    {
        data.SetNibble(AppearanceBit::PictureAlign, 1);
        RECT text{0, 0, 100, 40};
        RECT placed{};
        layout->PositionPicture(text, &placed, data);
        CHECK(placed.left == 0);
        CHECK(placed.right == size.cx);
        CHECK(text.left == size.cx + 1);
    }
    SUBCASE("right and vertically centred")
    {
        data.SetNibble(AppearanceBit::PictureAlign, 3);
        data.SetNibble(AppearanceBit::PictureVAlign, 2);
        RECT text{0, 0, 100, 40};
        RECT placed{};
        layout->PositionPicture(text, &placed, data);
        CHECK(placed.right == 100);
        CHECK(text.right == 100 - size.cx - 1);
        CHECK(placed.top == (40 - size.cy) / 2);
    }
    SUBCASE("centred at the top: the text goes below the picture")
    {
        data.SetNibble(AppearanceBit::PictureAlign, 2);
        data.SetNibble(AppearanceBit::PictureVAlign, 1);
        RECT text{0, 0, 100, 40};
        RECT placed{};
        layout->PositionPicture(text, &placed, data);
        CHECK(placed.left == (100 - size.cx) / 2);
        CHECK(text.top == placed.bottom);
    }
    SUBCASE("no picture: an empty rectangle")
    {
        AppearanceData none;
        RECT text{0, 0, 100, 40};
        RECT placed{1, 1, 2, 2};
        layout->PositionPicture(text, &placed, none);
        CHECK(IsRectEmpty(&placed));
        CHECK(text.left == 0);
    }
}
