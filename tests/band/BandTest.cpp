// The band object: its IHvBand members called late-bound, its collections
// and header order, its hierarchy, header layout and persistence.
#include <doctest/doctest.h>

#include "BandFakes.h"
#include "HvBand.h"
#include "HvBands.h"
#include "HvColumns.h"
#include "HvGroups.h"
#include "LateBound.h"
#include "ModelTestSupport.h"

namespace {

constexpr HRESULT kInvalidValue = static_cast<HRESULT>(0x800A017C);
constexpr HRESULT kNotActive = static_cast<HRESULT>(0x800AA21B);
constexpr HRESULT kColumnNotFound = static_cast<HRESULT>(0x800A9C6C);
constexpr HRESULT kDesignTime = static_cast<HRESULT>(0x800A018A);

// The failure a late-bound call reported (its exception's code).
HRESULT Code(const LateResult& result)
{
    return result.hr == DISP_E_EXCEPTION ? result.scode : result.hr;
}

IDispatch* Dispatch(HvBand* band)
{
    return static_cast<IHvBand*>(band);
}

GridColumnSeam* AddColumn(HvBand* band, const wchar_t* key, LONG width = 100)
{
    CDualString name(key);
    GridColumnSeam* column = nullptr;
    REQUIRE(band->AddColumn(&name, &column) == S_OK);
    dynamic_cast<FakeColumn*>(column)->width = width;
    return column;
}

FakeColumn* Fake(GridColumnSeam* column)
{
    return dynamic_cast<FakeColumn*>(column);
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

} // namespace

TEST_CASE("a new band has its defaults and publishes each change once")
{
    FakeLayout layout;
    HvBand* band = layout.AddBand(L"Analises");
    IDispatch* object = Dispatch(band);

    CHECK(GetLong(object, L"ColHeaderLines") == 1);
    CHECK(GetLong(object, L"GroupHeaderLines") == 1);
    CHECK(GetLong(object, L"LevelCount") == 1);
    CHECK(GetLong(object, L"AutoPreviewMaxLines") == 3);
    CHECK(GetLong(object, L"ColHeadersVisible") == -1);
    CHECK(GetLong(object, L"GroupHeadersVisible") == -1);
    CHECK(GetLong(object, L"Expandable") == -1);
    CHECK(GetLong(object, L"Hidden") == 0);
    CHECK(GetLong(object, L"AutoPreviewEnabled") == 0);
    CHECK(GetLong(object, L"Index") == 0);
    LateResult key;
    LateGet(object, L"Key", key);
    CHECK(std::wstring(key.value.bstrVal) == L"Analises");

    NoticeLog notices(band);
    LateResult put;
    LatePut(object, L"ColHeaderLines", MakeI4(3), put);
    CHECK(put.hr == S_OK);
    LatePut(object, L"ColHeaderLines", MakeI4(3), put);
    LatePut(object, L"Hidden", MakeBool(true), put);
    LatePut(object, L"Hidden", MakeBool(true), put);
    VARIANT caption = MakeText(L"Nova amostra");
    LatePut(object, L"AddButtonCaption", caption, put);
    VariantClear(&caption);
    CHECK(notices.what == std::vector<std::int32_t>{1033, 1127, 1025});
    CHECK(GetLong(object, L"ColHeaderLines") == 3);
}

TEST_CASE("line counts and levels are checked")
{
    FakeLayout layout;
    IDispatch* object = Dispatch(layout.AddBand(L"B"));
    struct Case {
        const wchar_t* name;
        long value;
        HRESULT expected;
    };
    const Case cases[] = {
        {L"ColHeaderLines", 0, kInvalidValue},      {L"ColHeaderLines", 11, kInvalidValue},
        {L"ColHeaderLines", 10, S_OK},              {L"GroupHeaderLines", 0, kInvalidValue},
        {L"GroupHeaderLines", 10, S_OK},            {L"LevelCount", 0, kInvalidValue},
        {L"LevelCount", 4, S_OK},                   {L"AutoPreviewMaxLines", -1, kInvalidValue},
        {L"AutoPreviewMaxLines", 0, S_OK},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.name, c.name + wcslen(c.name)));
        CAPTURE(c.value);
        LateResult result;
        LatePut(object, c.name, MakeI4(c.value), result);
        CHECK(Code(result) == c.expected);
        if (c.expected == kInvalidValue)
            CHECK(result.description == L"Invalid property value");
        else
            CHECK(GetLong(object, c.name) == c.value);
    }
}

TEST_CASE("AutoPreviewField and ScrollTipField name a column of the band")
{
    FakeLayout layout;
    HvBand* band = layout.AddBand(L"B");
    AddColumn(band, L"ME");
    IDispatch* object = Dispatch(band);

    for (const wchar_t* property : {L"AutoPreviewField", L"ScrollTipField"}) {
        LateResult result;
        VARIANT name = MakeText(L"ME");
        LatePut(object, property, name, result);
        VariantClear(&name);
        CHECK(result.hr == S_OK);

        name = MakeText(L"GRAU");
        LatePut(object, property, name, result);
        VariantClear(&name);
        CHECK(Code(result) == kColumnNotFound);
        CHECK(result.description == L"Column not found");
        LateResult now;
        LateGet(object, property, now);
        CHECK(std::wstring(now.value.bstrVal) == L"ME");

        name = MakeText(L"");
        LatePut(object, property, name, result);
        VariantClear(&name);
        CHECK(result.hr == S_OK);
    }
}

TEST_CASE("Layout is refused in design mode; a dead band refuses everything")
{
    FakeLayout layout;
    HvBand* band = layout.AddBand(L"B");
    band->AddRef();
    layout.designMode = true;
    LateResult result;
    LateGet(Dispatch(band), L"Layout", result);
    CHECK(Code(result) == kDesignTime);
    CHECK(result.description == L"Property unavailable at design time");

    band->Deactivate();
    LateGet(Dispatch(band), L"LevelCount", result);
    CHECK(Code(result) == kNotActive);
    CHECK(result.description == L"This object is no longer active");
    LatePut(Dispatch(band), L"Hidden", MakeBool(true), result);
    CHECK(Code(result) == kNotActive);
    band->Release();
}

TEST_CASE("the band's collections and its own override are made on first use")
{
    FakeLayout layout;
    HvBand* band = layout.AddBand(L"B");
    IDispatch* object = Dispatch(band);
    for (const wchar_t* name : {L"Columns", L"Groups", L"SortedCols", L"Override", L"ResolveOverride"}) {
        CAPTURE(std::string(name, name + wcslen(name)));
        LateResult first, second;
        if (std::wstring(name) == L"ResolveOverride") {
            LateCall(object, name, {}, first);
            LateCall(object, name, {}, second);
        } else {
            LateGet(object, name, first);
            LateGet(object, name, second);
        }
        REQUIRE(first.hr == S_OK);
        REQUIRE(first.value.vt == VT_DISPATCH);
        CHECK(first.value.pdispVal == second.value.pdispVal);
    }
    LateResult parent;
    LateGet(object, L"ParentColumn", parent);
    CHECK(parent.hr == S_OK);
    CHECK(parent.value.pdispVal == nullptr);
}

TEST_CASE("Override takes an override object; anything else that names none fails")
{
    FakeLayout layout;
    HvBand* band = layout.AddBand(L"B");
    HvBand* other = layout.AddBand(L"C");
    LateResult theirs;
    LateGet(Dispatch(other), L"Override", theirs);

    NoticeLog notices(band);
    LateResult put;
    LatePut(Dispatch(band), L"Override", MakeObject(theirs.value.pdispVal), put, DISPATCH_PROPERTYPUTREF);
    CHECK(put.hr == S_OK);
    LateResult mine;
    LateGet(Dispatch(band), L"Override", mine);
    CHECK(mine.value.pdispVal == theirs.value.pdispVal);
    CHECK(notices.what == std::vector<std::int32_t>{1031});

    LatePut(Dispatch(band), L"Override", MakeI4(7), put);
    CHECK(Code(put) == kInvalidValue);
}

TEST_CASE("columns keep their header order; the first group switches to the group order")
{
    FakeLayout layout;
    HvBand* band = layout.AddBand(L"B");
    GridColumnSeam* a = AddColumn(band, L"A");
    GridColumnSeam* b = AddColumn(band, L"B");
    GridColumnSeam* c = AddColumn(band, L"C");
    CHECK(band->GetColumnCount() == 3);
    CHECK(band->GetHeaderOrder() == band->ColumnHeaderOrder());

    bool changed = false;
    CHECK(band->SetColumnHeaderPosition(c, 0, &changed) == S_OK);
    CHECK(changed);
    SHORT position = 0;
    CHECK(band->GetColumnHeaderPosition(c, &position) == S_OK);
    CHECK(position == 0);
    CHECK(band->GetColumnHeaderPosition(a, &position) == S_OK);
    CHECK(position == 1);
    CHECK(band->SetColumnHeaderPosition(c, 0, &changed) == S_OK);
    CHECK_FALSE(changed);
    CHECK(band->SetColumnHeaderPosition(c, 3, &changed) == kInvalidValue);
    CHECK(band->SetColumnHeaderPosition(c, -1, &changed) == kInvalidValue);

    HvBand* stranger = layout.AddBand(L"S");
    CHECK(stranger->GetColumnHeaderPosition(a, &position) == E_INVALIDARG);
    CHECK(stranger->RemoveColumnHeader(a) == E_FAIL);

    CHECK(band->RemoveColumnHeader(b) == S_OK);
    CHECK(band->GetColumnCount() == 2);
    CHECK(band->ColumnHeaderOrder().size() == 2);

    LateResult groups;
    LateGet(Dispatch(band), L"Groups", groups);
    VARIANT key = MakeText(L"G1");
    LateResult added;
    VARIANT missing;
    VariantInit(&missing);
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    LateCall(groups.value.pdispVal, L"Add", {key, missing, missing}, added);
    VariantClear(&key);
    CAPTURE(Code(added));
    REQUIRE(added.hr == S_OK);
    CHECK(band->HasGroups());
    CHECK(band->GetHeaderOrder() == band->GroupHeaderOrder());
    CHECK(band->GroupHeaderOrder().size() == 1);
}

TEST_CASE("header layout places the shown items and measures the band")
{
    FakeLayout layout;
    HvBand* band = layout.AddBand(L"B");
    FakeColumn* a = Fake(AddColumn(band, L"A", 50));
    FakeColumn* b = Fake(AddColumn(band, L"B", 70));
    FakeColumn* c = Fake(AddColumn(band, L"C", 30));
    b->hidden = true;
    band->LayoutHeaders(nullptr);
    CHECK(a->origin == 0);
    CHECK(a->first);
    CHECK(b->origin == 0);
    // The first item's extent holds the row selector: the next starts past it.
    CHECK(c->origin == 50 + 19);
    CHECK_FALSE(c->first);
    CHECK(c->last);
    CHECK_FALSE(a->last);
    CHECK(band->Extent() == 80 + 19);
    CHECK(band->GetColumnPositionInBand(c) == 50);
    CHECK(band->GetColumnPositionInBand(b) == -1);

    // All hidden: the row selector and expansion indicator still take room.
    a->hidden = c->hidden = true;
    layout.AddBand(L"Child", band);
    band->LayoutHeaders(nullptr);
    CHECK(band->Extent() == 19 + 19);
}

TEST_CASE("GetOrigin and GetExtent skip the expansion indicator and row selector")
{
    FakeLayout layout;
    HvBand* band = layout.AddBand(L"B");
    layout.AddBand(L"Child", band);
    AddColumn(band, L"A", 200);
    band->LayoutHeaders(nullptr);
    auto call = [&](const wchar_t* name, long origin) {
        LateResult result;
        LateCall(Dispatch(band), name, {MakeI4(origin)}, result);
        REQUIRE(result.hr == S_OK);
        return static_cast<long>(result.value.fltVal / 15);
    };
    CHECK(call(L"GetExtent", 0) == 200 + 38);
    CHECK(call(L"GetExtent", 0) - call(L"GetExtent", 2) == 38);
    CHECK(call(L"GetExtent", 1) == 200 + 19);
    CHECK(call(L"GetOrigin", 2) == 38);
    LateResult bad;
    LateCall(Dispatch(band), L"GetOrigin", {MakeI4(3)}, bad);
    CHECK(Code(bad) == kInvalidValue);
}

TEST_CASE("band hierarchy: depth, children, siblings and hiding")
{
    FakeLayout layout;
    HvBand* root = layout.AddBand(L"Root");
    HvBand* child = layout.AddBand(L"Child", root);
    HvBand* grandChild = layout.AddBand(L"Grand", child);
    HvBand* sibling = layout.AddBand(L"Sibling", root);

    CHECK(grandChild->GetDepth() == 2);
    CHECK(grandChild->IsDescendantOf(root));
    CHECK_FALSE(root->IsDescendantOf(grandChild));
    CHECK(root->HasChildBands(false));
    CHECK(child->HasSiblingBands());
    CHECK_FALSE(root->HasSiblingBands());

    LateResult put;
    LatePut(Dispatch(child), L"Hidden", MakeBool(true), put);
    CHECK(grandChild->IsEffectivelyHidden());
    CHECK_FALSE(sibling->HasSiblingBands());
    CHECK(root->HasChildBands(false));

    layout.hidesChildBands = true;
    CHECK(sibling->IsEffectivelyHidden());
    CHECK_FALSE(root->IsEffectivelyHidden());

    layout.viewStyle = BandsLayoutSeam::SingleBand;
    for (HvBand* band : {root, child, grandChild, sibling}) {
        CHECK_FALSE(band->HasChildBands(false));
        CHECK_FALSE(band->HasSiblingBands());
    }
}

TEST_CASE("hiding a band that holds the active row needs the grid to move activation")
{
    FakeLayout layout;
    FakeGrid grid;
    layout.grid = &grid;
    HvBand* band = layout.AddBand(L"B");
    grid.moveAnswer = static_cast<HRESULT>(0x800A9C65);
    LateResult put;
    LatePut(Dispatch(band), L"Hidden", MakeBool(true), put);
    CHECK(Code(put) == grid.moveAnswer);
    CHECK_FALSE(band->IsEffectivelyHidden());
    grid.moveAnswer = S_OK;
    LatePut(Dispatch(band), L"Hidden", MakeBool(true), put);
    CHECK(put.hr == S_OK);
    CHECK(band->IsEffectivelyHidden());
}

TEST_CASE("bands match by key, and root bands also when a key is empty")
{
    FakeLayout layout;
    HvBand* root = layout.AddBand(L"Root");
    HvBand* unnamed = layout.AddBand(nullptr);
    HvBand* child = layout.AddBand(L"Child", root);
    HvBand* otherRoot = layout.AddBand(L"Other");
    CHECK(root->MatchesBand(unnamed));
    CHECK(unnamed->MatchesBand(root));
    CHECK_FALSE(root->MatchesBand(child));
    CHECK_FALSE(root->MatchesBand(otherRoot));
    CHECK(child->MatchesBand(child));
    CHECK(child->GetParentColumnIndex() == -1);
}

TEST_CASE("a band saves only what differs from its defaults and loads it back")
{
    FakeLayout layout;
    HvBand* band = layout.AddBand(L"B");
    for (DWORD code = 1; code; code <<= 1) {
        if (code == HvBand::CodeKey)
            continue;
        CAPTURE(code);
        CHECK_FALSE(band->HasData(code, 0));
    }

    IDispatch* object = Dispatch(band);
    LateResult put;
    LatePut(object, L"ColHeaderLines", MakeI4(2), put);
    LatePut(object, L"Expandable", MakeBool(false), put);
    VARIANT text = MakeText(L"Nova");
    LatePut(object, L"AddButtonCaption", text, put);
    VariantClear(&text);
    AddColumn(band, L"A");
    AddColumn(band, L"B");
    bool changed = false;
    band->SetColumnHeaderPosition(dynamic_cast<GridColumnSeam*>(band->Columns()->ItemAtPosition(1)), 0, &changed);
    CHECK(band->HasData(HvBand::CodeGeneral, 0));
    CHECK(band->HasData(HvBand::CodeColumnOrder, 0));
    CHECK_FALSE(band->HasData(HvBand::CodeGeneral, 256)); // not the bands category

    Ref<IStream> stream(NewStream());
    REQUIRE(band->SaveToStream(stream.Get(), 0) == S_OK);

    HvBand* copy = layout.AddBand(L"Copy");
    Rewind(stream.Get());
    REQUIRE(copy->LoadFromStream(stream.Get(), 0) == S_OK);
    IDispatch* loaded = Dispatch(copy);
    CHECK(GetLong(loaded, L"ColHeaderLines") == 2);
    CHECK(GetLong(loaded, L"Expandable") == 0);
    LateResult key, caption;
    LateGet(loaded, L"Key", key);
    LateGet(loaded, L"AddButtonCaption", caption);
    CHECK(std::wstring(key.value.bstrVal) == L"B");
    CHECK(std::wstring(caption.value.bstrVal) == L"Nova");
    REQUIRE(copy->GetColumnCount() == 2);
    CHECK(copy->ColumnHeaderOrder()[0] == copy->Columns()->ItemAtPosition(1));

    copy->ResetAll(0);
    CHECK(GetLong(loaded, L"ColHeaderLines") == 1);
    CHECK(GetLong(loaded, L"Expandable") == -1);
}

TEST_CASE("a stream whose general block holds values the setters refuse is not taken")
{
    FakeLayout layout;
    HvBand* band = layout.AddBand(L"B");
    // version, mask (code 4), then nine bytes with ColHeaderLines 0
    std::vector<BYTE> bytes = {100, 0, 0, 0, 4, 0, 0, 0, 3, 0, 0, 0, 1, 0, 1, 0, 0x16};
    Ref<IStream> stream(NewStream(bytes));
    CHECK(FAILED(band->LoadFromStream(stream.Get(), 0)));
    CHECK(GetLong(Dispatch(band), L"ColHeaderLines") == 1);
}

TEST_CASE("only a column of the band can become one of its sort columns")
{
    FakeLayout layout;
    HvBand* band = layout.AddBand(L"B");
    HvBand* other = layout.AddBand(L"C");
    GridColumnSeam* theirs = AddColumn(other, L"X");
    CHECK(band->AddSortedColumn(theirs, false) == static_cast<HRESULT>(0x800A9C4D));
    CHECK(LastErrorDescription() == L"Object is on a different Band.");
}

TEST_CASE("columns by position or key; header orders replaced and rolled back")
{
    FakeLayout layout;
    HvBand* band = layout.AddBand(L"B");
    GridColumnSeam* a = AddColumn(band, L"A");
    GridColumnSeam* b = AddColumn(band, L"B");
    GridColumnSeam* found = nullptr;
    CHECK(band->GetColumnItem(MakeI4(1), &found) == S_OK);
    CHECK(found == b);
    VARIANT key = MakeText(L"A");
    CHECK(band->GetColumnItem(key, &found) == S_OK);
    VariantClear(&key);
    CHECK(found == a);
    CHECK(band->GetColumnByPosition(5, &found) == E_FAIL);
    CHECK(band->GetColumnByPosition(0, nullptr) == E_INVALIDARG);

    std::vector<HvKeyedItem*> before = band->SnapshotColumnHeaderOrder();
    std::vector<HvKeyedItem*> rollback;
    // A stranger in the proposed order is dropped; B, left out, goes last.
    HvBand* other = layout.AddBand(L"O");
    GridColumnSeam* stranger = AddColumn(other, L"X");
    REQUIRE(band->SetColumnHeaderOrder({stranger->ColumnItem(), a->ColumnItem()}, &rollback) == S_OK);
    CHECK(band->ColumnHeaderOrder() == std::vector<HvKeyedItem*>{a->ColumnItem(), b->ColumnItem()});
    REQUIRE(band->SetColumnHeaderOrder({b->ColumnItem(), a->ColumnItem()}, &rollback) == S_OK);
    CHECK(band->ColumnHeaderOrder()[0] == b->ColumnItem());
    REQUIRE(band->SetColumnHeaderOrder(rollback, nullptr) == S_OK);
    CHECK(band->ColumnHeaderOrder() == before);
}

TEST_CASE("Collapse and Expand record ExpandRowsOnLoad in the band's override")
{
    FakeLayout layout;
    HvBand* band = layout.AddBand(L"B");
    HvBand* child = layout.AddBand(L"C", band);
    LateResult result;
    LateCall(Dispatch(band), L"Collapse", {}, result);
    CHECK(result.hr == S_OK);
    CHECK(band->ResolveSetting(0x40f) == 2);
    LateCall(Dispatch(band), L"ExpandAll", {}, result);
    CHECK(result.hr == S_OK);
    CHECK(band->ResolveSetting(0x40f) == 1);
    CHECK(child->ResolveSetting(0x40f) == 1);
    LateCall(Dispatch(band), L"CollapseAll", {}, result);
    CHECK(child->ResolveSetting(0x40f) == 2);
}

TEST_CASE("the parent link is saved as the parent's index and never makes a cycle")
{
    FakeLayout layout;
    HvBand* root = layout.AddBand(L"Root");
    HvBand* child = layout.AddBand(L"Child", root);
    CHECK(child->HasData(HvBand::CodeParent, 0));
    CHECK_FALSE(root->HasData(HvBand::CodeParent, 0));
    Ref<IStream> stream(NewStream());
    REQUIRE(child->Save(HvBand::CodeParent, stream.Get(), 0) == S_OK);
    CHECK(StreamBytes(stream.Get()) == std::vector<BYTE>{0, 0});

    HvBand* loose = layout.AddBand(L"Loose");
    Rewind(stream.Get());
    REQUIRE(loose->Load(HvBand::CodeParent, stream.Get(), 0) == S_OK);
    CHECK(loose->Parent() == root);

    // The root cannot become the child of its own descendant.
    Ref<IStream> cycle(NewStream({1, 0}));
    CHECK(FAILED(root->Load(HvBand::CodeParent, cycle.Get(), 0)));
    CHECK(root->Parent() == nullptr);
}
