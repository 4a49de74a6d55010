// The layout object: creation through the class factory, IHvLayout
// late-bound (defaults, validation, notices), and the services a
// stand-alone layout gives the objects below it.
#include <doctest/doctest.h>

#include "LayoutTestSupport.h"

#include "ClassFactory.h"
#include "HvAppearances.h"
#include "HvBands.h"
#include "HvOverride.h"
#include "LayoutPartsSeam.h"
#include "ObjectInfo.h"
#include "Units.h"

#include <cmath>

TEST_CASE("the class factory creates a stand-alone HvLayout")
{
    IClassFactory* factory = nullptr;
    REQUIRE(DllGetClassObject(CLSID_HvLayout, IID_IClassFactory, reinterpret_cast<void**>(&factory)) == S_OK);
    Ref<IClassFactory> heldFactory(factory);
    Ref<IHvLayout> layout;
    REQUIRE(factory->CreateInstance(nullptr, IID_IHvLayout, reinterpret_cast<void**>(layout.Out())) == S_OK);
    Ref<IDispatch> grid;
    CHECK(layout->get_Grid(grid.Out()) == S_OK);
    CHECK_FALSE(grid);
    Ref<ISupportErrorInfo> errorInfo;
    REQUIRE(layout->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(errorInfo.Out())) == S_OK);
    CHECK(errorInfo->InterfaceSupportsErrorInfo(IID_IHvLayout) == S_OK);
}

TEST_CASE("IHvLayout defaults read late-bound")
{
    LayoutRef layout;
    IDispatch* d = layout.Dispatch();
    struct Case {
        const wchar_t* name;
        long value;
    };
    const Case cases[] = {
        {L"BorderStyle", 0},      {L"BorderStyleCaption", 0}, {L"RowConnectorStyle", 0},
        {L"ScrollBars", 4},       {L"TabNavigation", 0},      {L"ViewStyle", 1},
        {L"ViewStyleBand", 0},    {L"EstimatedRows", 0},      {L"TipDelay", -1},
        {L"MaxColScrollRegions", 10}, {L"MaxRowScrollRegions", 10}, {L"Enabled", -1},
        {L"RowConnectorColor", static_cast<long>(0x80000010)},
    };
    for (const Case& c : cases) {
        CAPTURE(std::wstring(c.name));
        CHECK(GetLong(d, c.name) == c.value);
    }
    // 60 twips, shown in twips without a grid.
    CHECK(std::fabs(GetDouble(d, L"InterBandSpacing") - PixelsToTwipsY(TwipsToPixelsY(60))) < 0.5);
    CHECK(GetText(d, L"Caption").empty());
}

TEST_CASE("IHvLayout puts validate their values")
{
    LayoutRef layout;
    IDispatch* d = layout.Dispatch();
    struct Case {
        const wchar_t* name;
        long value;
        HRESULT expected;
    };
    const Case cases[] = {
        {L"MaxColScrollRegions", 0, kInvalidValue},
        {L"MaxRowScrollRegions", -1, kInvalidValue},
        {L"MaxColScrollRegions", 3, S_OK},
        {L"TipDelay", -1, S_OK},
        {L"TipDelay", -2, kInvalidValue},
        {L"RowConnectorColor", static_cast<long>(0x80000005), S_OK},
        {L"RowConnectorColor", 0x01000000, kInvalidValue},
        {L"RowConnectorColor", 0x00FF00FF, S_OK},
        {L"BorderStyle", 9, S_OK},
        {L"BorderStyle", 10, kInvalidValue},
        {L"BorderStyleCaption", -1, kInvalidValue},
        {L"RowConnectorStyle", 8, kInvalidValue},
        {L"ScrollBars", 5, kInvalidValue},
        {L"TabNavigation", 2, kInvalidValue},
        {L"ViewStyle", 2, kInvalidValue},
        {L"ViewStyleBand", 1, S_OK},
        {L"EstimatedRows", -1, kInvalidValue},
        {L"EstimatedRows", 500, S_OK},
    };
    for (const Case& c : cases) {
        CAPTURE(std::wstring(c.name));
        CAPTURE(c.value);
        LateResult result = LatePut(d, c.name, MakeI4(c.value));
        CHECK(result.hr == c.expected);
        if (c.expected == kInvalidValue)
            CHECK(result.description == L"Invalid property value");
    }
    CHECK(GetLong(d, L"MaxColScrollRegions") == 3);
    CHECK(GetLong(d, L"TipDelay") == -1);
    CHECK(GetLong(d, L"RowConnectorColor") == 0x00FF00FF);
    CHECK(GetLong(d, L"BorderStyle") == 9);
    CHECK(LatePut(d, L"InterBandSpacing", MakeR4(-1.0f)).hr == kInvalidValue);
}

TEST_CASE("puts publish the property's notice only when the value changes")
{
    LayoutRef layout;
    NoticeRecorder recorder;
    recorder.Watch(layout.Get());
    IDispatch* d = layout.Dispatch();
    REQUIRE(LatePut(d, L"ViewStyle", MakeI4(1)).hr == S_OK);
    CHECK(recorder.notices.empty());
    REQUIRE(LatePut(d, L"ViewStyle", MakeI4(0)).hr == S_OK);
    REQUIRE(recorder.notices.size() == 1);
    CHECK(recorder.notices[0].what == 0x842);
    recorder.Clear();
    VARIANT caption = MakeText(L"Amostras");
    REQUIRE(LatePut(d, L"Caption", caption).hr == S_OK);
    REQUIRE(LatePut(d, L"Caption", caption).hr == S_OK);
    VariantClear(&caption);
    CHECK(recorder.notices.size() == 2); // stored and published on every put
    CHECK(GetText(d, L"Caption") == L"Amostras");
}

TEST_CASE("collections, Override and filters through the interface")
{
    LayoutRef layout;
    IHvLayout* l = layout.Interface();
    Ref<IHvAppearances> appearances;
    REQUIRE(l->get_Appearances(appearances.Out()) == S_OK);
    CHECK(appearances.Get() == static_cast<IHvAppearances*>(layout->Appearances()));
    Ref<IHvBands> bands;
    CHECK(l->get_Bands(bands.Out()) == S_OK);
    Ref<IHvOverride> first, second;
    REQUIRE(l->get_Override(first.Out()) == S_OK);
    REQUIRE(l->get_Override(second.Out()) == S_OK);
    CHECK(first.Get() == second.Get());
    Ref<IHvValueLists> lists;
    CHECK(l->get_ValueLists(lists.Out()) == S_OK);
    CHECK(lists);

    SUBCASE("Override put by key of Overrides replaces the held one and publishes 0x407")
    {
        Ref<IHvOverrides> overrides;
        REQUIRE(l->get_Overrides(overrides.Out()) == S_OK);
        Ref<IHvOverride> named;
        VARIANT key = MakeText(L"Destaque");
        REQUIRE(overrides->Add(key, named.Out()) == S_OK);
        NoticeRecorder recorder;
        recorder.Watch(layout.Get());
        CHECK(l->put_Override(key) == S_OK);
        VariantClear(&key);
        Ref<IHvOverride> now;
        REQUIRE(l->get_Override(now.Out()) == S_OK);
        CHECK(now.Get() == named.Get());
        REQUIRE_FALSE(recorder.notices.empty());
        CHECK(recorder.notices.back().what == 0x407);
        VARIANT missing = MakeText(L"Nenhum");
        CHECK(l->put_Override(missing) == kInvalidValue);
        VariantClear(&missing);
    }
    SUBCASE("a filter must answer its interface; null clears")
    {
        Ref<IHvTVDataFilter> filter;
        CHECK(l->get_DataFilter(filter.Out()) == S_OK);
        CHECK_FALSE(filter);
        CHECK(l->put_DataFilter(reinterpret_cast<IHvTVDataFilter*>(appearances.Get())) == kInvalidValue);
        CHECK(l->put_DataFilter(nullptr) == S_OK);
        CHECK(l->get_DataFilter(nullptr) == E_INVALIDARG);
    }
}

TEST_CASE("Font: a stand-alone layout starts from the stock GUI font; a put marks it the user's")
{
    LayoutRef layout;
    Ref<IFontDisp> font;
    REQUIRE(layout.Interface()->get_Font(font.Out()) == S_OK);
    REQUIRE(font);
    LOGFONTW stock{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
    VARIANT name;
    REQUIRE(LateGet(font.Get(), L"Name", &name).hr == S_OK);
    CHECK(std::wstring(V_BSTR(&name)) == stock.lfFaceName);
    VariantClear(&name);
    // Its size in points is the stock height in pixels at the screen's
    // resolution: 8.25 for 11 pixels at 96 DPI.
    HDC screen = GetDC(nullptr);
    const long long dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    VARIANT size;
    REQUIRE(LateGet(font.Get(), L"Size", &size).hr == S_OK);
    REQUIRE(V_VT(&size) == VT_CY);
    CHECK(V_CY(&size).int64 == (stock.lfHeight < 0 ? -stock.lfHeight : stock.lfHeight) * 72LL * 10000 / dpi);
    CHECK(SavedFrame(*layout).size() == 8); // nothing to save: the font is not the user's

    Ref<IFontDisp> chosen(NewFont(L"Arial", 14));
    NoticeRecorder recorder;
    recorder.Watch(layout.Get());
    CHECK(layout.Interface()->putref_Font(nullptr) == kInvalidValue);
    REQUIRE(layout.Interface()->putref_Font(chosen.Get()) == S_OK);
    REQUIRE(recorder.notices.size() == 1);
    CHECK(recorder.notices[0].what == DISPID_FONT);
    CHECK(layout->GetFontLineHeight(nullptr) > 10);
}

TEST_CASE("services of a stand-alone layout")
{
    LayoutRef layout;
    CHECK(layout->GetRootRowCount() == 1000);
    CHECK(layout->GetMinRowHeight() == 10);
    CHECK(layout->GetFirstBand() == nullptr);
    CHECK(layout->GetGridWindow() == nullptr);
    CHECK(layout->GetContainerScaleMode() == 1);
    CHECK(layout->PixelsToUnitsX(10) == PixelsToTwipsX(10));
    CHECK(layout->UnitsToPixelsY(150.0f) == TwipsToPixelsY(150));
    SIZE images = layout->GetImageSize();
    CHECK(images.cx == 0);
    CHECK(images.cy == 0);
    RECT rect{1, 2, 3, 4};
    CHECK(layout->GetGridClientRect(&rect) == kNoRowset);
    CHECK(LastErrorDescription() == L"Rowset has not been initialized");
    CHECK(rect.left == 1);
    CHECK(layout->GetFontLineHeight(nullptr) > 0);
    CHECK(layout->GetRootUIElement(true, false) == nullptr); // no element maker linked in
}

TEST_CASE("border widths, the splitter and the layout-level resolvers")
{
    const LONG widths[] = {1, 0, 1, 1, 1, 1, 2, 2, 1, 1, 0};
    for (LONG style = 0; style <= 10; ++style) {
        CAPTURE(style);
        CHECK(HvLayout::BorderWidthFromStyle(style) == widths[style]);
    }
    CHECK(HvLayout::IsThinBorderStyle(0));
    CHECK_FALSE(HvLayout::IsThinBorderStyle(1));
    CHECK(HvLayout::IsThinBorderStyle(5));
    CHECK_FALSE(HvLayout::IsThinBorderStyle(6));
    CHECK(HvLayout::GetSplitterBarWidth() == 7);

    LayoutRef layout;
    CHECK(layout->ResolveBorderStyle() == 8);
    CHECK(layout->ResolveBorderStyleCaption() == 9);
    CHECK(layout->ResolveRowConnectorBorderStyle() == 2);
    CHECK(LatePut(layout.Dispatch(), L"RowConnectorStyle", MakeI4(6)).hr == S_OK);
    CHECK(layout->ResolveRowConnectorBorderStyle() == 8);
    // Settings without an Override: the layout's defaults.
    CHECK(layout->ResolveSetting(0x427) == 1); // AllowColSwapping
    CHECK(layout->ResolveSetting(0x423) == 3); // AllowColMoving
    CHECK(layout->ResolveSetting(0x425) == 2); // AllowColSizing
    CHECK(layout->ResolveSetting(0x428) == 1); // AllowDelete
    CHECK(layout->ResolveSetting(0x431) == 3); // RowSizing
    CHECK(layout->ResolveSize(0x4a9) == -1);   // DefaultColWidth
    // AllowUpdate No makes AddNew and Delete No whatever they say.
    IHvOverride* over = nullptr;
    REQUIRE(layout.Interface()->get_Override(&over) == S_OK);
    Ref<IHvOverride> held(over);
    REQUIRE(over->put_AllowUpdate(hvAllowUpdateNo) == S_OK);
    REQUIRE(over->put_AllowAddNew(hvAllowAddNewYes) == S_OK);
    CHECK(layout->ResolveSetting(0x422) == 2);
    CHECK(layout->ResolveSetting(0x428) == 2);
}

TEST_CASE("a detached layout stays a COM object whose members answer 'no longer active'")
{
    LayoutRef layout;
    layout->Deactivate();
    LateResult result = LatePut(layout.Dispatch(), L"TipDelay", MakeI4(5));
    CHECK(result.hr == kNotActive);
    CHECK(result.description == L"This object is no longer active");
    Ref<IHvBands> bands;
    CHECK(layout.Interface()->get_Bands(bands.Out()) == kNotActive);
}

TEST_CASE("BandFromVariant without bands and region look-ups")
{
    LayoutRef layout;
    GridBandSeam* band = reinterpret_cast<GridBandSeam*>(1);
    VARIANT index = MakeI4(0);
    CHECK(FAILED(layout->BandFromVariant(index, &band)));
    CHECK(band == nullptr);
    // An object that is no band of this layout is refused.
    Ref<IHvAppearances> appearances;
    REQUIRE(layout.Interface()->get_Appearances(appearances.Out()) == S_OK);
    VARIANT object = MakeObject(appearances.Get());
    CHECK(layout->BandFromVariant(object, &band) == kBadObject);
    ScrollRegionItem* region = nullptr;
    VARIANT text = MakeText(L"abc");
    CHECK(layout->RowScrollRegionFromVariant(text, &region) == static_cast<HRESULT>(0x800AA21D));
    VariantClear(&text);
}

TEST_CASE("the caption element's owner answers the Caption and the disabled state")
{
    LayoutRef layout;
    VARIANT caption = MakeText(L"Tabela 1");
    REQUIRE(LatePut(layout.Dispatch(), L"Caption", caption).hr == S_OK);
    VariantClear(&caption);
    HvUIElementOwner* owner = layout->CaptionOwner();
    CDualString text;
    REQUIRE(owner->GetText(nullptr, text));
    CHECK(std::string(text.c_str()) == "Tabela 1");
    CHECK(owner->GetTextFormat(nullptr) == 0x2000u);
    CHECK(owner->GetState(nullptr) == 0);
    REQUIRE(LatePut(layout.Dispatch(), L"Enabled", MakeI4(0)).hr == S_OK);
    CHECK(owner->GetState(nullptr) == 8);
    CHECK(owner->GetShowingLayout() == static_cast<LayoutRegionsSeam*>(layout.Get()));
}

TEST_CASE("whether the layout shows a background picture follows its appearance's picture, each time")
{
    LayoutRef layout;
    CHECK_FALSE(layout->HasBackgroundPicture());
    VARIANT held;
    REQUIRE(LateGet(layout.Dispatch(), L"Appearance", &held).hr == S_OK);
    REQUIRE(V_VT(&held) == VT_DISPATCH);
    Ref<IDispatch> appearance(V_DISPATCH(&held));
    Ref<IPictureDisp> picture(NewBitmapPicture(4, 4));
    REQUIRE(LatePut(appearance.Get(), L"PictureBackground", MakeObject(picture.Get()), true).hr == S_OK);
    CHECK(layout->HasBackgroundPicture());
    // Taken away, the answer is worked out again.
    VARIANT nothing;
    VariantInit(&nothing);
    V_VT(&nothing) = VT_DISPATCH;
    V_DISPATCH(&nothing) = nullptr;
    REQUIRE(LatePut(appearance.Get(), L"PictureBackground", nothing, true).hr == S_OK);
    CHECK_FALSE(layout->HasBackgroundPicture());
    REQUIRE(LatePut(appearance.Get(), L"PictureBackground", MakeObject(picture.Get()), true).hr == S_OK);
    CHECK(layout->HasBackgroundPicture());
}
