// A grid made, bound, painted and destroyed again and again leaves the
// process's GDI and USER objects as they were.
#include "GridBindingFixture.h"

using namespace bindtest;

namespace {

struct GuiCounts {
    long gdi = 0;
    long user = 0;
};

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM counter)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId())
        return TRUE;
    ++*reinterpret_cast<long*>(counter);
    EnumChildWindows(window, [](HWND, LPARAM inner) -> BOOL {
        ++*reinterpret_cast<long*>(inner);
        return TRUE;
    }, counter);
    return TRUE;
}

// The process's GDI and USER objects as GetGuiResources counts them. Wine
// counts nothing there (it answers 0): then the GDI objects are counted in
// its handle table, where a handle is also found by its index alone, and
// the USER objects as the process's windows, message-only ones included.
GuiCounts Count()
{
    GuiCounts counts;
    counts.gdi = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    counts.user = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    if (counts.gdi == 0) {
        for (UINT_PTR index = 1; index <= 0xFFFF; ++index)
            if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0)
                ++counts.gdi;
    }
    if (counts.user == 0) {
        EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&counts.user));
        for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
             window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr))
            CountOwnWindow(window, reinterpret_cast<LPARAM>(&counts.user));
    }
    return counts;
}

// One grid's life: made, bound, shown and painted (on the screen and into
// a memory DC), a row read, destroyed.
void OneGrid(IUnknown* source)
{
    BoundGrid grid;
    REQUIRE(grid.Bind(source) == S_OK);
    ShowWindow(grid.window.Hwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(grid.window.Hwnd());
    ComPtr<IViewObject> view;
    REQUIRE(grid.control.As(&view) == S_OK);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 380, 280);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECTL bounds = {0, 0, 380, 280};
    CHECK(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, memory, &bounds, nullptr, nullptr, 0) == S_OK);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    CHECK(TextOf(grid.Row(hvChildRowFirst).Get(), L"AMOSTRA") == L"A1");
    ShowWindow(grid.window.Hwnd(), SW_HIDE);
}

} // namespace

TEST_CASE("fifty grids made, bound, painted and destroyed leave the GDI and USER objects as they were")
{
    Recordset rs;
    MakeAnalyses(rs, 20);
    ComPtr<IUnknown> source = DataSourceOf(rs);
    for (int i = 0; i < 3; ++i)   // caches of the system and of the library fill once
        OneGrid(source.Get());
    const GuiCounts before = Count();
    for (int i = 0; i < 50; ++i)
        OneGrid(source.Get());
    const GuiCounts after = Count();
    MESSAGE("GDI ", before.gdi, " -> ", after.gdi, ", USER ", before.user, " -> ", after.user);
    CHECK(before.gdi > 0);
    CHECK(after.gdi - before.gdi <= 5);
    CHECK(after.user - before.user <= 2);
}
