// The part elements: the text an owner gives, drawn with its alignment,
// disabled colour and pressed look, and the picture clipped to its element;
// read back from a memory context. And the caption area that holds them.
#include "Canvas.h"
#include "ElementFakes.h"

#include "DrawContext.h"
#include "HvCaptionAreaUIElement.h"
#include "HvGridUIElement.h"
#include "HvPictureUIElement.h"
#include "HvTextUIElement.h"

#include <doctest/doctest.h>

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);

// Pixels in the columns [left, right) that are not the background.
int InkIn(const Canvas& canvas, int left, int right, COLORREF background = White)
{
    int count = 0;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = left; x < right; ++x)
            if (canvas.At(x, y) != background)
                ++count;
    return count;
}

// A text element of its own 0,0,120,20 drawn on white with black text.
struct TextFixture {
    TextFixture()
    {
        text = HvTextUIElement::Make(&layout, nullptr, RECT{0, 0, 120, 20}, &owner, HvUIElementOwner::ContextText);
        REQUIRE(text);
        layout.root = text;
    }
    ~TextFixture() { text->Release(); }
    void Draw(AppearanceData data = AppearanceData())
    {
        canvas.Fill(White);
        CDrawContext context(canvas.Dc(), 0, 0, 120, 20, DrawMode::OffScreen);
        data.SetForeColor(RGB(0, 0, 0));
        data.SetBackColor(White);
        text->DrawElementAndChildren(context, RECT{0, 0, 120, 20}, data);
        context.Flush();
    }

    ElementsLayout layout;
    TextOwner owner;
    HvTextUIElement* text = nullptr;
    Canvas canvas{120, 20, White};
};

} // namespace

TEST_CASE("a text element draws its owner's text where the alignment puts it")
{
    struct Case {
        const char* name;
        BYTE textAlign; // 0: the owner's default
        UINT ownerDefault;
        bool inkLeft, inkRight;
    };
    const Case cases[] = {
        {"appearance left", 1, 64, true, false},
        {"appearance right", 3, 16, false, true},
        {"owner's default right", 0, 64, false, true},
        {"owner's default left", 0, 16, true, false},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        TextFixture f;
        f.owner.defaultAlign = c.ownerDefault;
        AppearanceData data;
        if (c.textAlign)
            data.SetNibble(AppearanceBit::TextAlign, c.textAlign);
        f.Draw(data);
        CHECK((InkIn(f.canvas, 0, 40) > 0) == c.inkLeft);
        CHECK((InkIn(f.canvas, 80, 120) > 0) == c.inkRight);
    }
}

TEST_CASE("a text element draws nothing for an empty text, and grey text when disabled")
{
    TextFixture f;
    f.owner.text.clear();
    f.Draw();
    CHECK(InkIn(f.canvas, 0, 120) == 0);

    f.owner.text = L"WWWW";
    f.owner.state = HvUIElementOwner::StateDisabled;
    f.Draw();
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    CHECK(f.canvas.Count(grey) > 0);
    CHECK(f.canvas.Count(RGB(0, 0, 0)) == 0);
}

TEST_CASE("the owner's pressed look moves the text")
{
    TextFixture f;
    f.owner.text = L"|";
    f.Draw();
    int plainTop = -1;
    for (int y = 0; y < 20 && plainTop < 0; ++y)
        for (int x = 0; x < 120; ++x)
            if (f.canvas.At(x, y) != White) {
                plainTop = y;
                break;
            }
    f.owner.pressedOffset = 2;
    f.Draw();
    int pressedTop = -1;
    for (int y = 0; y < 20 && pressedTop < 0; ++y)
        for (int x = 0; x < 120; ++x)
            if (f.canvas.At(x, y) != White) {
                pressedTop = y;
                break;
            }
    REQUIRE(plainTop >= 0);
    CHECK(pressedTop == plainTop + 2);
}

TEST_CASE("a text element hands presses and double clicks to its owner")
{
    TextFixture f;
    f.owner.handlesDown = true;
    CHECK(f.text->OnMouseDown(POINT{1, 1}, MK_LBUTTON));
    CHECK(f.owner.downs == 1);
    CHECK_FALSE(f.text->OnDoubleClick(POINT{1, 1}));
    CHECK(f.text->OwnerContext() == HvUIElementOwner::ContextText);
    CHECK(f.text->FindEnclosing(UIElementType::Text) == f.text);
    CHECK(f.text->FindEnclosing(UIElementType::Cell) == nullptr);
}

TEST_CASE("a picture element draws the appearance's picture inside its own rectangle only")
{
    ElementsLayout layout;
    TextOwner owner;
    HvPictureUIElement* picture =
        HvPictureUIElement::Make(&layout, nullptr, RECT{10, 10, 30, 30}, &owner, HvUIElementOwner::ContextPicture);
    REQUIRE(picture);
    InterfacePtr holder;
    REQUIRE(MakeBitmapPicture(holder, 40, 40, [](int, int) { return Red; }));
    AppearanceData data;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_UNKNOWN;
    value.punkVal = holder.Get();
    REQUIRE(data.SetPicture(value) == S_OK);

    Canvas canvas(40, 40, White);
    {
        // Drawn straight onto the canvas, so that whatever it draws outside
        // its rectangle would show.
        CDrawContext context(canvas.Dc(), 0, 0, 40, 40, 0);
        picture->DrawElementAndChildren(context, RECT{0, 0, 40, 40}, data);
        context.Flush();
    }
    CHECK(canvas.At(10, 10) == Red);
    CHECK(canvas.At(29, 29) == Red);
    CHECK(canvas.At(9, 20) == White);
    CHECK(canvas.At(30, 20) == White);
    CHECK(canvas.Count(Red) == 400);
    picture->Release();
}

TEST_CASE("the caption area shows the caption text inside its border, and its picture when it has one")
{
    ElementsLayout layout;
    TextOwner owner;
    layout.captionOwner = &owner;
    layout.captionHeight = 20;
    layout.captionBorderStyle = 7; // raised, 2 pixels
    HvGridUIElement* grid = HvGridUIElement::Make(&layout, &layout, RECT{});
    REQUIRE(grid);
    layout.root = grid;
    grid->SetRect(RECT{0, 0, 100, 60}, false);
    grid->VerifyChildElements();
    grid->PositionChildElements();

    auto firstOf = [](HvUIElement* parent, ULONG type) {
        HvUIElement* found = nullptr;
        for (HvUIElement* child : parent->ChildSnapshot()) {
            if (!found && child->Type() == type)
                found = child;
            child->Release();
        }
        return found;
    };
    HvUIElement* caption = firstOf(grid, UIElementType::CaptionArea);
    REQUIRE(caption);
    HvUIElement* text = firstOf(caption, UIElementType::Text);
    REQUIRE(text);
    // Inside the raised border of 2, one pixel more on the left and right.
    const RECT expected = {3, 2, 97, 18};
    CHECK(EqualRect(&text->StoredRect(), &expected));
    CHECK(firstOf(caption, UIElementType::Picture) == nullptr);

    // The text is kept across re-layouts.
    InterfacePtr holder;
    REQUIRE(MakeBitmapPicture(holder, 8, 8, [](int, int) { return Red; }));
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_UNKNOWN;
    value.punkVal = holder.Get();
    REQUIRE(layout.captionAppearance.SetPicture(value) == S_OK);
    caption->PositionChildElements();
    CHECK(firstOf(caption, UIElementType::Text) == text);
    HvUIElement* picture = firstOf(caption, UIElementType::Picture);
    REQUIRE(picture);
    const RECT square = {0, 0, 20, 20};
    CHECK(EqualRect(&picture->StoredRect(), &square));
    // The picture's room is taken out of the text's.
    const RECT besidePicture = {23, 2, 97, 18};
    CHECK(EqualRect(&text->StoredRect(), &besidePicture));
    grid->Deactivate();
    grid->Release();
}
