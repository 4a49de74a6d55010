// Push buttons, check boxes and indicators: the press of a button through
// the capture hooks, and the drawing of each part read back from a memory
// context.
#include "Canvas.h"
#include "ElementFakes.h"

#include "DrawContext.h"
#include "HvButtonCellUIElement.h"
#include "HvButtonUIElement.h"
#include "HvCheckBoxUIElement.h"
#include "HvSortIndicatorUIElement.h"
#include "HvSwapBtnUIElement.h"
#include "HvUIElements.h"

#include <doctest/doctest.h>

#include <vector>

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);

class PressRecorder final : public HvButtonSink {
public:
    void OnClick(OwnedElementSeam*) override { ++clicks; }
    void OnCancel(OwnedElementSeam*) override { ++cancels; }
    bool CanPress(OwnedElementSeam*) override
    {
        ++asks;
        return allow;
    }
    int clicks = 0, cancels = 0, asks = 0;
    bool allow = true;
};

std::vector<ULONG> g_registered;
std::vector<ULONG> g_unregistered;

struct CaptureHooks {
    CaptureHooks()
    {
        g_registered.clear();
        g_unregistered.clear();
        ButtonCaptureHooks().registerSink = [](UIElementControlSeam*, HvButtonUIElementBase*) -> ULONG {
            g_registered.push_back(7);
            return 7;
        };
        ButtonCaptureHooks().unregisterSink = [](UIElementControlSeam*, ULONG id) { g_unregistered.push_back(id); };
    }
    ~CaptureHooks() { ButtonCaptureHooks() = ButtonCapture(); }
};

// Draws one element alone on white, straight onto the canvas.
void DrawAlone(HvUIElement* element, Canvas& canvas, AppearanceData data = AppearanceData())
{
    canvas.Fill(White);
    CDrawContext context(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), 0);
    if (data.ForeColor() == UnsetColor)
        data.SetForeColor(Black);
    element->DrawElementAndChildren(context, RECT{0, 0, canvas.Width(), canvas.Height()}, data);
}

} // namespace

TEST_CASE("a button press ends in a click only when released inside")
{
    struct Case {
        const char* name;
        std::vector<POINT> moves;
        bool cancelled;
        int clicks, cancels;
    };
    const Case cases[] = {
        {"released inside", {{5, 5}}, false, 1, 0},
        {"moved out and released", {{50, 5}}, false, 0, 2}, // told of leaving, then of the release outside
        {"out and back in", {{50, 5}, {6, 6}}, false, 1, 1},
        {"cancelled by the dispatcher", {}, true, 0, 1},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        CaptureHooks hooks;
        ElementsLayout layout;
        TextOwner owner;
        PressRecorder recorder;
        HvButtonUIElement* button = HvButtonUIElement::Make(&layout, nullptr, RECT{0, 0, 20, 20}, &owner, &recorder);
        REQUIRE(button);
        REQUIRE(button->BeginPress());
        CHECK(button->IsPressed());
        CHECK(g_registered.size() == 1);
        CHECK((button->GetDrawState() & 16) != 0);
        for (POINT point : c.moves)
            button->OnPointerMove(point);
        if (c.cancelled)
            button->OnCancel();
        else
            button->OnButtonUp();
        CHECK_FALSE(button->IsPressed());
        CHECK(g_unregistered == std::vector<ULONG>{7});
        CHECK(recorder.clicks == c.clicks);
        CHECK(recorder.cancels == c.cancels);
        button->Release();
    }
}

TEST_CASE("a button does not press when refused or when its layout is not shown, and lets go when destroyed")
{
    CaptureHooks hooks;
    ElementsLayout layout;
    TextOwner owner;
    PressRecorder recorder;
    HvButtonUIElement* button = HvButtonUIElement::Make(&layout, nullptr, RECT{0, 0, 20, 20}, &owner, &recorder);
    REQUIRE(button);

    recorder.allow = false;
    CHECK_FALSE(button->BeginPress());
    recorder.allow = true;
    layout.control.current = false;
    CHECK_FALSE(button->BeginPress());
    CHECK(g_registered.empty());

    layout.control.current = true;
    REQUIRE(button->BeginPress());
    CHECK_FALSE(button->BeginPress()); // already pressed
    CHECK(g_registered.size() == 1);
    button->Release();
    CHECK(g_unregistered == std::vector<ULONG>{7});
}

TEST_CASE("a button is raised when up and sunken when pressed")
{
    CaptureHooks hooks;
    ElementsLayout layout;
    TextOwner owner;
    PressRecorder recorder;
    HvButtonUIElement* button = HvButtonUIElement::Make(&layout, nullptr, RECT{0, 0, 20, 20}, &owner, &recorder);
    REQUIRE(button);
    Canvas canvas(20, 20, White);

    DrawAlone(button, canvas);
    CHECK(canvas.At(0, 10) == GetSysColor(COLOR_BTNHIGHLIGHT));
    CHECK(canvas.At(10, 10) == GetSysColor(COLOR_BTNFACE));
    CHECK(canvas.At(19, 10) != GetSysColor(COLOR_BTNFACE));

    REQUIRE(button->BeginPress());
    DrawAlone(button, canvas);
    CHECK(canvas.At(0, 10) != GetSysColor(COLOR_BTNHIGHLIGHT));
    CHECK(canvas.At(0, 10) == GetSysColor(COLOR_BTNSHADOW));
    button->OnButtonUp();
    button->Release();
}

TEST_CASE("a check box draws its mark when checked and the grey frame when indeterminate")
{
    ElementsLayout layout;
    TextOwner owner;
    HvCheckBoxUIElement* box = HvCheckBoxUIElement::Make(&layout, nullptr, RECT{0, 0, 13, 13}, &owner, 0);
    REQUIRE(box);
    Canvas canvas(13, 13, White);

    DrawAlone(box, canvas);
    CHECK(canvas.At(0, 6) == Black);  // frame
    CHECK(canvas.At(5, 8) == White); // no mark

    owner.state = 32;
    DrawAlone(box, canvas);
    CHECK(canvas.At(5, 8) == Black);
    CHECK(canvas.At(8, 5) == Black);

    owner.state = 32 | 64;
    DrawAlone(box, canvas);
    CHECK(canvas.Count(Black) < 13 * 4); // not the black frame and mark
    CHECK(canvas.At(0, 6) != Black);
    box->Release();
}

TEST_CASE("the sort indicator points up when ascending and down when descending")
{
    ElementsLayout layout;
    TextOwner owner;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    for (bool descending : {false, true}) {
        CAPTURE(descending);
        HvSortIndicatorUIElement* arrow =
            HvSortIndicatorUIElement::Make(&layout, nullptr, RECT{0, 0, 16, 16}, &owner, descending);
        REQUIRE(arrow);
        Canvas canvas(16, 16, White);
        DrawAlone(arrow, canvas);
        auto rowInk = [&](int y) {
            int count = 0;
            for (int x = 0; x < 16; ++x)
                count += canvas.At(x, y) == shadow;
            return count;
        };
        // Rows 4 to 11 hold the arrow.
        CHECK(rowInk(3) == 0);
        CHECK(rowInk(12) == 0);
        CHECK(rowInk(descending ? 11 : 4) == 1);
        CHECK(rowInk(descending ? 4 : 11) == 7);
        arrow->Release();
    }
}

TEST_CASE("the swap button's triangle is grey when disabled")
{
    ElementsLayout layout;
    TextOwner owner;
    HvSwapBtnUIElement* swap = HvSwapBtnUIElement::Make(&layout, nullptr, RECT{0, 0, 12, 12}, &owner);
    REQUIRE(swap);
    CHECK(swap->OwnerContext() == HvUIElementOwner::ContextSwapButton);
    Canvas canvas(12, 12, White);
    DrawAlone(swap, canvas);
    CHECK(canvas.Count(GetSysColor(COLOR_BTNTEXT)) == 8 + 6 + 4);
    owner.state = 8;
    DrawAlone(swap, canvas);
    CHECK(canvas.Count(GetSysColor(COLOR_GRAYTEXT)) == 8 + 6 + 4);
    swap->Release();
}

TEST_CASE("a button cell holds its picture and text inside the button")
{
    ElementsLayout layout;
    TextOwner owner;
    PressRecorder recorder;
    HvButtonCellUIElement* cell =
        HvButtonCellUIElement::Make(&layout, nullptr, RECT{0, 0, 60, 20}, &owner, &recorder);
    REQUIRE(cell);
    cell->SetShowsPicture(true);
    cell->PositionChildElements();
    std::vector<ULONG> types;
    for (HvUIElement* child : cell->ChildSnapshot()) {
        types.push_back(child->Type());
        const RECT expected = {2, 2, 58, 18};
        CHECK(EqualRect(&child->StoredRect(), &expected));
        child->Release();
    }
    CHECK(types == std::vector<ULONG>{UIElementType::Picture, UIElementType::Text});
    cell->Release();
}
