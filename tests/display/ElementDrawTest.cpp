// Drawing the element tree in phases, with the draw filter and the draw
// object it receives, read back from a memory context; and the rectangle
// and draw objects on their own.
#include "Canvas.h"
#include "DisplayFakes.h"

#include "DrawContext.h"
#include "HvUIRect.h"
#include "InterfacePtr.h"
#include "ModelTestSupport.h"

#include <doctest/doctest.h>

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Yellow = RGB(255, 255, 0);
constexpr BYTE Transparent = 3;

// Grid (red) 0,0,40,40 > Area (blue) 10,10,30,30 > Text (green) 12,12,16,16.
struct Painting {
    Painting()
    {
        grid = TestElement::Make(&layout, nullptr, RECT{0, 0, 40, 40}, UIElementType::Grid);
        layout.root = grid;
        grid->plan = {{300, RECT{10, 10, 30, 30}, {{10000, RECT{12, 12, 16, 16}, {}}}}};
        grid->PositionChildElements();
        area = grid->Child(300);
        text = area->Child(10000);
        grid->appearance.SetBackColor(Red);
        area->appearance.SetBackColor(Blue);
        text->appearance.SetBackColor(Green);
    }
    ~Painting() { grid->Release(); }

    void Paint(DWORD mode = DrawMode::OffScreen)
    {
        canvas.Fill(RGB(255, 255, 255));
        CDrawContext context(canvas.Dc(), 0, 0, 40, 40, mode);
        AppearanceData empty;
        grid->DrawElementAndChildren(context, grid->StoredRect(), empty);
        context.Flush();
    }

    FakeLayout layout;
    Canvas canvas{40, 40, RGB(255, 255, 255)};
    TestElement* grid = nullptr;
    TestElement* area = nullptr;
    TestElement* text = nullptr;
};

} // namespace

TEST_CASE("elements draw their backgrounds, then their children over them")
{
    Painting p;
    p.Paint();
    CHECK(p.canvas.At(0, 0) == Red);
    CHECK(p.canvas.At(20, 20) == Blue);
    CHECK(p.canvas.At(13, 13) == Green);
    CHECK(p.canvas.At(16, 16) == Blue);
}

TEST_CASE("a solid border is drawn on the element's edge")
{
    Painting p;
    p.area->borderStyle = 5;
    p.area->appearance.SetBorderColor(Yellow);
    p.Paint();
    CHECK(p.canvas.At(10, 10) == Yellow);
    CHECK(p.canvas.At(29, 20) == Yellow);
    CHECK(p.canvas.At(11, 20) == Blue);
}

TEST_CASE("the draw filter is called phase by phase with the draw object filled in")
{
    Painting p;
    FakeDrawFilter filter;
    p.layout.filter = &filter;
    p.Paint();
    const std::vector<std::string> expected = {
        "Draw 100", "Background 100", "Borders 100", "Foreground 100",
        "Draw 300", "Background 300", "Borders 300", "Foreground 300",
        "Draw 10000", "Background 10000", "Borders 10000", "Foreground 10000", "After 10000",
        "After 300", "After 100"};
    CHECK(filter.calls == expected);
    CHECK(filter.lastDc != 0);
    CHECK(filter.lastInvalidWidth == 40);
    CHECK(filter.lastBackColor == Red);
    // After the call the draw object no longer names a context.
    OLE_HANDLE dc = 1;
    REQUIRE(p.layout.draw->get_hDC(&dc) == S_OK);
    CHECK(dc == 0);

    // No filter call while events may not fire.
    filter.calls.clear();
    p.layout.control.canFire = false;
    p.Paint();
    CHECK(filter.calls.empty());
}

TEST_CASE("cancelling BeforeDraw suppresses the element's phases, children, focus and AfterDraw")
{
    Painting p;
    FakeDrawFilter filter;
    filter.cancelCall = "Draw";
    filter.cancelType = 300;
    p.layout.filter = &filter;
    p.area->drawState = DrawStateBit::Focus;
    p.area->container = true;
    p.Paint();
    CHECK(p.canvas.At(20, 20) == Red);
    CHECK(p.canvas.At(13, 13) == Red);
    CHECK(p.area->focusDrawn == 0);
    const std::vector<std::string> expected = {"Draw 100", "Background 100", "Borders 100", "Foreground 100",
                                               "Draw 300", "After 100"};
    CHECK(filter.calls == expected);
}

TEST_CASE("cancelling BeforeDrawBackground also suppresses the background picture")
{
    Painting p;
    InterfacePtr picture;
    REQUIRE(MakeBitmapPicture(picture, 2, 2, [](int, int) { return Yellow; }));
    Ref<IPictureDisp> disp(picture.GetPictureDisp());
    p.area->appearance.SetPictureBackground(disp.Get());
    p.area->appearance.SetNibble(AppearanceBit::PictureBackgroundStyle, 3);
    p.Paint();
    CHECK(p.canvas.At(20, 20) == Yellow);

    FakeDrawFilter filter;
    filter.cancelCall = "Background";
    filter.cancelType = 300;
    p.layout.filter = &filter;
    p.Paint();
    CHECK(p.canvas.At(20, 20) == Red);
    CHECK(p.canvas.At(13, 13) == Green);
}

TEST_CASE("a transparent background colour is not painted but a background picture still is")
{
    Painting p;
    p.area->appearance.SetNibble(AppearanceBit::BackColorAlpha, Transparent);
    p.Paint();
    CHECK(p.canvas.At(20, 20) == Red);

    InterfacePtr picture;
    REQUIRE(MakeBitmapPicture(picture, 2, 2, [](int, int) { return Yellow; }));
    Ref<IPictureDisp> disp(picture.GetPictureDisp());
    p.area->appearance.SetPictureBackground(disp.Get());
    p.area->appearance.SetNibble(AppearanceBit::PictureBackgroundStyle, 3);
    p.Paint();
    CHECK(p.canvas.At(20, 20) == Yellow);
}

TEST_CASE("a transparent foreground handed down hides the children and the focus mark, not the element")
{
    Painting p;
    p.area->drawState = DrawStateBit::Focus;
    p.Paint();
    CHECK(p.area->focusDrawn == 1);

    p.grid->appearance.SetNibble(AppearanceBit::ForegroundAlpha, Transparent);
    p.Paint();
    CHECK(p.canvas.At(20, 20) == Blue);
    CHECK(p.canvas.At(13, 13) == Blue);
    CHECK(p.area->focusDrawn == 1);
}

TEST_CASE("dead elements draw nothing")
{
    Painting p;
    p.layout.hasControl = false;
    p.Paint(0);
    CHECK(p.canvas.At(20, 20) == RGB(255, 255, 255));
}

TEST_CASE("the rectangle object: plain differences, its own RECT, null pointers")
{
    const RECT backwards = {10, 20, 4, 5};
    HvUIRect* rect = nullptr;
    REQUIRE(HvUIRect::Create(&backwards, &rect) == S_OK);
    long value = 0;
    CHECK(rect->get_Width(&value) == S_OK);
    CHECK(value == -6);
    CHECK(rect->get_Height(&value) == S_OK);
    CHECK(value == -15);
    CHECK(rect->get_Right(&value) == S_OK);
    CHECK(value == 4);
    CHECK(rect->GetRectPtr(&value) == S_OK);
    CHECK(reinterpret_cast<RECT*>(value) == &rect->Rect());
    CHECK(rect->get_Left(nullptr) == E_INVALIDARG);
    CHECK(rect->Release() == 0);
}

TEST_CASE("the draw object between calls and across elements")
{
    HvTVDraw* draw = nullptr;
    REQUIRE(HvTVDraw::Create(nullptr, &draw) == S_OK);
    IHvUIRect* rect = reinterpret_cast<IHvUIRect*>(1);
    REQUIRE(draw->get_RectInvalid(&rect) == S_OK);
    CHECK(rect == nullptr);
    IHvUIElement* element = reinterpret_cast<IHvUIElement*>(1);
    REQUIRE(draw->get_UIElement(&element) == S_OK);
    CHECK(element == nullptr);

    Canvas canvas(10, 10, RGB(0, 0, 0));
    CDrawContext context(canvas.Dc(), 1, 2, 8, 9, 0);
    AppearanceData first;
    first.SetBackColor(Red);
    draw->SetDC(&context);
    draw->SetDrawInfo(nullptr, &first, 0, 2);
    OLE_HANDLE dc = 0;
    draw->get_hDC(&dc);
    CHECK(dc == HandleToUlong(canvas.Dc()));
    short width = 0;
    draw->get_BorderWidth(&width);
    CHECK(width == 2);
    IHvAppearance* appearance = nullptr;
    REQUIRE(draw->get_Appearance(&appearance) == S_OK);
    OLE_COLOR colour = 0;
    appearance->get_BackColor(&colour);
    CHECK(colour == Red);
    AppearanceData second;
    second.SetBackColor(Blue);
    draw->SetDrawInfo(nullptr, &second, 0, 1);
    IHvAppearance* again = nullptr;
    REQUIRE(draw->get_Appearance(&again) == S_OK);
    CHECK(again == appearance);
    appearance->get_BackColor(&colour);
    CHECK(colour == Blue);
    again->Release();
    appearance->Release();
    draw->SetDC(nullptr);
    draw->get_hDC(&dc);
    CHECK(dc == 0);
    REQUIRE(draw->get_RectInvalid(&rect) == S_OK);
    REQUIRE(rect != nullptr);
    long left = -1;
    rect->get_Left(&left);
    CHECK(left == 0);
    rect->Release();

    CAutomationObject::Deactivate(draw);
    CHECK(draw->get_RectInvalid(&rect) == static_cast<HRESULT>(0x800AA21B));
    CHECK(draw->get_hDC(nullptr) == E_INVALIDARG);
    draw->Release();
}
