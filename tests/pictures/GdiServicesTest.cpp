// The small GDI services: DIB copy, AlphaBlend binding, monitor work area and
// the dialog colour set.
#include "AlphaBlendBinding.h"
#include "Canvas.h"
#include "Color3DScheme.h"
#include "DibCopy.h"
#include "MonitorWorkArea.h"

#include <doctest/doctest.h>

#include <vector>

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

// An 8-bit DIB section with a two-entry colour table: index 0 red, 1 blue.
HBITMAP MakeIndexedBitmap(int width, int height)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.colours[0] = RGBQUAD{0, 0, 255, 0};
    info.colours[1] = RGBQUAD{255, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    const int stride = (width + 3) & ~3;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            static_cast<BYTE*>(bits)[y * stride + x] = x == 0 ? 1 : 0;
    return bitmap;
}

} // namespace

TEST_CASE("the selected bitmap of a memory context is copied through a DIB")
{
    struct Case {
        const char* name;
        bool indexed;
        bool bounds;
        int expectedRed;
    };
    // 3 x 2 bitmap, left column blue; stretched to 6 x 4 when rect is the bounds.
    const Case cases[] = {{"32-bit, own size", false, false, 4},
                          {"32-bit, stretched", false, true, 16},
                          {"8-bit with colour table, own size", true, false, 4},
                          {"8-bit with colour table, stretched", true, true, 16}};
    for (const Case& c : cases) {
        CAPTURE(c.name);
        HBITMAP bitmap = c.indexed ? MakeIndexedBitmap(3, 2)
                                   : MakeBitmap(3, 2, [](int x, int) { return x == 0 ? kBlue : kRed; });
        REQUIRE(bitmap);
        HDC source = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(source, bitmap);
        Canvas target(10, 10, kWhite);
        CHECK(DrawBitmapAsDIB(target.Dc(), source, RECT{1, 1, 7, 5}, c.bounds));
        CHECK(target.Count(kRed) == c.expectedRed);
        CHECK(target.At(1, 1) == kBlue);
        CHECK(target.At(1, 2) == kBlue);
        CHECK(target.At(0, 0) == kWhite);
        CHECK(GetCurrentObject(source, OBJ_BITMAP) == bitmap);   // still selected
        SelectObject(source, previous);
        DeleteDC(source);
        DeleteObject(bitmap);
    }
}

TEST_CASE("AlphaBlend is bound once and blends")
{
    REQUIRE(IsAlphaBlendAvailable());
    CHECK(reinterpret_cast<void*>(LoadAlphaBlendEntry()) != nullptr);
    Canvas target(4, 4, RGB(0, 0, 0));
    Canvas source(4, 4, RGB(200, 100, 0));
    BLENDFUNCTION half = {AC_SRC_OVER, 0, 128, 0};
    CHECK(AlphaBlendIfAvailable(target.Dc(), 0, 0, 4, 4, source.Dc(), 0, 0, 4, 4, half));
    const COLORREF blended = target.At(2, 2);
    CHECK(GetRValue(blended) >= 99);
    CHECK(GetRValue(blended) <= 101);
    CHECK(GetGValue(blended) >= 49);
    CHECK(GetGValue(blended) <= 51);
}

TEST_CASE("monitor work areas")
{
    GetMonitorWorkArea(nullptr, nullptr);   // nothing to fill: no effect
    RECT primary = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &primary, 0);
    RECT area = {-1, -1, -1, -1};
    GetMonitorWorkArea(&area, nullptr);
    CHECK(EqualRect(&area, &primary));

    RECT inside = {primary.left + 10, primary.top + 10, primary.left + 20, primary.top + 20};
    RECT nearest = {};
    GetMonitorWorkArea(&nearest, &inside);
    CHECK(PtInRect(&nearest, POINT{inside.left, inside.top}));
    CHECK(nearest.right > nearest.left);
}

TEST_CASE("dialog colour sets by mode")
{
    SUBCASE("classic colours, with and without the dark inner shadow")
    {
        Color3DScheme light(0, 1, 2, 3, 4, false, 7);
        CHECK(light.GetFaceColor() == RGB(0xC0, 0xC0, 0xC0));
        CHECK(light.ShadowColor() == RGB(0x80, 0x80, 0x80));
        CHECK(light.HighlightColor() == kWhite);
        CHECK(light.FrameColor() == 0);
        CHECK(light.InnerShadowColor() == RGB(0x80, 0x80, 0x80));
        CHECK(light.InnerHighlightColor() == kWhite);
        CHECK(light.GetTextColor() == 0);
        CHECK(light.Flag() == 7);
        Color3DScheme dark(0, 1, 2, 3, 4, true, 0);
        CHECK(dark.InnerShadowColor() == 0);
    }
    SUBCASE("system colours")
    {
        Color3DScheme system(1, 1, 2, 3, 4, true, 0);
        CHECK(system.GetFaceColor() == GetSysColor(COLOR_3DFACE));
        CHECK(system.ShadowColor() == GetSysColor(COLOR_3DSHADOW));
        CHECK(system.HighlightColor() == GetSysColor(COLOR_3DHILIGHT));
        CHECK(system.FrameColor() == GetSysColor(COLOR_WINDOWFRAME));
        CHECK(system.InnerShadowColor() == system.ShadowColor());
        CHECK(system.GetTextColor() == GetSysColor(COLOR_WINDOWTEXT));
    }
    SUBCASE("given colours")
    {
        Color3DScheme given(2, RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), RGB(10, 11, 12), true, 0);
        CHECK(given.GetFaceColor() == RGB(1, 2, 3));
        CHECK(given.InnerShadowColor() == RGB(4, 5, 6));
        CHECK(given.InnerHighlightColor() == RGB(7, 8, 9));
        CHECK(given.FrameColor() == RGB(10, 11, 12));
    }
}

TEST_CASE("dialog pens and brushes: stock objects for the stock colours, others made once")
{
    Color3DScheme grey(2, RGB(0x80, 0x80, 0x80), 0, kWhite, 0, false, 0);
    CHECK(grey.GetFaceBrush() == GetStockObject(GRAY_BRUSH));
    CHECK(grey.GetShadowPen() == GetStockObject(BLACK_PEN));
    CHECK(grey.GetHighlightPen() == GetStockObject(WHITE_PEN));
    Color3DScheme classic(0, 0, 0, 0, 0, false, 0);
    CHECK(classic.GetFaceBrush() == GetStockObject(LTGRAY_BRUSH));

    Color3DScheme odd(2, RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), 0, false, 0);
    HBRUSH brush = odd.GetFaceBrush();
    HPEN pen = odd.GetShadowPen();
    CHECK(brush != nullptr);
    CHECK(brush == odd.GetFaceBrush());
    CHECK(pen == odd.GetShadowPen());
    CHECK(odd.GetHighlightPen() != pen);
    LOGBRUSH logBrush = {};
    REQUIRE(GetObjectW(brush, sizeof(logBrush), &logBrush));
    CHECK(logBrush.lbColor == RGB(1, 2, 3));
}

TEST_CASE("an edge is drawn around a dialog item, inflated by its parts")
{
    HWND dialog = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    REQUIRE(dialog);
    HWND item = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 20, 30, 40, 20, dialog, reinterpret_cast<HMENU>(7),
                                nullptr, nullptr);
    REQUIRE(item);
    Canvas canvas(100, 100, RGB(1, 1, 1));
    // Outer and inner parts: the 40 x 20 item grows by 3 (inflation 1 + 2).
    CHECK(DrawDialogItemEdge(canvas.Dc(), dialog, 7, EDGE_SUNKEN, BF_RECT, 1));
    CHECK(canvas.At(17, 27) != RGB(1, 1, 1));
    CHECK(canvas.At(16, 26) == RGB(1, 1, 1));
    CHECK(canvas.At(62, 52) != RGB(1, 1, 1));
    CHECK(canvas.At(63, 53) == RGB(1, 1, 1));
    CHECK(canvas.At(30, 40) == RGB(1, 1, 1));
    CHECK_FALSE(DrawDialogItemEdge(canvas.Dc(), dialog, 8, EDGE_SUNKEN, BF_RECT, 0));
    DestroyWindow(dialog);
}
