// Focus order by tab index, Tab and Shift+Tab, the "send Tab" move, Enter
// handled per control, and validation when the focus leaves a control.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "CommandButton.h"
#include "Form.h"
#include "FormsTestSupport.h"
#include "TextBox.h"

using namespace hv::forms;
using formstest::MsgBoxScript;
using formstest::PressKey;
using formstest::PumpMessages;

namespace {

// Text boxes created in an order other than their tab order, one disabled,
// one hidden, and a button.
struct OrderFixture {
    Form form;
    TextBox* a;
    TextBox* b;
    TextBox* c;
    TextBox* disabled;
    TextBox* hidden;
    CommandButton* button;

    OrderFixture()
    {
        form.Load();
        c = &Box(2, 600);
        a = &Box(0, 0);
        disabled = &Box(1, 1200);
        b = &Box(1, 300);
        hidden = &Box(3, 1500);
        button = &form.Add<CommandButton>(TwipsRect{0, 1800, 1200, 400}, L"Sair");
        button->SetTabIndex(40);
        disabled->SetEnabled(false);
        hidden->SetVisible(false);
        form.Show();
        PumpMessages();
    }
    ~OrderFixture() { form.Discard(); }

    TextBox& Box(int tabIndex, int top)
    {
        auto& box = form.Add<TextBox>(TwipsRect{0, top, 2000, 300});
        box.SetTabIndex(tabIndex);
        return box;
    }
};

} // namespace

TEST_CASE("Tab and Shift+Tab follow the tab indexes, skipping what cannot take the focus")
{
    OrderFixture f;
    CHECK(f.a->HasFocus());  // the first in tab order on show
    const std::vector<Control*> forward{f.b, f.c, f.button, f.a, f.b};
    for (Control* expected : forward) {
        PressKey(VK_TAB);
        CHECK(expected->HasFocus());
    }
    {
        formstest::ShiftHeld shift;
        const std::vector<Control*> backward{f.a, f.button, f.c};
        for (Control* expected : backward) {
            PressKey(VK_TAB);
            CHECK(expected->HasFocus());
        }
    }
    CHECK(f.form.ActiveControl() == f.c);
    CHECK(f.c->Text().empty());  // no tab character typed into a box
}

TEST_CASE("SendTab moves on after the current message, and Enter can ask for it")
{
    OrderFixture f;
    f.form.SendTab();
    CHECK(f.a->HasFocus());
    PumpMessages();
    CHECK(f.b->HasFocus());

    std::vector<int> keys;
    f.b->KeyPress = [&](int& key) {
        keys.push_back(key);
        if (key == '\r') {
            f.form.SendTab();
            key = 0;
        }
    };
    formstest::Type(L"x");
    PressKey(VK_RETURN);
    CHECK(f.c->HasFocus());
    CHECK(keys == std::vector<int>{'x', '\r'});
    CHECK(f.b->Text() == L"x");

    // A KeyPress handler can change the character.
    f.c->KeyPress = [](int& key) { key = towupper(static_cast<wint_t>(key)); };
    formstest::Type(L"ab");
    CHECK(f.c->Text() == L"AB");
}

TEST_CASE("a Validate handler that cancels keeps the focus; one that accepts lets it go")
{
    OrderFixture f;
    bool refuse = true;
    int validations = 0;
    f.a->Validate = [&](bool& cancel) {
        ++validations;
        cancel = refuse;
    };

    SUBCASE("by Tab, SendTab and SetFocus")
    {
        PressKey(VK_TAB);
        CHECK(f.a->HasFocus());
        f.form.SendTab();
        PumpMessages();
        CHECK(f.a->HasFocus());
        CHECK_FALSE(f.c->SetFocus());
        CHECK(f.a->HasFocus());
        CHECK(validations == 3);
        refuse = false;
        PressKey(VK_TAB);
        CHECK(f.b->HasFocus());
        CHECK(validations == 4);
    }

    SUBCASE("to a button clicked with the mouse: no click while the field refuses")
    {
        int clicks = 0;
        f.button->Click = [&] { ++clicks; };
        const auto click = [&] {
            PostMessageW(f.button->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            PumpMessages();
            PostMessageW(f.button->Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
            PumpMessages();
        };
        click();
        CHECK(f.a->HasFocus());
        CHECK(clicks == 0);
        CHECK(validations == 1);
        refuse = false;
        click();
        CHECK(f.button->HasFocus());
        CHECK(clicks == 1);
        CHECK(validations == 2);
    }

    SUBCASE("to a window the layer does not know (a hosted component)")
    {
        HWND hosted = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 300, 0, 100, 20, f.form.Hwnd(),
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
        SetFocus(hosted);
        PumpMessages();
        CHECK(f.a->HasFocus());
        refuse = false;
        SetFocus(hosted);
        PumpMessages();
        CHECK(GetFocus() == hosted);
        CHECK(validations == 2);
        DestroyWindow(hosted);
    }

    SUBCASE("not when the focus leaves the form")
    {
        Form other;
        other.Show();
        PumpMessages();
        CHECK(validations == 0);
        other.Discard();
    }
}

TEST_CASE("a Validate handler may show a message, or send the focus elsewhere itself")
{
    OrderFixture f;
    MsgBoxScript script;
    f.a->Validate = [&](bool& cancel) {
        if (!f.a->Text().empty()) {
            MsgBox(L"Temperatura de ensaio deve estar entre -20 °C e 50 °C, tente novamente", MsgInformation);
            f.a->SetText(L"");
            cancel = true;
        }
    };
    formstest::Type(L"99");
    PressKey(VK_TAB);
    CHECK(f.a->HasFocus());
    REQUIRE(script.shown.size() == 1);
    CHECK(script.shown[0].style == 64);
    CHECK(f.a->Text().empty());

    // Like the storage temperature: a confirmed field starts the next sample.
    int bValidations = 0;
    f.b->Validate = [&](bool&) {
        ++bValidations;
        f.a->SetFocus();
    };
    PressKey(VK_TAB);
    CHECK(f.b->HasFocus());
    PressKey(VK_TAB);
    CHECK(f.a->HasFocus());
    CHECK(bValidations == 1);
}
