// The add-new box: its settings late-bound, their checks and notices, the
// resolution of its appearances, and its persistence by property code.
#include <doctest/doctest.h>

#include "AddNewBoxLayoutSeam.h"
#include "AppearanceData.h"
#include "AutomationObject.h"
#include "ChangeNotice.h"
#include "ChangeSubscriber.h"
#include "HvAddNewBox.h"
#include "HvAppearances.h"
#include "HvLayoutHost.h"
#include "LateBound.h"
#include "ModelTestSupport.h"
#include "ObjectInfo.h"
#include "OverrideBandSeam.h"
#include "PropertySinkConnection.h"
#include "SubscriptionLink.h"

#include <cstdlib>
#include <vector>

namespace {

constexpr HRESULT kInvalidValue = static_cast<HRESULT>(0x800A017C);
constexpr HRESULT kNotActive = static_cast<HRESULT>(0x800AA21B);

class ErrorRaiser final : public CAutomationObject {
public:
    ErrorRaiser() : CAutomationObject(nullptr, ObjectType::HvLayout, this) {}
};

// The layout as the box sees it: fonts, Appearances, design mode, the grid's
// dialog string for the prompt, and a publisher for the layout's notices.
class BoxLayout final : public AddNewBoxLayoutSeam, public HvLayoutHost, public ChangePublisher {
public:
    BoxLayout() : raiser_(new ErrorRaiser)
    {
        font_.AssignFont(nullptr, nullptr);
        HvAppearances::Create(this, &appearances_);
    }
    ~BoxLayout()
    {
        appearances_->Deactivate();
        appearances_->Release();
        raiser_->PrivateUnknown()->Release();
        DetachAllSubscribers();
    }

    HvLayoutHost* Host() override { return this; }
    HvAppearances* Appearances() override { return appearances_; }
    ChangePublisher* LayoutPublisher() override { return this; }
    bool IsDesignMode() override { return designMode; }
    bool GetDialogString(LONG, CDualString& text) override
    {
        if (gridPrompt.empty())
            return false;
        text.AssignWide(gridPrompt.c_str());
        return true;
    }
    void ResolveLayoutAppearance(AppearanceData& block, AppearanceRequest&) override
    {
        ++layoutResolutions;
        if (block.ForeColor() == UnsetColor)
            block.SetForeColor(0x80000012);
    }
    IHvUIElement* GetAddNewBoxElement() override
    {
        ++elementAsked;
        return nullptr;
    }
    void RedrawAddNewBox() override { ++redraws; }

    HRESULT RaiseError(HRESULT result, WORD stringId) override { return raiser_->Exception(result, stringId); }
    PropertySinkConnection* DefaultFont() override { return &font_; }
    bool IsAlive() override { return true; }
    HRESULT ReportMessage(long, const wchar_t*, const wchar_t*) override { return S_OK; }

    int KindCode() const override { return 8; }
    unsigned long AddRefPublisher() override { return 1; }
    unsigned long ReleasePublisher() override { return 1; }

    bool designMode = false;
    std::wstring gridPrompt;
    int layoutResolutions = 0;
    int elementAsked = 0;
    int redraws = 0;

private:
    CAutomationObject* raiser_;
    PropertySinkConnection font_;
    HvAppearances* appearances_ = nullptr;
};

class Notices final : public ChangeSubscriber {
public:
    explicit Notices(ChangePublisher* publisher) : link_(this) { link_.RelinkSubscription(publisher); }
    void OnChange(const ChangeNotice* notice) override { what.push_back(notice->what); }
    unsigned long AddRefSubscriber() override { return 1; }
    unsigned long ReleaseSubscriber() override { return 1; }
    std::vector<std::int32_t> what;

private:
    SubscriptionLink link_;
};

HRESULT Code(const LateResult& result)
{
    return result.hr == DISP_E_EXCEPTION ? result.scode : result.hr;
}

long GetLong(IDispatch* object, const wchar_t* name)
{
    LateResult result;
    LateGet(object, name, result);
    REQUIRE(result.hr == S_OK);
    VARIANT value;
    VariantInit(&value);
    REQUIRE(VariantChangeType(&value, &result.value, 0, VT_I4) == S_OK);
    return value.lVal;
}

struct BoxFixture {
    BoxFixture() { REQUIRE(HvAddNewBox::Create(&layout, &box) == S_OK); }
    ~BoxFixture()
    {
        box->Deactivate();
        box->Release();
    }
    BoxFixture(const BoxFixture&) = delete;
    BoxFixture& operator=(const BoxFixture&) = delete;
    IDispatch* Object() { return static_cast<IHvAddNewBox*>(box); }

    BoxLayout layout;
    HvAddNewBox* box = nullptr;
};

} // namespace

TEST_CASE("a new add-new box is hidden, prompts \"Add...\" and resolves its styles")
{
    BoxFixture f;
    CHECK(GetLong(f.Object(), L"Hidden") == -1);
    LateResult prompt;
    LateGet(f.Object(), L"Prompt", prompt);
    CHECK(std::wstring(prompt.value.bstrVal) == L"Add...");
    CHECK(GetLong(f.Object(), L"BorderStyle") == 0);
    CHECK(GetLong(f.Object(), L"ButtonBorderStyle") == 0);
    CHECK(GetLong(f.Object(), L"ButtonConnectorStyle") == 0);
    CHECK(static_cast<unsigned long>(GetLong(f.Object(), L"ButtonConnectorColor")) == 0x80000008);
    CHECK(f.box->ResolveBorderStyle() == 8);
    CHECK(f.box->ResolveButtonBorderStyle(true) == 7);
    CHECK(f.box->ResolveButtonBorderStyle(false) == 0);
    CHECK(f.box->ResolveButtonConnectorStyle() == 5);
    CHECK(f.box->GetButtonConnectorColorRGB() == GetSysColor(COLOR_WINDOWTEXT));
}

TEST_CASE("the prompt comes from the grid's dialog strings when there is a grid")
{
    BoxLayout layout;
    layout.gridPrompt = L"Adicionar...";
    HvAddNewBox* box = nullptr;
    REQUIRE(HvAddNewBox::Create(&layout, &box) == S_OK);
    LateResult prompt;
    LateGet(static_cast<IHvAddNewBox*>(box), L"Prompt", prompt);
    CHECK(std::wstring(prompt.value.bstrVal) == L"Adicionar...");
    CHECK_FALSE(box->HasData(HvAddNewBox::CodePrompt, 0));
    box->Deactivate();
    box->Release();
}

TEST_CASE("style and colour puts are checked and publish only changes")
{
    BoxFixture f;
    Notices notices(f.box);
    struct Case {
        const wchar_t* name;
        long value;
        HRESULT expected;
    };
    const Case cases[] = {
        {L"ButtonConnectorColor", static_cast<long>(0x80000005), S_OK},
        {L"ButtonConnectorColor", 0x01000000, kInvalidValue},
        {L"ButtonConnectorColor", 0x00FF00, S_OK},
        {L"BorderStyle", 10, kInvalidValue},
        {L"BorderStyle", 9, S_OK},
        {L"ButtonBorderStyle", -1, kInvalidValue},
        {L"ButtonBorderStyle", 3, S_OK},
        {L"ButtonConnectorStyle", 8, kInvalidValue},
        {L"ButtonConnectorStyle", 7, S_OK},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.name, c.name + wcslen(c.name)));
        CAPTURE(c.value);
        LateResult result;
        LatePut(f.Object(), c.name, MakeI4(c.value), result);
        CHECK(Code(result) == c.expected);
        if (c.expected == S_OK)
            CHECK(GetLong(f.Object(), c.name) == c.value);
        else
            CHECK(result.description == L"Invalid property value");
    }
    CHECK(f.box->RawBorderStyle() == 9);
    CHECK(f.box->RawButtonBorderStyle() == 3);
    CHECK(f.box->ButtonBorderStyle() == 3);

    LateResult result;
    LatePut(f.Object(), L"BorderStyle", MakeI4(9), result);
    LatePut(f.Object(), L"Hidden", MakeBool(false), result);
    LatePut(f.Object(), L"Hidden", MakeBool(false), result);
    VARIANT text = MakeText(L"Incluir:");
    LatePut(f.Object(), L"Prompt", text, result);
    LatePut(f.Object(), L"Prompt", text, result);
    VariantClear(&text);
    CHECK(notices.what == std::vector<std::int32_t>{2175, 2175, -504, 2178, 2176, 1127, 2174});
}

TEST_CASE("the resolved button appearance fills its system defaults")
{
    BoxFixture f;
    LateResult resolved;
    LateCall(f.Object(), L"ResolveAppearance", {}, resolved);
    REQUIRE(resolved.hr == S_OK);
    IDispatch* appearance = resolved.value.pdispVal;
    CHECK(static_cast<unsigned long>(GetLong(appearance, L"BackColor")) == 0x80000010);
    CHECK(static_cast<unsigned long>(GetLong(appearance, L"ForeColor")) == 0x80000014);
    CHECK(GetLong(appearance, L"TextAlign") == 1);
    CHECK(GetLong(appearance, L"TextVAlign") == 2);

    // The button appearance's own settings win.
    LateResult buttons;
    LateGet(f.Object(), L"ButtonAppearance", buttons);
    LateResult put;
    LatePut(buttons.value.pdispVal, L"BackColor", MakeI4(0x0000FF), put);
    REQUIRE(put.hr == S_OK);
    LateResult again;
    LateCall(f.Object(), L"ResolveAppearance", {}, again);
    CHECK(GetLong(again.value.pdispVal, L"BackColor") == 0x0000FF);
    // The buttons' font is the layout's, a tenth larger.
    REQUIRE(f.box->GetButtonFont() != nullptr);
    LOGFONTW base{}, button{};
    REQUIRE(GetObjectW(f.layout.DefaultFont()->GetHFont(), sizeof base, &base));
    REQUIRE(GetObjectW(f.box->GetButtonFont()->GetHFont(), sizeof button, &button));
    CHECK(std::abs(button.lfHeight) == doctest::Approx(std::abs(base.lfHeight) * 1.1).epsilon(0.1));
    CHECK(std::abs(button.lfHeight) > std::abs(base.lfHeight));
    CHECK(std::wstring(button.lfFaceName) == base.lfFaceName);

    // The box area: system colour 15, its picture defaults, the layout's
    // fore colour.
    AppearanceData area;
    f.box->ResolveAppearanceData(area, AppearanceBit::BackColor | AppearanceBit::ForeColor |
                                           AppearanceBit::PictureAlign | AppearanceBit::ForegroundAlpha);
    CHECK(area.BackColor() == 0x8000000F);
    CHECK(area.ForeColor() == 0x80000012);
    CHECK(area.Nibble(AppearanceBit::PictureAlign) == 1);
    CHECK(area.Nibble(AppearanceBit::ForegroundAlpha) == 2);
    CHECK(area.Nibble(AppearanceBit::PictureVAlign) == 0); // not asked for
}

TEST_CASE("a change of either appearance is published under its own identifier")
{
    BoxFixture f;
    Notices notices(f.box);
    LateResult area, buttons, put;
    LateGet(f.Object(), L"Appearance", area);
    LateGet(f.Object(), L"ButtonAppearance", buttons);
    LatePut(area.value.pdispVal, L"BackColor", MakeI4(1), put);
    LatePut(buttons.value.pdispVal, L"BackColor", MakeI4(2), put);
    CHECK(notices.what == std::vector<std::int32_t>{-520, 1185});
}

TEST_CASE("an unchanged box saves nothing; a changed one loads back the same")
{
    BoxFixture f;
    for (DWORD code : {HvAddNewBox::CodeStyles, HvAddNewBox::CodeAppearance, HvAddNewBox::CodeButtonAppearance,
                       HvAddNewBox::CodePrompt, HvAddNewBox::CodeTag}) {
        CAPTURE(code);
        CHECK_FALSE(f.box->HasData(code, 0));
    }
    Ref<IStream> empty(NewStream());
    REQUIRE(f.box->SaveToStream(empty.Get(), 0) == S_OK);
    CHECK(StreamBytes(empty.Get()) == std::vector<BYTE>{100, 0, 0, 0, 0, 0, 0, 0});

    LateResult put;
    LatePut(f.Object(), L"Hidden", MakeBool(false), put);
    LatePut(f.Object(), L"ButtonBorderStyle", MakeI4(6), put);
    LatePut(f.Object(), L"ButtonConnectorColor", MakeI4(0x123456), put);
    VARIANT text = MakeText(L"Incluir:");
    LatePut(f.Object(), L"Prompt", text, put);
    VariantClear(&text);
    CHECK(f.box->HasData(HvAddNewBox::CodeStyles, 0));
    CHECK_FALSE(f.box->HasData(HvAddNewBox::CodeStyles, 4)); // not the general category

    Ref<IStream> stream(NewStream());
    REQUIRE(f.box->SaveToStream(stream.Get(), 0) == S_OK);
    BoxFixture other;
    Rewind(stream.Get());
    REQUIRE(other.box->LoadFromStream(stream.Get(), 0) == S_OK);
    CHECK(GetLong(other.Object(), L"Hidden") == 0);
    CHECK(GetLong(other.Object(), L"ButtonBorderStyle") == 6);
    CHECK(GetLong(other.Object(), L"ButtonConnectorColor") == 0x123456);
    LateResult prompt;
    LateGet(other.Object(), L"Prompt", prompt);
    CHECK(std::wstring(prompt.value.bstrVal) == L"Incluir:");

    BoxFixture copy;
    REQUIRE(copy.box->CopyAll(*f.box, 0) == S_OK);
    CHECK(GetLong(copy.Object(), L"ButtonBorderStyle") == 6);
    copy.box->ResetAll(0);
    CHECK(GetLong(copy.Object(), L"Hidden") == -1);
    LateGet(copy.Object(), L"Prompt", prompt);
    CHECK(std::wstring(prompt.value.bstrVal) == L"Add...");
}

TEST_CASE("stored styles the setters would refuse are not loaded")
{
    BoxFixture f;
    // version, mask (code 16), colour 0x01000000, style bytes
    std::vector<BYTE> bytes = {100, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 1, 0, 0x10};
    Ref<IStream> stream(NewStream(bytes));
    CHECK(FAILED(f.box->LoadFromStream(stream.Get(), 0)));
    CHECK(static_cast<unsigned long>(GetLong(f.Object(), L"ButtonConnectorColor")) == 0x80000008);
}

TEST_CASE("GetUIElement answers Nothing in design mode; a dead box refuses")
{
    BoxFixture f;
    f.layout.designMode = true;
    LateResult element;
    LateCall(f.Object(), L"GetUIElement", {}, element);
    CHECK(element.hr == S_OK);
    CHECK(f.layout.elementAsked == 0);
    LateResult refresh;
    LateCall(f.Object(), L"Refresh", {}, refresh);
    CHECK(f.layout.redraws == 1);

    f.box->Deactivate();
    LateResult dead;
    LatePut(f.Object(), L"Hidden", MakeBool(false), dead);
    CHECK(Code(dead) == kNotActive);
    VARIANT text = MakeText(L"x");
    LatePut(f.Object(), L"Prompt", text, dead);
    VariantClear(&text);
    CHECK(Code(dead) == kNotActive);
}
