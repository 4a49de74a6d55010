// An ActiveX control on a form: the test control, created by class
// identifier from its registered library, reads the form's ambient
// properties, its events reach the form's handlers, and it takes its place
// in twips and in tab order whether or not it activates in place.
#include <doctest/doctest.h>

#include <olectl.h>
#include <wrl/client.h>

#include <string>

#include "Form.h"
#include "FormsTestSupport.h"
#include "OleControl.h"
#include "RegisteredTestControl.h"
#include "TextBox.h"

using namespace hv::forms;
using hv::container::EventCall;
using Microsoft::WRL::ComPtr;
using formstest::PressKey;
using formstest::PumpMessages;

namespace {

// Makes the test control fire an event through its own IDispatch; the
// arguments are given first to last.
HRESULT Fire(IDispatch* control, DISPID method, std::initializer_list<SHORT> arguments = {},
             VARIANT* result = nullptr)
{
    VARIANT args[4];
    UINT count = 0;
    for (SHORT argument : arguments) {
        VariantInit(&args[count]);
        args[count].vt = VT_I2;
        args[count++].iVal = argument;
    }
    for (UINT i = 0; i < count / 2; ++i)
        std::swap(args[i], args[count - 1 - i]);
    DISPPARAMS params = {args, nullptr, count, 0};
    if (result)
        VariantInit(result);
    return control->Invoke(method, IID_NULL, 0, DISPATCH_METHOD, &params, result, nullptr, nullptr);
}

// An ambient property as the control reads it from the site it was given.
VARIANT AmbientOf(OleControl& hosted, DISPID dispid)
{
    VARIANT value;
    VariantInit(&value);
    ComPtr<IOleClientSite> site;
    REQUIRE(hosted.Query<IOleObject>()->GetClientSite(site.GetAddressOf()) == S_OK);
    ComPtr<IDispatch> ambients;
    REQUIRE(site.As(&ambients) == S_OK);
    DISPPARAMS none{};
    REQUIRE(ambients->Invoke(dispid, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr) == S_OK);
    return value;
}

// A form of the application's kind: a text box, the hosted control and
// another box in tab order, with the control's events answered by members.
class GridForm : public Form {
public:
    TextBox* before = nullptr;
    OleControl* grid = nullptr;
    TextBox* after = nullptr;
    int clicks = 0;
    SHORT keyShift = -1;
    bool unloadOnClick = false;

protected:
    void CreateControls() override
    {
        before = &Add<TextBox>(TwipsRect{120, 120, 1500, 300});
        grid = &Add<OleControl>(TwipsRect{120, 600, 3000, 1500});
        after = &Add<TextBox>(TwipsRect{120, 2400, 1500, 300});
        before->SetTabIndex(0);
        grid->SetTabIndex(1);
        after->SetTabIndex(2);
        grid->OnEvent(DISPID_CLICK, [this](const EventCall&) { Grid_Click(); });
        grid->OnEvent(DISPID_KEYDOWN, [this](const EventCall& call) { Grid_KeyDown(call); });
    }

private:
    void Grid_Click()
    {
        ++clicks;
        if (unloadOnClick)
            Unload();
    }
    void Grid_KeyDown(const EventCall& call)
    {
        keyShift = call.Short(1);
        call.SetShort(0, 0);  // the key is the form's: the control does not see it
    }
};

struct GridFixture {
    RegisteredTestControl library;
    GridForm form;

    explicit GridFixture(HRESULT inPlaceActivation = S_OK)
    {
        // A refused activation is the control's own answer; an accepted one
        // activates for real, with the control's window.
        library.settings->stubActivation = FAILED(inPlaceActivation);
        library.settings->inPlaceActivateResult = inPlaceActivation;
        form.Load();
        REQUIRE(form.grid->Create(kTestControlClsid) == S_OK);
        form.Show();
        PumpMessages();
    }
    ~GridFixture() { form.Discard(); }
    GridFixture(const GridFixture&) = delete;
    GridFixture& operator=(const GridFixture&) = delete;

    ComPtr<IDispatch> Control() const
    {
        auto control = form.grid->Query<IDispatch>();
        REQUIRE(control);
        return control;
    }
};

} // namespace

TEST_CASE("A hosted test control receives the form's ambient properties")
{
    GridFixture f;
    OleControl& grid = *f.form.grid;
    REQUIRE(grid.IsHosted());
    // The control asked for the mode itself while it was being sited.
    CHECK(grid.Host().Ambients().ReadCount(DISPID_AMBIENT_USERMODE) > 0);

    VARIANT userMode = AmbientOf(grid, DISPID_AMBIENT_USERMODE);
    CHECK(userMode.vt == VT_BOOL);
    CHECK(userMode.boolVal == VARIANT_TRUE);

    VARIANT locale = AmbientOf(grid, DISPID_AMBIENT_LOCALEID);
    CHECK(locale.vt == VT_I4);
    CHECK(static_cast<LCID>(locale.lVal) == GetUserDefaultLCID());
    CHECK(locale.lVal == 0x0416);  // the tests run as a Brazilian user

    VARIANT units = AmbientOf(grid, DISPID_AMBIENT_SCALEUNITS);
    REQUIRE(units.vt == VT_BSTR);
    CHECK(std::wstring(units.bstrVal) == L"Twip");
    VariantClear(&units);

    // The font is the form's own, as an OLE font of the same face and size.
    VARIANT fontValue = AmbientOf(grid, DISPID_AMBIENT_FONT);
    REQUIRE(fontValue.vt == VT_DISPATCH);
    ComPtr<IFont> font;
    REQUIRE(fontValue.pdispVal->QueryInterface(IID_IFont, reinterpret_cast<void**>(font.GetAddressOf())) == S_OK);
    VariantClear(&fontValue);
    LOGFONTW formFont{};
    REQUIRE(GetObjectW(f.form.Font(), sizeof(formFont), &formFont) != 0);
    BSTR name = nullptr;
    REQUIRE(font->get_Name(&name) == S_OK);
    CHECK(formstest::Narrow(name) == formstest::Narrow(formFont.lfFaceName));
    SysFreeString(name);
    CY size{};
    REQUIRE(font->get_Size(&size) == S_OK);
    REQUIRE(formFont.lfHeight < 0);
    CHECK(size.int64 == MulDiv(-formFont.lfHeight, 72 * 10000, 96));
    SHORT charset = -1;
    REQUIRE(font->get_Charset(&charset) == S_OK);
    CHECK(charset == formFont.lfCharSet);
    SHORT weight = 0;
    REQUIRE(font->get_Weight(&weight) == S_OK);
    CHECK(weight == formFont.lfWeight);
    HFONT made = nullptr;
    REQUIRE(font->get_hFont(&made) == S_OK);
    LOGFONTW madeFont{};
    REQUIRE(GetObjectW(made, sizeof(madeFont), &madeFont) != 0);
    CHECK(madeFont.lfHeight == formFont.lfHeight);
}

TEST_CASE("The hosted control takes its place in twips and follows the control's moves")
{
    GridFixture f;
    OleControl& grid = *f.form.grid;
    RECT r;
    GetWindowRect(grid.Hwnd(), &r);
    MapWindowPoints(nullptr, f.form.Hwnd(), reinterpret_cast<POINT*>(&r), 2);
    CHECK(r.left == 8);
    CHECK(r.top == 40);
    CHECK(r.right - r.left == 200);
    CHECK(r.bottom - r.top == 100);

    SIZEL extent{};
    REQUIRE(grid.Query<IOleObject>()->GetExtent(DVASPECT_CONTENT, &extent) == S_OK);
    CHECK(extent.cx == MulDiv(200, 2540, 96));
    CHECK(extent.cy == MulDiv(100, 2540, 96));

    grid.Move(120, 600, 4500, 750);  // 300 × 50 pixels
    REQUIRE(grid.Query<IOleObject>()->GetExtent(DVASPECT_CONTENT, &extent) == S_OK);
    CHECK(extent.cx == MulDiv(300, 2540, 96));
    CHECK(extent.cy == MulDiv(50, 2540, 96));
    const RECT& position = grid.Host().Site().Position();
    CHECK(position.right == 300);
    CHECK(position.bottom == 50);
}

TEST_CASE("The control's events reach the form's handlers, whether or not it activates in place")
{
    for (HRESULT activation : {S_OK, E_NOTIMPL}) {
        CAPTURE(activation);
        GridFixture f(activation);
        OleControl& grid = *f.form.grid;
        CHECK(grid.ActivationResult() == activation);
        auto control = f.Control();

        REQUIRE(Fire(control.Get(), TestDispid::FireClick) == S_OK);
        REQUIRE(Fire(control.Get(), TestDispid::FireClick) == S_OK);
        CHECK(f.form.clicks == 2);

        // A handler's change of a by-reference argument goes back to the control.
        VARIANT code;
        REQUIRE(Fire(control.Get(), TestDispid::FireKeyDown, {VK_RETURN, 1}, &code) == S_OK);
        CHECK(f.form.keyShift == 1);
        CHECK(code.iVal == 0);

        // An event without a handler goes nowhere; a handler set later is used.
        REQUIRE(Fire(control.Get(), TestDispid::FireMouseDown, {1, 0, 5, 6}) == S_OK);
        int mouseDowns = 0;
        grid.OnEvent(DISPID_MOUSEDOWN, [&](const EventCall& call) {
            ++mouseDowns;
            CHECK(call.Long(2) == 5);
        });
        REQUIRE(Fire(control.Get(), TestDispid::FireMouseDown, {1, 0, 5, 6}) == S_OK);
        CHECK(mouseDowns == 1);
    }
}

TEST_CASE("A control that does not activate in place is drawn by the form")
{
    GridFixture f(E_NOTIMPL);
    OleControl& grid = *f.form.grid;
    REQUIRE(grid.InPlaceWindow() == nullptr);
    // Through the control's view when it can draw there, else the form's face.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const RECTL bounds{0, 0, 4, 4};
    const bool drawsItself = grid.Query<IViewObject>()->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, memory,
                                                             &bounds, nullptr, nullptr, 0) == S_OK;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    CAPTURE(drawsItself);

    RedrawWindow(grid.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(grid.Hwnd());
    const COLORREF middle = GetPixel(dc, 100, 50);
    ReleaseDC(grid.Hwnd(), dc);
    CHECK(middle == (drawsItself ? f.library.settings->paintColour : GetSysColor(COLOR_BTNFACE)));
}

TEST_CASE("The hosted control takes part in tab order and validation")
{
    GridFixture f;
    GridForm& form = f.form;
    REQUIRE(form.before->HasFocus());
    PressKey(VK_TAB);
    CHECK(form.grid->HasFocus());
    PressKey(VK_TAB);
    CHECK(form.after->HasFocus());
    {
        formstest::ShiftHeld shift;
        PressKey(VK_TAB);
    }
    CHECK(form.grid->HasFocus());

    bool refuse = true;
    int validations = 0;
    form.grid->Validate = [&](bool& cancel) {
        ++validations;
        cancel = refuse;
    };
    PressKey(VK_TAB);
    CHECK(validations == 1);
    CHECK(form.grid->HasFocus());
    refuse = false;
    PressKey(VK_TAB);
    CHECK(validations == 2);
    CHECK(form.after->HasFocus());
}

TEST_CASE("A handler may unload the form while the control is firing its event")
{
    GridFixture f;
    f.form.unloadOnClick = true;
    auto control = f.Control();
    REQUIRE(Fire(control.Get(), TestDispid::FireClick) == S_OK);
    CHECK(f.form.clicks == 1);
    CHECK_FALSE(f.form.IsLoaded());
    CHECK_FALSE(f.form.grid->IsHosted());
    PumpMessages();
    // Closed and let go: it fires into nothing now.
    CHECK(Fire(control.Get(), TestDispid::FireClick) == S_OK);
    CHECK(f.form.clicks == 1);
}
