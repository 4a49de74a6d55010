// Property browsing of the control base: stock pages, predefined values,
// categories and their names, changes heard from the control's own
// objects, and the coordinate transform.
#include "ViewTestSupport.h"

#include "OleControlInterfaces.h"

#include <string>

namespace {

// {0BE35201-8F91-11CE-9DE3-00AA004BB851} and {0BE35200-...}: the stock pages.
constexpr CLSID kColourPage = {0x0be35201, 0x8f91, 0x11ce, {0x9d, 0xe3, 0x00, 0xaa, 0x00, 0x4b, 0xb8, 0x51}};
constexpr CLSID kFontPage = {0x0be35200, 0x8f91, 0x11ce, {0x9d, 0xe3, 0x00, 0xaa, 0x00, 0x4b, 0xb8, 0x51}};

} // namespace

TEST_CASE("Property pages: the stock colours and font go to the stock pages, other properties to none")
{
    ViewHost hosted;
    auto browsing = hosted.Query<IPerPropertyBrowsing>();
    REQUIRE(browsing);
    struct Case {
        DISPID dispid;
        HRESULT expected;
        const CLSID* page;
    };
    const Case cases[] = {
        {DISPID_FORECOLOR, S_OK, &kColourPage},
        {DISPID_BACKCOLOR, S_OK, &kColourPage},
        {DISPID_FONT, S_OK, &kFontPage},
        {5, PERPROP_E_NOPAGEAVAILABLE, &GUID_NULL},
        {DISPID_BORDERSTYLE, PERPROP_E_NOPAGEAVAILABLE, &GUID_NULL},
    };
    for (const Case& c : cases) {
        CAPTURE(c.dispid);
        CLSID page = CLSID_StdFont;   // anything but the answer
        CHECK(browsing->MapPropertyToPage(c.dispid, &page) == c.expected);
        CHECK(IsEqualCLSID(page, *c.page));
    }
    CHECK(browsing->MapPropertyToPage(DISPID_FONT, nullptr) == S_OK);
}

TEST_CASE("Predefined values and display strings: BorderStyle's two values, nothing else")
{
    ViewHost hosted;
    auto browsing = hosted.Query<IPerPropertyBrowsing>();
    for (DWORD cookie : {0u, 1u}) {
        VARIANT value;
        VariantInit(&value);
        REQUIRE(browsing->GetPredefinedValue(DISPID_BORDERSTYLE, cookie, &value) == S_OK);
        CHECK(value.vt == VT_I4);
        CHECK(value.lVal == static_cast<LONG>(cookie));
    }
    VARIANT value;
    VariantInit(&value);
    CHECK(browsing->GetPredefinedValue(DISPID_BORDERSTYLE, 2, &value) == E_FAIL);
    CHECK(browsing->GetPredefinedValue(DISPID_FONT, 0, &value) == E_FAIL);

    CALPOLESTR strings{};
    CADWORD cookies{};
    CHECK(browsing->GetPredefinedStrings(DISPID_BORDERSTYLE, &strings, &cookies) == E_FAIL);
    CHECK(browsing->GetPredefinedStrings(DISPID_BORDERSTYLE, nullptr, &cookies) == E_POINTER);
    CHECK(browsing->GetPredefinedStrings(DISPID_BORDERSTYLE, &strings, nullptr) == E_POINTER);
    BSTR text = nullptr;
    CHECK(browsing->GetDisplayString(DISPID_FONT, &text) == S_FALSE);
    CHECK(text == nullptr);
}

TEST_CASE("Categories of the stock properties and the names of the framework's own")
{
    ViewHost hosted;
    ComPtr<ICategorizeProperties> categories;
    REQUIRE(hosted.Query<IUnknown>()->QueryInterface(IID_ICategorizeProperties,
                                                      reinterpret_cast<void**>(categories.GetAddressOf())) == S_OK);
    struct Case {
        DISPID dispid;
        PROPCAT category;
        HRESULT expected;
    };
    const Case cases[] = {
        {-522, 101, S_OK},
        {-521, PROPCAT_Appearance, S_OK}, {-520, PROPCAT_Appearance, S_OK}, {-519, PROPCAT_Appearance, S_OK},
        {-513, PROPCAT_Appearance, S_OK}, {-511, PROPCAT_Appearance, S_OK}, {-507, PROPCAT_Appearance, S_OK},
        {-505, PROPCAT_Appearance, S_OK}, {-500, PROPCAT_Appearance, S_OK},
        {-518, PROPCAT_Text, S_OK}, {-517, PROPCAT_Text, S_OK},
        {-516, PROPCAT_Behavior, S_OK}, {-514, PROPCAT_Behavior, S_OK},
        {-515, PROPCAT_Misc, S_OK},
        {-512, PROPCAT_Font, S_OK},
        {-506, PROPCAT_Misc, DISP_E_MEMBERNOTFOUND},
        {-523, PROPCAT_Misc, DISP_E_MEMBERNOTFOUND},
        {-499, PROPCAT_Misc, DISP_E_MEMBERNOTFOUND},
        {7, PROPCAT_Misc, DISP_E_MEMBERNOTFOUND},
    };
    for (const Case& c : cases) {
        CAPTURE(c.dispid);
        PROPCAT category = 12345;
        CHECK(categories->MapPropertyToCategory(c.dispid, &category) == c.expected);
        CHECK(category == c.category);
    }

    struct Name {
        PROPCAT category;
        const wchar_t* text;
    };
    for (const Name& n : {Name{101, L"Picture"}, Name{102, L"Collection"}}) {
        BSTR name = nullptr;
        REQUIRE(categories->GetCategoryName(n.category, 0x0416, &name) == S_OK);
        CHECK(std::wstring(name) == n.text);
        CHECK(SysStringLen(name) == wcslen(n.text));   // a string the caller frees with SysFreeString
        SysFreeString(name);
    }
    BSTR name = reinterpret_cast<BSTR>(1);
    CHECK(categories->GetCategoryName(PROPCAT_Appearance, 0x0416, &name) == E_NOTIMPL);
    CHECK(name == nullptr);
    CHECK(categories->GetCategoryName(103, 0x0416, &name) == E_NOTIMPL);
}

TEST_CASE("A change of one of the control's own objects makes it dirty and reaches the container")
{
    ViewHost hosted;
    REQUIRE(hosted.Query<IPersistStreamInit>()->InitNew() == S_OK);
    hosted.control->SetDirty(false);
    ComPtr<IPropertyNotifySink> sink = hosted.Query<IPropertyNotifySink>();
    REQUIRE(sink);
    CHECK(sink->OnRequestEdit(DISPID_FONT) == S_OK);
    CHECK_FALSE(hosted.control->IsDirtyState());
    CHECK(sink->OnChanged(DISPID_FONT) == S_OK);
    CHECK(hosted.control->IsDirtyState());
    const std::vector<DISPID>& changed = hosted.host.Site().ChangedProperties();
    REQUIRE_FALSE(changed.empty());
    CHECK(changed.back() == DISPID_FONT);
}

TEST_CASE("Coordinates go through the control site when there is one, else one for one")
{
    ViewHost hosted;
    POINTL himetric = {2540, 1270};
    POINTF container = {};
    REQUIRE(hosted.control->TransformCoords(&himetric, &container,
                                            XFORMCOORDS_HIMETRICTOCONTAINER | XFORMCOORDS_POSITION) == S_OK);
    CHECK(container.x == doctest::Approx(1440.0));   // our site's container speaks twips
    CHECK(container.y == doctest::Approx(720.0));

    REQUIRE(hosted.host.OleObject()->SetClientSite(nullptr) == S_OK);
    container = POINTF{12.75f, -3.5f};
    REQUIRE(hosted.control->TransformCoords(&himetric, &container,
                                            XFORMCOORDS_CONTAINERTOHIMETRIC | XFORMCOORDS_POSITION) == S_OK);
    CHECK(himetric.x == 12);
    CHECK(himetric.y == -3);
    himetric = POINTL{7, -9};
    REQUIRE(hosted.control->TransformCoords(&himetric, &container, XFORMCOORDS_HIMETRICTOCONTAINER) == S_OK);
    CHECK(container.x == 7.0f);
    CHECK(container.y == -9.0f);
    CHECK(hosted.control->TransformCoords(nullptr, &container, 0) == E_POINTER);
}
