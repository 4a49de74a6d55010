// The grid control object: made by class identifier, its interface map,
// its verbs, its answers to property browsers, its mnemonics and its
// reaction to the layout's change notices.
#include "GridControlFixture.h"

#include "ControlPrivateInterfaces.h"
#include "HvLayout.h"

#include <ocidl.h>

namespace {

void SetCaption(HvTavelle* grid, const wchar_t* text)
{
    BSTR caption = SysAllocString(text);
    CHECK(grid->Layout()->put_Caption(caption) == S_OK);
    SysFreeString(caption);
}

} // namespace

TEST_CASE("the control's class creates HvTavelle with its layout, event gate and window class")
{
    ComPtr<IUnknown> made = CreateGridByClsid();
    HvTavelle* grid = HvTavelle::FromUnknown(made.Get());
    REQUIRE(grid);
    CHECK(grid->Layout() != nullptr);
    CHECK(grid->Gate() != nullptr);
    CHECK(grid->Dispatcher() != nullptr);
    CHECK((grid->ViewFlags() & HvTavelle::ViewRedraw) != 0);
    CHECK((grid->ViewFlags() & HvTavelle::ViewFirstPaintPending) != 0);
    CHECK(grid->GetUpdateMode() == 0);
    CHECK(grid->ImageFlags() == HvTavelle::ImageMasking);
    // The dialog strings come from the string table.
    CHECK_FALSE(grid->DialogString(6000).empty());
    CHECK(grid->DialogString(5999).empty());
}

TEST_CASE("the interface map answers the control's published and private interfaces")
{
    ComPtr<IUnknown> made = CreateGridByClsid();
    struct Case {
        const IID* iid;
        bool answered;
    };
    const Case cases[] = {
        {&IID_IHvTavelleControl, true},       {&IID_IDispatch, true},
        {&IID_ISupportErrorInfo, true},       {&IID_IHvImagePropertyQuery, true},
        {&IID_IHvImagePropertyAccess, true},  {&IID_IHvSubObjectPropertyQuery, true},
        {&IID_IHvLayoutBase, true},           {&IID_IOleObject, true},
        {&IID_IOleInPlaceObject, true},       {&IID_IPersistStreamInit, true},
        {&IID_IPersistPropertyBag, true},     {&IID_IConnectionPointContainer, true},
        {&IID_IHvLayout, false},              {&IID_IStream, false},
        // The data-member listener is an object of its own, so that a data
        // source holding it does not keep the control alive.
        {&IID_DataSourceListener, false},
    };
    for (const Case& c : cases) {
        ComPtr<IUnknown> answer;
        const HRESULT hr = made->QueryInterface(*c.iid, reinterpret_cast<void**>(answer.GetAddressOf()));
        CAPTURE(hr);
        CHECK(SUCCEEDED(hr) == c.answered);
        CHECK((answer != nullptr) == c.answered);
    }
    ComPtr<ISupportErrorInfo> errors;
    REQUIRE(made.As(&errors) == S_OK);
    CHECK(errors->InterfaceSupportsErrorInfo(IID_IHvTavelleControl) == S_OK);
}

TEST_CASE("the control object answers the members every object has")
{
    ComPtr<IUnknown> made = CreateGridByClsid();
    ComPtr<IHvTavelleControl> control;
    REQUIRE(made.As(&control) == S_OK);
    long pointer = 0;
    CHECK(control->_GetObjectPointer(&pointer) == S_OK);
    CHECK(pointer != 0);
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = 42;
    CHECK(control->put_TagVariant(value) == S_OK);
    VARIANT read;
    VariantInit(&read);
    CHECK(control->get_TagVariant(&read) == S_OK);
    CHECK(read.vt == VT_I4);
    CHECK(read.lVal == 42);
    CHECK(control->get_TagVariant(nullptr) == E_INVALIDARG);
    VARIANT_BOOL same = VARIANT_FALSE;
    CHECK(control->IsSameAs(control.Get(), &same) == S_OK);
    CHECK(same == VARIANT_TRUE);
    CHECK(control->IsSameAs(control.Get(), nullptr) == E_INVALIDARG);
}

TEST_CASE("sub-object and category queries of property browsers")
{
    ComPtr<IUnknown> made = CreateGridByClsid();
    ComPtr<IHvSubObjectPropertyQuery> query =
        QueryIid<IHvSubObjectPropertyQuery>(made.Get(), IID_IHvSubObjectPropertyQuery);
    REQUIRE(query);
    struct Case {
        DISPID dispid;
        VARIANT_BOOL plain;
    };
    for (const Case& c : {Case{-520, VARIANT_FALSE}, Case{1031, VARIANT_FALSE}, Case{1185, VARIANT_FALSE},
                          Case{1251, VARIANT_FALSE}, Case{-501, VARIANT_TRUE}, Case{2120, VARIANT_TRUE}}) {
        CAPTURE(c.dispid);
        VARIANT_BOOL plain = 7, sub = 7;
        CHECK(query->IsPlainProperty(c.dispid, &plain) == S_OK);
        CHECK(query->IsSubObjectProperty(c.dispid, &sub) == S_OK);
        CHECK(plain == c.plain);
        CHECK(sub == (c.plain ? VARIANT_FALSE : VARIANT_TRUE));
    }
    CHECK(query->IsPlainProperty(-520, nullptr) == E_INVALIDARG);
    CHECK(query->IsSubObjectProperty(-520, nullptr) == E_INVALIDARG);

    ComPtr<ICategorizeProperties> categories =
        QueryIid<ICategorizeProperties>(made.Get(), IID_ICategorizeProperties);
    REQUIRE(categories);
    struct Category {
        DISPID dispid;
        PROPCAT category;
    };
    for (const Category& c : {Category{-535, PROPCAT_Appearance}, Category{2114, PROPCAT_Appearance},
                              Category{1256, PROPCAT_Behavior}, Category{2112, PROPCAT_Behavior},
                              Category{2122, PROPCAT_Data}, Category{2101, 101}, Category{-522, 101},
                              Category{1187, 102}, Category{2141, 102}}) {
        CAPTURE(c.dispid);
        PROPCAT category = 0;
        CHECK(categories->MapPropertyToCategory(c.dispid, &category) == S_OK);
        CHECK(category == c.category);
    }
}

TEST_CASE("the custom verbs: Reset Layout asks first, Retrieve Structure needs a data source")
{
    HostedGrid hosted;
    HvTavelle* grid = hosted.grid;
    ComPtr<IOleObject> object = hosted.Query<IOleObject>();
    RECT place = {10, 10, 310, 210};

    SUBCASE("Reset Layout answered No changes nothing")
    {
        SetCaption(grid, L"Kept");
        ScriptedMessageBox box(IDNO);
        CHECK(object->DoVerb(11, nullptr, nullptr, 0, hosted.window.Hwnd(), &place) == S_OK);
        REQUIRE(box.texts.size() == 1);
        CHECK(box.texts[0].find(L"reset") != std::wstring::npos);
        CHECK(std::string(grid->Layout()->Caption().c_str()) == "Kept");
    }
    SUBCASE("Reset Layout answered Yes resets the layout")
    {
        SetCaption(grid, L"Gone");
        ScriptedMessageBox box(IDYES);
        CHECK(object->DoVerb(11, nullptr, nullptr, 0, hosted.window.Hwnd(), &place) == S_OK);
        CHECK(grid->Layout()->Caption().IsEmpty());
    }
    SUBCASE("Retrieve Structure without a data source tells so and keeps the layout")
    {
        SetCaption(grid, L"Same");
        ScriptedMessageBox box(IDOK);
        CHECK(object->DoVerb(10, nullptr, nullptr, 0, hosted.window.Hwnd(), &place) == S_OK);
        REQUIRE(box.texts.size() == 1);
        CHECK(box.texts[0].find(L"DataSource") != std::wstring::npos);
        CHECK(std::string(grid->Layout()->Caption().c_str()) == "Same");
    }
    SUBCASE("an unknown verb")
    {
        CHECK(object->DoVerb(12, nullptr, nullptr, 0, hosted.window.Hwnd(), &place) == OLEOBJ_S_INVALIDVERB);
    }
}

TEST_CASE("mnemonics come from the caption's first ampersand")
{
    HostedGrid hosted;
    ComPtr<IOleControl> control = hosted.Query<IOleControl>();
    struct Case {
        const wchar_t* caption;
        bool mnemonic;
    };
    for (const Case& c : {Case{L"&New", true}, Case{L"Fish && Chips", false}, Case{L"", false},
                          Case{L"Trailing&", false}, Case{L"Save &As", true}}) {
        CAPTURE(std::string(CDualString(c.caption).c_str()));
        SetCaption(hosted.grid, c.caption);
        CONTROLINFO info = {};
        info.cb = sizeof info;
        CHECK(control->GetControlInfo(&info) == S_OK);
        CHECK((info.cAccel > 0) == c.mnemonic);
        CHECK((info.hAccel != nullptr) == c.mnemonic);
    }
    // A caption mnemonic is matched by the letter in either case.
    SetCaption(hosted.grid, L"&New");
    for (WPARAM key : {WPARAM{'n'}, WPARAM{'N'}}) {
        MSG message = {};
        message.message = WM_SYSKEYDOWN;
        message.wParam = key;
        CHECK(control->OnMnemonic(&message) == S_OK);
    }
    CHECK(control->OnMnemonic(nullptr) == S_OK);
}

TEST_CASE("the layout's Caption notice renews the mnemonics; its ViewStyle notice clears selections")
{
    HostedGrid hosted;
    hosted.Log().Clear();
    SetCaption(hosted.grid, L"&Grid");
    CHECK(hosted.Log().Contains(L"OnControlInfoChanged"));
    CHECK(hosted.grid->IsDirtyState());

    hosted.host.Events().ClearReceived();
    CHECK(hosted.grid->Layout()->put_ViewStyle(hvViewStyleMultiBand) == S_OK);
    // Nothing was selected: no selection event.
    CHECK(hosted.host.Events().ReceivedCount(1045) == 0);
}

TEST_CASE("OLEDropMode of the control: stored, dirty, told to the container")
{
    HostedGrid hosted;
    HvTavelle* grid = hosted.grid;
    hosted.Log().Clear();
    CHECK(grid->put_OLEDropMode(hvOLEDropManual) == S_OK);
    Constants_OLEDrop mode = hvOLEDropNone;
    CHECK(grid->get_OLEDropMode(&mode) == S_OK);
    CHECK(mode == 1);
    CHECK(grid->IsDirtyState());
    CHECK(hosted.Log().Contains(L"OnChanged(1551)"));
    CHECK(grid->put_OLEDropMode(static_cast<Constants_OLEDrop>(7)) != S_OK);
    CHECK(grid->get_OLEDropMode(&mode) == S_OK);
    CHECK(mode == 1);
}
