// Forms and simple controls: twips placement, properties of labels, frames,
// buttons and text boxes, the message box function, the mouse pointer, the
// yield function, and the life of a form (load, unload, close box, End, modal).
#include <doctest/doctest.h>

#include <stdexcept>

#include "Application.h"
#include "CommandButton.h"
#include "MessageYield.h"
#include "Form.h"
#include "FormsTestSupport.h"
#include "Frame.h"
#include "Label.h"
#include "MousePointer.h"
#include "MousePointerGuard.h"
#include "PictureBox.h"
#include "TextBox.h"

using namespace hv::forms;
using formstest::MsgBoxScript;
using formstest::PumpMessages;

namespace {

RECT PixelsInParent(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A form like the application's: the exit question on unload.
class ExitForm : public Form {
public:
    ExitForm() { SetCaption(L"Ostrelvia"); }
    CommandButton* sair = nullptr;
    int unloadCalls = 0;

protected:
    void CreateControls() override
    {
        sair = &Add<CommandButton>(TwipsRect{120, 120, 1755, 495}, L"Sair");
        sair->Click = [this] { Unload(); };
    }
    void Form_Unload(bool& cancel) override
    {
        ++unloadCalls;
        if (MsgBox(L"Deseja encerrar o sistema ?", MsgYesNo + MsgInformation) == MsgNo)
            cancel = true;
    }
};

} // namespace

TEST_CASE("controls placed in twips land on the expected pixels at 96 DPI")
{
    REQUIRE(ScreenDpiX() == 96);
    REQUIRE(ScreenDpiY() == 96);
    Form form;
    form.Load();
    struct Case {
        TwipsRect twips;
        RECT pixels;
    };
    const Case cases[] = {
        {{0, 0, 1440, 720}, {0, 0, 96, 48}},
        {{12420, 7800, 2715, 735}, {828, 520, 1009, 569}},
        {{13400, 8220, 1755, 495}, {893, 548, 1010, 581}},
        {{7, 8, 22, 23}, {0, 1, 1, 3}},  // 0.47, 0.53, 1.47, 1.53 px: each to the nearest pixel
    };
    for (const Case& c : cases) {
        CAPTURE(c.twips.left);
        auto& button = form.Add<CommandButton>(c.twips, L"x");
        const RECT r = PixelsInParent(button.Hwnd());
        CHECK(r.left == c.pixels.left);
        CHECK(r.top == c.pixels.top);
        CHECK(r.right == c.pixels.right);
        CHECK(r.bottom == c.pixels.bottom);
        CHECK(button.Left() == c.twips.left);
        CHECK(button.Width() == c.twips.width);
    }

    // A frame's controls are placed from the frame's own corner.
    auto& frame = form.Add<Frame>(TwipsRect{1500, 1500, 6000, 3000}, L"Dados da Análise");
    auto& inner = frame.Add<TextBox>(TwipsRect{150, 300, 1500, 315});
    CHECK(GetParent(inner.Hwnd()) == frame.ClientWindow());
    const RECT r = PixelsInParent(inner.Hwnd());
    CHECK(r.left == 10);
    CHECK(r.top == 20);

    // Moving keeps the twips as given; the form's size is in twips too.
    inner.Move(300, 600, 3000, 300);
    CHECK(PixelsInParent(inner.Hwnd()).left == 20);
    CHECK(inner.Top() == 600);
    form.Move(0, 0, 9000, 6000);
    RECT outer;
    GetWindowRect(form.Hwnd(), &outer);
    CHECK(outer.right - outer.left == 600);
    CHECK(form.ScaleWidth() < form.Width());
    form.Unload();
}

TEST_CASE("labels, buttons, text boxes and pictures keep their properties")
{
    Form form;
    form.Load();
    auto& label = form.Add<Label>(TwipsRect{0, 0, 3000, 900},
                                  L"\r\nTabela 1\r\n\r\nMassa específica a 20 °C");
    CHECK(label.Caption() == L"\r\nTabela 1\r\n\r\nMassa específica a 20 °C");
    CHECK_FALSE(label.CanFocusNow());

    auto& button = form.Add<CommandButton>(TwipsRect{0, 1000, 1200, 400}, L"Cancelar");
    auto& other = form.Add<CommandButton>(TwipsRect{0, 1000, 1200, 400}, L"Gerar");
    button.SetTag(L"C");
    CHECK(button.Tag() == L"C");
    button.SetEnabled(false);
    CHECK_FALSE(button.Enabled());
    button.SetEnabled(true);
    button.SetVisible(false);
    CHECK_FALSE(button.Visible());
    CHECK_FALSE(IsWindowVisible(button.Hwnd()));
    button.SetVisible(true);
    button.ZOrder(0);
    CHECK(GetWindow(form.Hwnd(), GW_CHILD) == button.Hwnd());
    button.ZOrder(1);
    CHECK(GetWindow(form.Hwnd(), GW_CHILD) != button.Hwnd());
    other.ZOrder(0);
    CHECK(GetWindow(form.Hwnd(), GW_CHILD) == other.Hwnd());

    int clicks = 0;
    button.Click = [&] { ++clicks; };
    SendMessageW(button.Hwnd(), BM_CLICK, 0, 0);
    PumpMessages();
    CHECK(clicks == 1);

    auto& text = form.Add<TextBox>(TwipsRect{0, 2000, 3000, 300}, L"Entidade/Empresa");
    text.SetMaxLength(30);
    CHECK(SendMessageW(text.Hwnd(), EM_GETLIMITTEXT, 0, 0) == 30);
    text.SetFocus();
    SendMessageW(text.Hwnd(), EM_SETSEL, 0, -1);
    formstest::Type(std::wstring(40, L'x'));
    CHECK(text.Text() == std::wstring(30, L'x'));
    text.SetSelStart(0);
    text.SetSelLength(1000);  // more than the text: clipped
    CHECK(text.SelStart() == 0);
    CHECK(text.SelLength() == 30);

    auto& picture = form.Add<PictureBox>(TwipsRect{0, 2500, 1500, 1500});
    HDC screen = GetDC(nullptr);
    picture.SetPicture(GdiObject<HBITMAP>(CreateCompatibleBitmap(screen, 32, 32)));
    ReleaseDC(nullptr, screen);
    CHECK(picture.Picture() != nullptr);
    CHECK(PixelsInParent(picture.Hwnd()).right - PixelsInParent(picture.Hwnd()).left == 100);
    form.Unload();
}

TEST_CASE("message boxes go through the replaceable function with the application's title")
{
    MsgBoxScript script({MsgNo, MsgYes});
    CHECK(MsgBox(L"Confirma exclusão do registro?", MsgYesNo + MsgQuestion + MsgDefaultButton2) == MsgNo);
    CHECK(MsgBox(L"Deseja encerrar o sistema ?", MsgYesNo + MsgInformation) == MsgYes);
    CHECK(MsgBox(L"Não existem amostras para a impressão!", MsgInformation) == MsgOk);
    CHECK(MsgBox(L"Massa específica inicial não informada!\r\n", MsgCritical) == MsgOk);
    REQUIRE(script.shown.size() == 4);
    CHECK(script.shown[0].style == 292);
    CHECK(script.shown[1].style == 68);
    CHECK(script.shown[2].style == 64);
    CHECK(script.shown[3].style == 16);
    for (const auto& shown : script.shown)
        CHECK(shown.title == L"Atenção");
    CHECK(script.shown[0].text == L"Confirma exclusão do registro?");
}

TEST_CASE("the mouse pointer of a form and of a control, restored on every path")
{
    Form form;
    form.Show();
    auto& text = form.Add<TextBox>(TwipsRect{0, 0, 2000, 300});
    auto& cancel = form.Add<CommandButton>(TwipsRect{0, 600, 2000, 400}, L"Cancelar");
    PumpMessages();
    const auto cursorOver = [](HWND hwnd) {
        SetCursor(nullptr);
        SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    const HCURSOR ibeam = LoadCursorW(nullptr, IDC_IBEAM);

    CHECK(cursorOver(text.Hwnd()) == ibeam);  // the edit's own cursor by default
    {
        MousePointerGuard hourglass(form);
        CHECK(form.MousePointer() == PointerHourglass);
        CHECK(cursorOver(text.Hwnd()) == wait);
        CHECK(cursorOver(form.Hwnd()) == wait);
        cancel.SetMousePointer(PointerArrow);  // the cancel button keeps the arrow
        CHECK(cursorOver(cancel.Hwnd()) == arrow);
    }
    CHECK(form.MousePointer() == PointerDefault);
    CHECK(cursorOver(text.Hwnd()) == ibeam);

    try {
        MousePointerGuard hourglass(form);
        throw std::runtime_error("failed step");
    } catch (const std::runtime_error&) {
    }
    CHECK(form.MousePointer() == PointerDefault);
    form.Unload();
}

TEST_CASE("the yield function processes pending messages and can be replaced")
{
    Form form;
    form.Load();
    auto& button = form.Add<CommandButton>(TwipsRect{0, 0, 1000, 400}, L"Cancelar");
    int clicks = 0;
    button.Click = [&] { ++clicks; };
    PostMessageW(form.Hwnd(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button.Hwnd()));
    YieldToMessages();
    CHECK(clicks == 1);

    int yields = 0;
    auto previous = SetYieldHandler([&] { ++yields; });
    PostMessageW(form.Hwnd(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button.Hwnd()));
    YieldToMessages();
    YieldToMessages();
    CHECK(yields == 2);
    CHECK(clicks == 1);
    SetYieldHandler(previous);
    YieldToMessages();
    CHECK(clicks == 2);
    form.Unload();
}

TEST_CASE("unloading asks through the scripted message box; the close box takes the same road")
{
    ExitForm form;
    form.Show();
    PumpMessages();
    {
        MsgBoxScript script({MsgNo});
        SendMessageW(form.sair->Hwnd(), BM_CLICK, 0, 0);
        PumpMessages();
        REQUIRE(script.shown.size() == 1);
        CHECK(script.shown[0].text == L"Deseja encerrar o sistema ?");
        CHECK(script.shown[0].style == 68);
        CHECK(form.IsLoaded());
        CHECK(IsWindowVisible(form.Hwnd()));
    }
    {
        MsgBoxScript script({MsgNo});
        PostMessageW(form.Hwnd(), WM_CLOSE, 0, 0);
        PumpMessages();
        CHECK(script.shown.size() == 1);
        CHECK(form.IsLoaded());
    }
    {
        MsgBoxScript script({MsgYes});
        HWND hwnd = form.Hwnd();
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
        PumpMessages();
        CHECK(script.shown.size() == 1);
        CHECK_FALSE(form.IsLoaded());
        CHECK_FALSE(IsWindow(hwnd));
    }
    CHECK(form.unloadCalls == 3);

    // Unloading from the form's own button, Yes: the window goes at once.
    form.Show();
    {
        MsgBoxScript script({MsgYes});
        HWND hwnd = form.Hwnd();
        SendMessageW(form.sair->Hwnd(), BM_CLICK, 0, 0);
        PumpMessages();
        CHECK_FALSE(form.IsLoaded());
        CHECK_FALSE(IsWindow(hwnd));
    }

    // A later load builds the controls afresh.
    form.Show();
    CHECK(form.sair != nullptr);
    CHECK(IsWindow(form.sair->Hwnd()));
    form.Discard();
}

TEST_CASE("End closes every form without events and quits the message loop")
{
    ExitForm main;
    Form about;
    main.Show();
    about.Show();
    PumpMessages();
    CHECK(LoadedForms().size() == 2);
    int lostFocus = 0;
    main.sair->LostFocus = [&] { ++lostFocus; };
    main.sair->SetFocus();
    MsgBoxScript script;
    End(5);
    CHECK(lostFocus == 0);
    CHECK(script.shown.empty());
    CHECK(main.unloadCalls == 0);
    CHECK_FALSE(main.IsLoaded());
    CHECK_FALSE(about.IsLoaded());
    CHECK(LoadedForms().empty());
    CHECK(RunMessageLoop() == 5);
}

TEST_CASE("a modal form holds the caller until it is unloaded, the others disabled meanwhile")
{
    Form owner;
    owner.Show();
    Form modal;
    modal.Load();
    bool ownerDisabled = false;
    auto& button = modal.Add<CommandButton>(TwipsRect{0, 0, 1000, 400}, L"Sair");
    button.Click = [&] {
        ownerDisabled = !IsWindowEnabled(owner.Hwnd());
        modal.Unload();
    };
    PostMessageW(modal.Hwnd(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button.Hwnd()));
    modal.Show(ShowMode::Modal);
    CHECK(ownerDisabled);
    CHECK_FALSE(modal.IsLoaded());
    CHECK(IsWindowEnabled(owner.Hwnd()));
    owner.Unload();
}
