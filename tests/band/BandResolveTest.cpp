// The band's resolution of override settings (band, layout, fixed default,
// with each setting's special rules), read through its resolved override,
// the band metrics, and the band's answers for its add-new box button.
#include <doctest/doctest.h>

#include "BandFakes.h"
#include "HvBand.h"
#include "HvOverride.h"
#include "LateBound.h"
#include "ModelTestSupport.h"

namespace {

// Dispatch identifiers of the settings checked here.
enum : DISPID {
    kAllowAddNew = 0x422,
    kAllowDelete = 0x428,
    kAllowUpdate = 0x42d,
    kBorderStyleHeader = 0x509,
    kBorderStyleRow = 0x3f3,
    kBorderStyleCell = 0x3f1,
    kCellPadding = 0x3f4,
    kExpandRowsOnLoad = 0x40f,
    kFetchRows = 0x898,
    kMaxSelectedCells = 0x42e,
    kRowSizing = 0x431,
    kSelectTypeRow = 0x435,
    kTipStyleScroll = 0x88a,
    kRowSelectors = 0x419,
    kExpansionIndicator = 0x89f,
};

HvOverride* OwnOverride(HvBand* band)
{
    IHvOverride* out = nullptr;
    REQUIRE(band->get_Override(&out) == S_OK);
    out->Release(); // the band keeps its own
    return HvOverride::FromObject(out);
}

long ResolvedValue(HvBand* band, const wchar_t* name)
{
    IHvOverride* resolved = nullptr;
    REQUIRE(band->ResolveOverride(&resolved) == S_OK);
    LateResult result;
    LateGet(resolved, name, result);
    resolved->Release();
    REQUIRE(result.hr == S_OK);
    VARIANT value;
    VariantInit(&value);
    REQUIRE(VariantChangeType(&value, &result.value, 0, VT_I4) == S_OK);
    return value.lVal;
}

void Put(HvOverride* target, const wchar_t* name, long value)
{
    LateResult result;
    LatePut(target, name, MakeI4(value), result);
    REQUIRE(result.hr == S_OK);
}

} // namespace

TEST_CASE("with no overrides anywhere every setting takes its fixed default")
{
    FakeLayout layout;
    HvBand* band = layout.AddBand(L"B");
    struct Case {
        const wchar_t* name;
        long expected;
    };
    const Case cases[] = {
        {L"BorderStyleHeader", 9}, {L"BorderStyleRow", 5},    {L"BorderStyleCell", 5}, {L"SelectTypeCell", 3},
        {L"SelectTypeCol", 3},     {L"SelectTypeRow", 3},     {L"RowSizing", 3},       {L"HeaderClickAction", 1},
        {L"CellClickAction", 1},   {L"TipStyleCell", 1},      {L"AllowColMoving", 3},  {L"AllowColSizing", 2},
        {L"AllowColSwapping", 1},  {L"AllowGroupMoving", 2},  {L"AllowUpdate", 1},     {L"AllowAddNew", 1},
        {L"RowSizingArea", 1},     {L"MaxSelectedRows", 0},   {L"RowSizingAutoMaxLines", 0},
        {L"ExpansionIndicator", 0}, {L"CellMultiLine", 2},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.name, c.name + wcslen(c.name)));
        CHECK(ResolvedValue(band, c.name) == c.expected);
    }
    CHECK(band->ResolveSetting(kCellPadding) == 1);
    CHECK(ResolvedValue(band, L"CellPadding") == 15); // one pixel, in twips
    CHECK(band->ResolveRowSelectors());
    CHECK_FALSE(band->ResolveCellMultiLine());
}

TEST_CASE("the band's own setting wins over the layout's, which wins over the default")
{
    FakeLayout layout;
    HvBand* band = layout.AddBand(L"B");
    HvOverride* layoutOverride = layout.GetLayoutOverride();
    Put(layoutOverride, L"BorderStyleRow", 7);
    Put(layoutOverride, L"SelectTypeRow", 2);
    CHECK(band->ResolveSetting(kBorderStyleRow) == 7);
    Put(OwnOverride(band), L"BorderStyleRow", 1);
    CHECK(band->ResolveSetting(kBorderStyleRow) == 1);
    CHECK(band->ResolveSetting(kSelectTypeRow) == 2);
    Put(layoutOverride, L"RowSelectors", 2);
    CHECK_FALSE(band->ResolveRowSelectors());
    CHECK(band->RowSelectorWidth() == 0);

    // Counts: a set value below 1 means no limit.
    Put(OwnOverride(band), L"MaxSelectedCells", 0);
    CHECK(band->ResolveSetting(kMaxSelectedCells) == 0);
    Put(OwnOverride(band), L"MaxSelectedCells", 5);
    CHECK(band->ResolveSetting(kMaxSelectedCells) == 5);
}

TEST_CASE("AllowAddNew and AllowDelete follow an AllowUpdate of No")
{
    FakeLayout layout;
    HvBand* band = layout.AddBand(L"B");
    HvOverride* own = OwnOverride(band);
    Put(own, L"AllowAddNew", 1);
    Put(own, L"AllowDelete", 1);
    Put(own, L"AllowUpdate", 2);
    CHECK(band->ResolveSetting(kAllowAddNew) == 2);
    CHECK(band->ResolveSetting(kAllowDelete) == 2);

    // The layout's AllowUpdate No reaches a band that sets nothing.
    HvBand* other = layout.AddBand(L"C");
    Put(layout.GetLayoutOverride(), L"AllowUpdate", 2);
    CHECK(other->ResolveSetting(kAllowAddNew) == 2);
    CHECK(other->ResolveSetting(kAllowDelete) == 2);
}

TEST_CASE("design mode, Expandable and the root row count decide their settings")
{
    FakeLayout layout;
    FakeBinding binding;
    HvBand* band = layout.AddBand(L"B", nullptr, &binding);
    HvOverride* own = OwnOverride(band);

    binding.rows = 1000;
    CHECK(band->ResolveSetting(kFetchRows) == 3);
    binding.rows = 1001;
    CHECK(band->ResolveSetting(kFetchRows) == 1);
    Put(own, L"FetchRows", 2);
    CHECK(band->ResolveSetting(kFetchRows) == 2);

    Put(own, L"ExpandRowsOnLoad", 2);
    layout.designMode = true;
    CHECK(band->ResolveSetting(kFetchRows) == 4);
    CHECK(band->ResolveSetting(kExpandRowsOnLoad) == 1);
    layout.designMode = false;
    CHECK(band->ResolveSetting(kExpandRowsOnLoad) == 2);

    Put(own, L"ExpandRowsOnLoad", 1);
    LateResult put;
    LatePut(static_cast<IHvBand*>(band), L"Expandable", MakeBool(false), put);
    CHECK(band->ResolveSetting(kExpandRowsOnLoad) == 2);
}

TEST_CASE("the scroll tip shows unless the band and every ancestor hide it")
{
    FakeLayout layout;
    HvBand* root = layout.AddBand(L"R");
    HvBand* child = layout.AddBand(L"C", root);
    Put(OwnOverride(child), L"TipStyleScroll", 2);
    CHECK(child->IsScrollTipShown());
    Put(OwnOverride(root), L"TipStyleScroll", 2);
    CHECK_FALSE(child->IsScrollTipShown());
    CHECK(child->ResolveSetting(kTipStyleScroll) == 2);
}

TEST_CASE("expansion indicator: child bands, a parent, or the setting")
{
    FakeLayout layout;
    HvBand* root = layout.AddBand(L"R");
    CHECK(root->ExpansionIndicatorWidth() == 0);
    Put(OwnOverride(root), L"ExpansionIndicator", 1);
    CHECK(root->ExpansionIndicatorWidth() == 19);
    Put(OwnOverride(root), L"ExpansionIndicator", 0);
    HvBand* child = layout.AddBand(L"C", root);
    CHECK(root->ExpansionIndicatorWidth() == 19);
    CHECK(child->ExpansionIndicatorWidth() == 19);
}

TEST_CASE("header heights follow the lines, the font and the border styles")
{
    FakeLayout layout;
    layout.lineHeight = 16;
    HvBand* band = layout.AddBand(L"B");
    LateResult put;
    LatePut(static_cast<IHvBand*>(band), L"ColHeaderLines", MakeI4(2), put);
    // RaisedSoft header border (1 pixel), SolidLine row border (thin).
    CHECK(band->GetColHeaderHeight(true) == 2 * 16 + 2 + 4);
    CHECK(band->GetColHeaderHeight(false) == 37);
    Put(OwnOverride(band), L"BorderStyleRow", 7);
    CHECK(band->GetColHeaderHeight(false) == 38);
    Put(OwnOverride(band), L"BorderStyleHeader", 6);
    CHECK(band->GetColHeaderHeight(true) == 2 * 16 + 4 + 4);

    // No groups: no group header.
    CHECK(band->GetGroupHeaderHeight() == 0);
    LatePut(static_cast<IHvBand*>(band), L"ColHeadersVisible", MakeBool(false), put);
    CHECK(band->GetColHeaderHeight(true) == 0);
}

TEST_CASE("row height from the line height, padding, spacing and borders")
{
    FakeLayout layout;
    layout.lineHeight = 16;
    HvBand* band = layout.AddBand(L"B");
    // 16 + 2 x (1 + 0) + 2, no cell border allowance (thin cell and row
    // borders), + 2 x 1 for the row border.
    CHECK(band->CalcRowHeight(false) == 16 + 2 + 2 + 2);
    Put(OwnOverride(band), L"CellSpacing", 15 * 2); // 2 pixels
    CHECK(band->CalcRowHeight(false) == 16 + 2 * 3 + 2 + 2 + 2);
    CHECK(band->ResolveSetting(0x40d) == band->CalcRowHeight(true));
    Put(OwnOverride(band), L"DefaultRowHeight", 15 * 40);
    CHECK(band->ResolveSetting(0x40d) == 40);
    band->SetSynchronizedRowHeight(55);
    CHECK(band->ResolveSetting(0x40d) == 55);
}

TEST_CASE("the band's add-new button: text, state and presses")
{
    FakeLayout layout;
    FakeGrid grid;
    layout.grid = &grid;
    FakeBinding binding;
    HvBand* band = layout.AddBand(nullptr, nullptr, &binding);
    FakeElement button(6600);
    FakeElement text(HvUIElementOwner::ContextAddNewButton, &button);
    FakeElement other(-1);

    CDualString shown;
    CHECK_FALSE(band->GetText(&text, shown));
    CDualString name("ME");
    GridColumnSeam* column = nullptr;
    REQUIRE(band->AddColumn(&name, &column) == S_OK);
    dynamic_cast<FakeColumn*>(column)->caption = L"Massa especifica";
    CHECK(band->GetText(&text, shown));
    CHECK(std::string(shown.c_str()) == "Massa especifica");
    LateResult put;
    VARIANT caption = MakeText(L"Nova amostra");
    LatePut(static_cast<IHvBand*>(band), L"AddButtonCaption", caption, put);
    VariantClear(&caption);
    CHECK(band->GetText(&text, shown));
    CHECK(std::string(shown.c_str()) == "Nova amostra");
    CHECK_FALSE(band->GetText(&other, shown));

    CHECK(band->GetState(&text) == 0);
    binding.unavailable = true;
    CHECK(band->GetState(&text) == HvUIElementOwner::StateDisabled);
    layout.designMode = true;
    CHECK(band->GetState(&text) == 0);
    CHECK_FALSE(band->OnMouseDown(&text));
    CHECK_FALSE(button.pressed);
    layout.designMode = false;
    binding.unavailable = false;

    // Default button borders: the press is drawn, the row comes on release.
    CHECK_FALSE(band->OnMouseDown(&text));
    CHECK(button.pressed);
    CHECK(band->GetState(&text) == HvUIElementOwner::StatePressed);
    RECT rect{0, 0, 10, 10};
    band->AdjustTextRect(&text, &rect);
    CHECK(rect.left == 2);
    CHECK(binding.added == 0);
    band->OnClick(&text);
    CHECK(binding.added == 1);
    CHECK(band->GetState(&text) == 0);

    // Any other button border style adds the row at once, without the look.
    layout.buttonBorderStyle = 3;
    band->OnMouseDown(&text);
    CHECK(binding.added == 2);
    RECT unmoved{0, 0, 10, 10};
    band->AdjustTextRect(&text, &unmoved);
    CHECK(unmoved.left == 0);

    band->OnPressLeave(&text);
    CHECK(grid.tipsHidden == 1);
}

TEST_CASE("a child band adds rows only under an active row of its parent band")
{
    FakeLayout layout;
    FakeGrid grid;
    layout.grid = &grid;
    FakeBinding binding;
    HvBand* root = layout.AddBand(L"R", nullptr, &binding);
    HvBand* child = layout.AddBand(L"C", root, &binding);
    CHECK(root->CanAddNew(true));
    CHECK(child->CanAddNew(false));
    CHECK_FALSE(child->CanAddNew(true));
    LateResult added;
    LateCall(static_cast<IHvBand*>(child), L"AddNew", {}, added);
    CHECK(added.scode == static_cast<HRESULT>(0x800A9C65));
    grid.activeBand = root;
    CHECK(child->CanAddNew(true));
    layout.enabled = false;
    CHECK_FALSE(root->CanAddNew(false));
    layout.designMode = true;
    CHECK(root->CanAddNew(false));
}

TEST_CASE("bands, columns and groups all go with their layout")
{
    {
        FakeLayout layout;
        HvBand* band = layout.AddBand(L"B");
        CDualString name("A");
        GridColumnSeam* column = nullptr;
        band->AddColumn(&name, &column);
        IHvOverride* resolved = nullptr;
        band->ResolveOverride(&resolved);
        resolved->Release();
        IHvGroups* groups = nullptr;
        band->get_Groups(&groups);
        groups->Release();
        CHECK(FakeColumn::live == 1);
    }
    CHECK(FakeColumn::live == 0);
    CHECK(FakeGroup::live == 0);
}

TEST_CASE("the binding hears the band's load settings when the band is the grid's own")
{
    FakeLayout layout;
    FakeBinding binding;
    HvBand* band = layout.AddBand(L"B", nullptr, &binding);
    LateResult put;
    LatePut(static_cast<IHvBand*>(band), L"Hidden", MakeBool(true), put);
    CHECK(binding.configured == 0); // a stand-alone layout binds nothing

    layout.gridOwn = true;
    LatePut(static_cast<IHvBand*>(band), L"Hidden", MakeBool(false), put);
    CHECK(binding.configured == 1);
    CHECK_FALSE(binding.hiddenBand);
    CHECK(binding.expandOnLoad);
    CHECK(binding.fetchRows == 3);
    Put(OwnOverride(band), L"ExpandRowsOnLoad", 2);
    LatePut(static_cast<IHvBand*>(band), L"Hidden", MakeBool(true), put);
    CHECK(binding.hiddenBand);
    CHECK_FALSE(binding.expandOnLoad);

    // The band lets go of its binding when it goes.
    CHECK(binding.listeners == 1);
    band->Deactivate();
    CHECK(binding.listeners == 0);
    CHECK(binding.released == 1);
}
