// The draw context: off-screen drawing, clipping under an offset, the GDI
// cache, borders by style, alpha layers, pictures and the expansion box,
// each checked by reading pixels back from a memory context.
#include "Canvas.h"
#include "DrawContext.h"

#include "AppearanceData.h"
#include "InterfacePtr.h"

#include <doctest/doctest.h>

#include <string>

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

bool Near(COLORREF a, COLORREF b, int tolerance = 3)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

} // namespace

TEST_CASE("off-screen drawing reaches the target only at Flush, and only inside the area")
{
    Canvas canvas(40, 40, White);
    {
        CDrawContext context(canvas.Dc(), 10, 10, 30, 30, DrawMode::OffScreen);
        REQUIRE(context.IsOffScreen());
        CHECK(context.DrawDc() != canvas.Dc());
        const RECT everything = {0, 0, 40, 40};
        context.FillRectColor(everything, Red);
        CHECK(canvas.At(20, 20) == White);
        CHECK(context.Flush());
    }
    CHECK(canvas.At(10, 10) == Red);
    CHECK(canvas.At(29, 29) == Red);
    CHECK(canvas.At(9, 20) == White);
    CHECK(canvas.At(30, 20) == White);
}

TEST_CASE("direct drawing goes to the target at once")
{
    Canvas canvas(20, 20, White);
    CDrawContext context(canvas.Dc(), 0, 0, 20, 20, 0);
    CHECK(context.DrawDc() == canvas.Dc());
    const RECT rect = {2, 2, 5, 5};
    context.FillRectColor(rect, Blue);
    CHECK(canvas.At(3, 3) == Blue);
    CHECK(canvas.At(5, 5) == White);
}

TEST_CASE("ClipRectToDrawArea works under the viewport offset")
{
    Canvas canvas(100, 100, White);
    CDrawContext context(canvas.Dc(), 10, 10, 50, 50, 0);
    struct Case {
        RECT in;
        int dx, dy;
        bool any;
        RECT out;
    };
    const Case cases[] = {
        {{20, 20, 30, 30}, 0, 0, true, {20, 20, 30, 30}},
        {{0, 0, 20, 20}, 0, 0, true, {10, 10, 20, 20}},
        {{60, 60, 70, 70}, 0, 0, false, {0, 0, 0, 0}},
        // Shifted by the offset (5, 5): (0..10) becomes (5..15), clipped to
        // (10..15), shifted back to (5..10).
        {{0, 0, 10, 10}, 5, 5, true, {5, 5, 10, 10}},
        // Wholly outside: the empty result is shifted back as well.
        {{60, 60, 70, 70}, 5, 5, false, {-5, -5, -5, -5}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.in.left);
        CAPTURE(c.dx);
        CDrawContext local(canvas.Dc(), 10, 10, 50, 50, 0);
        local.OffsetOrigin(c.dx, c.dy);
        RECT rect = c.in;
        CHECK(local.ClipRectToDrawArea(rect) == c.any);
        CHECK(EqualRect(&rect, &c.out));
        local.OffsetOrigin(-c.dx, -c.dy);
    }
}

TEST_CASE("OffsetOrigin on one axis moves drawing on that axis")
{
    Canvas canvas(20, 20, White);
    {
        CDrawContext context(canvas.Dc(), 0, 0, 20, 20, 0);
        context.OffsetOrigin(5, 0);
        CHECK(context.GetOffsetX() == 5);
        CHECK(context.GetOffsetY() == 0);
        const RECT rect = {0, 0, 2, 2};
        context.FillRectColor(rect, Red);
        context.OffsetOrigin(-5, 0);
    }
    CHECK(canvas.At(5, 0) == Red);
    CHECK(canvas.At(0, 0) == White);
}

TEST_CASE("SetClipRect limits drawing; an empty rectangle removes the clip")
{
    Canvas canvas(20, 20, White);
    CDrawContext context(canvas.Dc(), 0, 0, 20, 20, 0);
    const RECT all = {0, 0, 20, 20};
    const RECT clip = {5, 5, 10, 10};
    context.SetClipRect(clip);
    context.FillRectColor(all, Red);
    CHECK(canvas.At(5, 5) == Red);
    CHECK(canvas.At(10, 10) == White);
    const RECT empty = {3, 3, 3, 9};
    context.SetClipRect(empty);
    context.FillRectColor(all, Blue);
    CHECK(canvas.At(0, 0) == Blue);
    CHECK(canvas.At(19, 19) == Blue);
}

TEST_CASE("the brush cache makes a brush only when the colour changes, and the first objects come back")
{
    Canvas canvas(10, 10, White);
    HGDIOBJ firstBrush = GetCurrentObject(canvas.Dc(), OBJ_BRUSH);
    HGDIOBJ firstPen = GetCurrentObject(canvas.Dc(), OBJ_PEN);
    {
        CDrawContext context(canvas.Dc(), 0, 0, 10, 10, 0);
        REQUIRE(context.SelectBrushColor(Red));
        HGDIOBJ red = GetCurrentObject(canvas.Dc(), OBJ_BRUSH);
        REQUIRE(context.SelectBrushColor(Red));
        CHECK(GetCurrentObject(canvas.Dc(), OBJ_BRUSH) == red);
        REQUIRE(context.SelectBrushColor(Blue));
        CHECK(GetCurrentObject(canvas.Dc(), OBJ_BRUSH) != red);
        const RECT rect = {0, 0, 3, 3};
        context.FillRect(rect);
        CHECK(canvas.At(1, 1) == Blue);
        // FillRectColor with -1 uses the cached brush.
        const RECT other = {4, 4, 6, 6};
        context.FillRectColor(other, NoColor);
        CHECK(canvas.At(5, 5) == Blue);
        REQUIRE(context.SelectPen(Red, 0));
    }
    CHECK(GetCurrentObject(canvas.Dc(), OBJ_BRUSH) == firstBrush);
    CHECK(GetCurrentObject(canvas.Dc(), OBJ_PEN) == firstPen);
}

TEST_CASE("borders by style")
{
    struct Case {
        const char* name;
        long style;
        UINT sides;
        POINT drawn[2];
        POINT clear[2];
        int shrink; // how far the rectangle moves in with the shrink flag
    };
    // Rectangle (2, 2, 12, 12).
    const Case cases[] = {
        {"solid, all sides: a frame", 5, 15, {{2, 2}, {11, 11}}, {{3, 3}, {12, 12}}, 1},
        {"default: solid", 0, 15, {{2, 7}, {11, 7}}, {{7, 7}, {1, 7}}, 1},
        {"solid, top and left", 5, 1 | 2, {{7, 2}, {2, 7}}, {{11, 7}, {7, 11}}, 1},
        {"solid, right and bottom", 5, 4 | 8, {{11, 7}, {7, 11}}, {{2, 7}, {7, 2}}, 1},
        {"none", 1, 15, {{-1, -1}, {-1, -1}}, {{2, 2}, {11, 11}}, 0},
        {"inset: sunken edge, never shrunk", 6, 15, {{2, 2}, {3, 3}}, {{7, 7}, {6, 6}}, 0},
        {"raised soft", 9, 15, {{11, 11}, {11, 11}}, {{7, 7}, {6, 6}}, 0},
    };
    for (const Case& c : cases) {
        const std::string name = c.name;
        CAPTURE(name);
        Canvas canvas(14, 14, White);
        CDrawContext context(canvas.Dc(), 0, 0, 14, 14, 0);
        RECT rect = {2, 2, 12, 12};
        REQUIRE(context.DrawBorder(rect, c.style, Black, c.sides | BorderSide::Shrink));
        for (POINT p : c.drawn)
            if (p.x >= 0) {
                CAPTURE(p.x);
                CHECK(canvas.At(p.x, p.y) != White);
            }
        for (POINT p : c.clear)
            CHECK(canvas.At(p.x, p.y) == White);
        CHECK(rect.left == 2 + c.shrink);
        CHECK(rect.bottom == 12 - c.shrink);
    }
}

TEST_CASE("dotted borders leave every other pixel")
{
    Canvas canvas(20, 6, White);
    CDrawContext context(canvas.Dc(), 0, 0, 20, 6, 0);
    RECT rect = {0, 0, 20, 6};
    context.DrawBorder(rect, 2, Black, BorderSide::Top);
    int drawn = 0;
    for (int x = 0; x < 20; ++x)
        drawn += canvas.At(x, 0) == Black;
    CHECK(drawn == 10);
    CHECK(canvas.At(0, 1) == White);
}

TEST_CASE("alpha layers blend a phase at its level; opaque and zero levels draw directly")
{
    Canvas canvas(20, 20, White);
    {
        CDrawContext context(canvas.Dc(), 0, 0, 20, 20, DrawMode::OffScreen | DrawMode::AlphaLayers);
        REQUIRE((context.Mode() & DrawMode::AlphaLayers) != 0);
        // The off-screen picture starts undefined: paint it first, as the
        // grid's opaque background does.
        const RECT all = {0, 0, 20, 20};
        context.FillRectColor(all, White);
        const RECT half = {0, 0, 10, 20};
        HDC main = context.DrawDc();
        REQUIRE(context.BeginAlphaLayer(half, 128));
        CHECK(context.DrawDc() != main);
        CHECK(context.LayerUnderDc() == main);
        context.FillRectColor(half, Black);
        // The same level over an overlapping rectangle shares the layer.
        const RECT inside = {2, 2, 4, 4};
        CHECK_FALSE(context.BeginAlphaLayer(inside, 128));
        // One that reaches out of it, at the same level, opens a layer of
        // its own.
        const RECT across = {5, 5, 15, 15};
        CHECK(context.BeginAlphaLayer(across, 128));
        const RECT right = {10, 0, 20, 20};
        REQUIRE(context.BeginAlphaLayer(right, 255));
        CHECK(context.DrawDc() == main);
        CHECK(context.LayerUnderDc() == nullptr);
        context.FillRectColor(right, Blue);
        context.Flush();
    }
    const COLORREF blended = canvas.At(5, 5);
    CAPTURE(blended);
    CHECK(Near(blended, RGB(127, 127, 127)));
    CHECK(canvas.At(15, 5) == Blue);
}

TEST_CASE("without alpha layers a context of mode 3 draws as mode 1")
{
    Canvas canvas(10, 10, White);
    CDrawContext context(canvas.Dc(), 0, 0, 10, 10, DrawMode::OffScreen);
    const RECT rect = {0, 0, 10, 10};
    CHECK_FALSE(context.BeginAlphaLayer(rect, 128));
}

TEST_CASE("pictures: centred, stretched and tiled in their origin rectangle")
{
    InterfacePtr picture;
    REQUIRE(MakeBitmapPicture(picture, 2, 2, [](int x, int) { return x == 0 ? Red : Blue; }));
    const RECT origin = {0, 0, 10, 10};
    const RECT area = {0, 0, 10, 10};
    {
        Canvas canvas(10, 10, White);
        CDrawContext context(canvas.Dc(), 0, 0, 10, 10, 0);
        CHECK(context.DrawPicture(picture.Get(), origin, area, 1));
        CHECK(canvas.At(4, 4) == Red);
        CHECK(canvas.At(5, 5) == Blue);
        CHECK(canvas.At(0, 0) == White);
    }
    {
        Canvas canvas(10, 10, White);
        CDrawContext context(canvas.Dc(), 0, 0, 10, 10, 0);
        CHECK(context.DrawPicture(picture.Get(), origin, area, 2));
        CHECK(canvas.At(1, 1) == Red);
        CHECK(canvas.At(8, 8) == Blue);
    }
    {
        Canvas canvas(10, 10, White);
        CDrawContext context(canvas.Dc(), 0, 0, 10, 10, 0);
        const RECT clip = {0, 0, 10, 6};
        CHECK(context.DrawPicture(picture.Get(), origin, clip, 3));
        CHECK(canvas.At(6, 3) == Red);
        CHECK(canvas.At(7, 3) == Blue);
        CHECK(canvas.At(6, 7) == White);
    }
    Canvas canvas(10, 10, White);
    CDrawContext context(canvas.Dc(), 0, 0, 10, 10, 0);
    CHECK_FALSE(context.DrawPicture(picture.Get(), origin, area, 0));
    CHECK(canvas.Count(White) == 100);
}

TEST_CASE("the expansion indicator: a framed box with a minus or a plus")
{
    AppearanceData appearance;
    appearance.SetBorderColor(RGB(0, 0, 0));
    appearance.SetBackColor(RGB(255, 255, 0));
    appearance.SetForeColor(RGB(0, 0, 255));
    for (bool plus : {false, true}) {
        CAPTURE(plus);
        Canvas canvas(13, 13, White);
        CDrawContext context(canvas.Dc(), 0, 0, 13, 13, 0);
        RECT rect = {0, 0, 13, 13};
        REQUIRE(context.DrawExpansionIndicator(rect, (plus ? ExpansionFlag::Plus : 0) | ExpansionFlag::ReturnBox,
                                               appearance));
        const RECT box = {2, 2, 11, 11};
        CHECK(EqualRect(&rect, &box));
        CHECK(canvas.At(2, 2) == Black);
        CHECK(canvas.At(3, 3) == RGB(255, 255, 0));
        CHECK(canvas.At(6, 6) == Blue);
        CHECK(canvas.At(4, 6) == Blue);
        CHECK(canvas.At(6, 4) == (plus ? Blue : RGB(255, 255, 0)));
        // The box has left the clip: later drawing does not cover it.
        const RECT all = {0, 0, 13, 13};
        context.FillRectColor(all, Red);
        CHECK(canvas.At(6, 6) == Blue);
        CHECK(canvas.At(0, 0) == Red);
    }
}
