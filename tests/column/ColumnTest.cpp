// The column object through IHvColumn, late-bound: defaults, the order of
// a setter's checks, sizes in container units, level copies in the
// position events, groups and levels, value lists and styles.
#include "ColumnFakes.h"

#include "HvColumn.h"
#include "HvColumns.h"
#include "HvGroup.h"
#include "HvSelectedCols.h"
#include "HvValueList.h"

#include <doctest/doctest.h>

#include <deque>

namespace {

constexpr HRESULT kInvalidValue = static_cast<HRESULT>(0x800A017C);
constexpr HRESULT kReadOnly = static_cast<HRESULT>(0x800A017F);
constexpr HRESULT kNotActive = static_cast<HRESULT>(0x800AA21B);
constexpr HRESULT kReadOnlyInEvent = static_cast<HRESULT>(0x800A9C58);

struct Fixture {
    TestLayout layout;
    TestBand band{layout};
    Ref<HvColumn> column{band.AddUnbound(L"AMOSTRA")};
    IDispatch* Dispatch() { return column->Interface(); }
};

LONG GetLong(IDispatch* object, const wchar_t* name)
{
    VARIANT value;
    REQUIRE(GetProperty(object, name, &value) == S_OK);
    VARIANT converted;
    VariantInit(&converted);
    REQUIRE(VariantChangeType(&converted, &value, 0, VT_I4) == S_OK);
    VariantClear(&value);
    return V_I4(&converted);
}

} // namespace

TEST_CASE("a new column has its documented defaults")
{
    Fixture f;
    CHECK(GetLong(f.Dispatch(), L"AutoEdit") == -1);
    CHECK(GetLong(f.Dispatch(), L"Nullable") == 1);
    CHECK(GetLong(f.Dispatch(), L"ColSpan") == 1);
    CHECK(GetLong(f.Dispatch(), L"DataType") == 8);
    CHECK(GetLong(f.Dispatch(), L"Level") == 0);
    VARIANT prompt;
    REQUIRE(GetProperty(f.Dispatch(), L"PromptChar", &prompt) == S_OK);
    CHECK(std::wstring(V_BSTR(&prompt)) == L"_");
    VariantClear(&prompt);
    VARIANT key;
    REQUIRE(GetProperty(f.Dispatch(), L"Key", &key) == S_OK);
    CHECK(std::wstring(V_BSTR(&key)) == L"AMOSTRA");
    VariantClear(&key);
}

TEST_CASE("enumerated settings refuse values outside their range and announce changes")
{
    struct Case {
        const wchar_t* name;
        LONG maximum;
        DISPID dispid;
    };
    const Case cases[] = {
        {L"Activation", 2, 1081},      {L"AutoSizeEdit", 1, 1109}, {L"ButtonDisplayStyle", 3, 1111},
        {L"Case", 2, 1112},            {L"MaskClipMode", 4, 2142}, {L"MaskDataMode", 4, 2143},
        {L"MaskDisplayMode", 4, 2149}, {L"Nullable", 2, 1125},     {L"Style", 9, 1132},
        {L"TabStop", 2, -516},         {L"CellMultiLine", 2, 1189},
    };
    Fixture f;
    NoticeLog log(f.column.Get());
    for (const Case& c : cases) {
        CAPTURE(std::string(c.name, c.name + wcslen(c.name)));
        CHECK(PutProperty(f.Dispatch(), c.name, Long(c.maximum + 1)) == kInvalidValue);
        CHECK(PutProperty(f.Dispatch(), c.name, Long(-1)) == kInvalidValue);
        log.what.clear();
        CHECK(PutProperty(f.Dispatch(), c.name, Long(c.maximum)) == S_OK);
        CHECK(GetLong(f.Dispatch(), c.name) == c.maximum);
        REQUIRE(log.what.size() == 1);
        CHECK(log.what[0] == c.dispid);
        // The same value again changes nothing and tells nobody.
        CHECK(PutProperty(f.Dispatch(), c.name, Long(c.maximum)) == S_OK);
        CHECK(log.what.size() == 1);
    }
}

TEST_CASE("a setter checks liveness, then level copy, then the event, then the value")
{
    Fixture f;
    HRESULT copyAnswer = S_OK;
    HRESULT realAnswer = S_OK;
    HRESULT copyInvalid = S_OK;
    f.layout.beforeCol = [&](Constants_PosChanged, IHvSelectedCols* columns) {
        IHvColumn* copy = nullptr;
        VARIANT index = Long(0);
        REQUIRE(columns->get_Item(index, &copy) == S_OK);
        // A level copy refuses even an invalid value as read-only first.
        copyAnswer = PutProperty(copy, L"Hidden", Bool(true));
        copyInvalid = PutProperty(copy, L"Style", Long(99));
        realAnswer = PutProperty(f.Dispatch(), L"Style", Long(99));
        copy->Release();
        return false;
    };
    REQUIRE(PutProperty(f.Dispatch(), L"Width", Float(3000)) == S_OK);
    CHECK(copyAnswer == kReadOnly);
    CHECK(copyInvalid == kReadOnly);
    CHECK(realAnswer == kReadOnlyInEvent);
    CHECK(f.layout.fired == std::vector<std::string>{"BeforeColPosChanged 2", "AfterColPosChanged 2"});

    f.column->Deactivate();
    CHECK(PutProperty(f.Dispatch(), L"Style", Long(99)) == kNotActive);
}

TEST_CASE("widths cross the interface in container units and are stored in pixels")
{
    Fixture f;
    f.layout.events = false;
    REQUIRE(PutProperty(f.Dispatch(), L"Width", Float(1500)) == S_OK);
    CHECK(f.column->GetDefaultWidth() == 100);
    CHECK(GetLong(f.Dispatch(), L"Width") == 1500);
    CHECK(PutProperty(f.Dispatch(), L"Width", Float(-1)) == kInvalidValue);
    // 0 is raised to the minimum width of an edit column: 120 twips.
    REQUIRE(PutProperty(f.Dispatch(), L"Width", Float(0)) == S_OK);
    CHECK(GetLong(f.Dispatch(), L"Width") == 120);
}

TEST_CASE("MinWidth and MaxWidth limits")
{
    Fixture f;
    f.layout.events = false;
    CHECK(PutProperty(f.Dispatch(), L"MinWidth", Float(100)) == static_cast<HRESULT>(0x800A9C5B));
    CHECK(PutProperty(f.Dispatch(), L"MinWidth", Float(0)) == S_OK);
    REQUIRE(PutProperty(f.Dispatch(), L"MinWidth", Float(1500)) == S_OK);
    CHECK(f.column->GetDefaultWidth() >= 100);
    CHECK(PutProperty(f.Dispatch(), L"MaxWidth", Float(1200)) == static_cast<HRESULT>(0x800A9C5D));
    REQUIRE(PutProperty(f.Dispatch(), L"MaxWidth", Float(3000)) == S_OK);
    CHECK(PutProperty(f.Dispatch(), L"MinWidth", Float(4500)) == static_cast<HRESULT>(0x800A9C5C));
    REQUIRE(PutProperty(f.Dispatch(), L"Width", Float(9000)) == S_OK);
    CHECK(GetLong(f.Dispatch(), L"Width") == 3000);
    // 0 removes the limit.
    REQUIRE(PutProperty(f.Dispatch(), L"MaxWidth", Float(0)) == S_OK);
    REQUIRE(PutProperty(f.Dispatch(), L"Width", Float(9000)) == S_OK);
    CHECK(GetLong(f.Dispatch(), L"Width") == 9000);
}

TEST_CASE("a BeforeColPosChanged handler decides the width that is stored")
{
    Fixture f;
    SUBCASE("a changed proposal is taken")
    {
        f.layout.beforeCol = [](Constants_PosChanged action, IHvSelectedCols* columns) {
            CHECK(action == hvPosSized);
            IHvColumn* copy = nullptr;
            VARIANT index = Long(0);
            REQUIRE(columns->get_Item(index, &copy) == S_OK);
            CHECK(GetLong(copy, L"Width") == 3000);
            VARIANT key;
            REQUIRE(GetProperty(copy, L"Key", &key) == S_OK);
            CHECK(std::wstring(V_BSTR(&key)) == L"AMOSTRA");
            VariantClear(&key);
            CHECK(PutProperty(copy, L"Width", Float(4500)) == S_OK);
            copy->Release();
            return false;
        };
        REQUIRE(PutProperty(f.Dispatch(), L"Width", Float(3000)) == S_OK);
        CHECK(GetLong(f.Dispatch(), L"Width") == 4500);
    }
    SUBCASE("a proposal beyond MaxWidth is held to it")
    {
        REQUIRE(PutProperty(f.Dispatch(), L"MaxWidth", Float(3500)) == S_OK);
        f.layout.beforeCol = [](Constants_PosChanged, IHvSelectedCols* columns) {
            IHvColumn* copy = nullptr;
            VARIANT index = Long(0);
            REQUIRE(columns->get_Item(index, &copy) == S_OK);
            PutProperty(copy, L"Width", Float(9000));
            copy->Release();
            return false;
        };
        REQUIRE(PutProperty(f.Dispatch(), L"Width", Float(3000)) == S_OK);
        // The limit, within the rounding of whole pixels.
        const LONG width = GetLong(f.Dispatch(), L"Width");
        CHECK(width <= 3500);
        CHECK(width > 3400);
    }
    SUBCASE("a cancel keeps the old width")
    {
        const LONG before = GetLong(f.Dispatch(), L"Width");
        f.layout.beforeCol = [](Constants_PosChanged, IHvSelectedCols*) { return true; };
        REQUIRE(PutProperty(f.Dispatch(), L"Width", Float(3000)) == S_OK);
        CHECK(GetLong(f.Dispatch(), L"Width") == before);
        CHECK(f.layout.fired == std::vector<std::string>{"BeforeColPosChanged 2"});
    }
}

TEST_CASE("Level needs a group and a level below the band's LevelCount")
{
    Fixture f;
    f.band.levelCount = 2;
    CHECK(PutProperty(f.Dispatch(), L"Level", Long(1)) == static_cast<HRESULT>(0x800A9C53));
    Ref<HvGroup> group(f.band.AddGroup(L"G"));
    VARIANT target;
    V_VT(&target) = VT_DISPATCH;
    V_DISPATCH(&target) = group->Interface();
    group->AddRef();
    REQUIRE(PutProperty(f.Dispatch(), L"Group", target) == S_OK);
    CHECK(f.column->GetGroup() == group.Get());
    CHECK(PutProperty(f.Dispatch(), L"Level", Long(2)) == static_cast<HRESULT>(0x800A9C5A));
    f.layout.fired.clear();
    REQUIRE(PutProperty(f.Dispatch(), L"Level", Long(1)) == S_OK);
    CHECK(GetLong(f.Dispatch(), L"Level") == 1);
    CHECK(f.layout.fired == std::vector<std::string>{"BeforeColPosChanged 0", "AfterColPosChanged 0"});
    // An empty Group takes the column out of its group.
    VARIANT empty;
    VariantInit(&empty);
    REQUIRE(PutProperty(f.Dispatch(), L"Group", empty) == S_OK);
    CHECK(f.column->GetGroup() == nullptr);
    CHECK(PutProperty(f.Dispatch(), L"Group", Text(L"nonesuch")) == kInvalidValue);
}

TEST_CASE("text settings: PromptChar, DataType and FieldLen of bound columns")
{
    Fixture f;
    CHECK(PutProperty(f.Dispatch(), L"PromptChar", Text(L"ab")) == kInvalidValue);
    CHECK(PutProperty(f.Dispatch(), L"PromptChar", Text(L"")) == kInvalidValue);
    CHECK(PutProperty(f.Dispatch(), L"PromptChar", Text(L"#")) == S_OK);
    CHECK(PutProperty(f.Dispatch(), L"DataType", Long(72)) == kInvalidValue);
    CHECK(PutProperty(f.Dispatch(), L"DataType", Long(136)) == kInvalidValue);
    CHECK(PutProperty(f.Dispatch(), L"DataType", Long(5)) == S_OK);

    TestColumnInfo info;
    Ref<HvColumn> bound(f.band.AddBound(info));
    CHECK(PutProperty(bound->Interface(), L"DataType", Long(5)) == kReadOnly);
    CHECK(PutProperty(bound->Interface(), L"FieldLen", Long(5)) == kReadOnly);
    CHECK(GetLong(bound->Interface(), L"FieldLen") == 40);
    VARIANT field;
    REQUIRE(GetProperty(bound->Interface(), L"Key", &field) == S_OK);
    CHECK(std::wstring(V_BSTR(&field)) == L"AMOSTRA");
    VariantClear(&field);
}

TEST_CASE("resolved style and value lists")
{
    Fixture f;
    CHECK(f.column->ResolveStyle() == 1);
    REQUIRE(PutProperty(f.Dispatch(), L"DataType", Long(7)) == S_OK);
    CHECK(f.column->ResolveStyle() == 8);
    CHECK(PutProperty(f.Dispatch(), L"ValueList", Text(L"nonesuch")) == static_cast<HRESULT>(0x800AA21D));
    f.layout.AddValueList(L"Lista");
    REQUIRE(PutProperty(f.Dispatch(), L"ValueList", Text(L"Lista")) == S_OK);
    CHECK(f.column->ResolveStyle() == 4);
    REQUIRE(PutProperty(f.Dispatch(), L"Style", Long(6)) == S_OK);
    VARIANT parsed;
    BSTR typed = SysAllocString(L"not listed");
    CHECK(f.column->ParseEditText(typed, &parsed) == E_FAIL);
    REQUIRE(PutProperty(f.Dispatch(), L"Style", Long(1)) == S_OK);
    REQUIRE(f.column->ParseEditText(typed, &parsed) == S_OK);
    CHECK(std::wstring(V_BSTR(&parsed)) == L"not listed");
    VariantClear(&parsed);
    SysFreeString(typed);
    VARIANT none;
    VariantInit(&none);
    REQUIRE(PutProperty(f.Dispatch(), L"ValueList", none) == S_OK);
    CHECK(f.column->ValueList() == nullptr);
}

TEST_CASE("a header click cycles the sort indicator unless it is disabled")
{
    Fixture f;
    f.band.settings[0x424] = 2; // HeaderClickAction SortSingle
    CHECK(f.column->OnHeaderClick());
    CHECK(f.column->SortIndicator() == SortIndicatorAscending);
    CHECK(f.column->OnHeaderClick());
    CHECK(f.column->SortIndicator() == SortIndicatorDescending);
    REQUIRE(PutProperty(f.Dispatch(), L"SortIndicator", Long(3)) == S_OK);
    CHECK(f.column->OnHeaderClick());
    CHECK(f.column->SortIndicator() == SortIndicatorDisabled);
}

TEST_CASE("the general settings survive a save and load into another column")
{
    Fixture f;
    f.layout.events = false;
    REQUIRE(PutProperty(f.Dispatch(), L"Style", Long(3)) == S_OK);
    REQUIRE(PutProperty(f.Dispatch(), L"MinWidth", Float(1500)) == S_OK);
    REQUIRE(PutProperty(f.Dispatch(), L"Width", Float(3000)) == S_OK);
    REQUIRE(PutProperty(f.Dispatch(), L"Hidden", Bool(true)) == S_OK);
    Ref<IStream> stream(NewStream());
    REQUIRE(f.column->SaveToStream(stream.Get(), 0) == S_OK);
    Rewind(stream.Get());
    Ref<HvColumn> other(f.band.AddUnbound(L"other"));
    REQUIRE(other->LoadFromStream(stream.Get(), 0) == S_OK);
    CHECK(GetLong(other->Interface(), L"Style") == 3);
    CHECK(GetLong(other->Interface(), L"MinWidth") == 1500);
    CHECK(GetLong(other->Interface(), L"Hidden") == -1);
    CHECK(other->GetDefaultWidth() == 200);
    VARIANT key;
    REQUIRE(GetProperty(other->Interface(), L"Key", &key) == S_OK);
    CHECK(std::wstring(V_BSTR(&key)) == L"AMOSTRA");
    VariantClear(&key);
}

TEST_CASE("typing completes from the value list's data values")
{
    Fixture f;
    f.layout.AddValueList(L"Amostras");
    REQUIRE(PutProperty(f.Dispatch(), L"ValueList", Text(L"Amostras")) == S_OK);
    // A column with a list resolves to a drop-down: completion is for edit styles.
    REQUIRE(PutProperty(f.Dispatch(), L"Style", Long(1)) == S_OK);
    Ref<IHvValueListItems> items;
    REQUIRE(f.column->ValueList()->get_ValueListItems(items.Out()) == S_OK);
    for (const wchar_t* value : {L"Tanque 1", L"Tambor"}) {
        VARIANT data = Text(value);
        VARIANT missing;
        V_VT(&missing) = VT_ERROR;
        V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
        Ref<IHvValueListItem> item;
        REQUIRE(items->Add(&data, missing, missing, item.Out()) == S_OK);
        VariantClear(&data);
    }
    BSTR text = SysAllocString(L"tam");
    CHECK(f.column->CompleteFromValueList(&text));
    CHECK(std::wstring(text) == L"Tambor");
    SysFreeString(text);
    text = SysAllocString(L"xyz");
    CHECK_FALSE(f.column->CompleteFromValueList(&text));
    CHECK(std::wstring(text) == L"xyz");
    // Without AutoEdit nothing is completed.
    REQUIRE(PutProperty(f.Dispatch(), L"AutoEdit", Bool(false)) == S_OK);
    SysFreeString(text);
    text = SysAllocString(L"tam");
    CHECK_FALSE(f.column->CompleteFromValueList(&text));
    SysFreeString(text);
}

TEST_CASE("a column that goes away lets its watchers go, and a dead one answers 0x800AA21B")
{
    TestLayout layout;
    TestBand band(layout);
    Ref<HvColumn> column(band.AddUnbound(L"x"));
    VARIANT value;
    column->Deactivate();
    CHECK(GetProperty(column->Interface(), L"Width", &value) == kNotActive);
    CHECK(PutProperty(column->Interface(), L"Hidden", Bool(true)) == kNotActive);
    Ref<IHvHeader> header;
    CHECK(column->get_Header(header.Out()) == kNotActive);
}

TEST_CASE("cell rectangles give up room step by step, never more than half their size")
{
    Fixture f;
    f.band.settings[0x3f1] = 5;  // BorderStyleCell solid: 1 pixel
    f.band.settings[0x3f3] = 5;  // BorderStyleRow solid
    f.band.settings[0x3f5] = 10; // CellSpacing
    f.band.settings[0x3f4] = 2;  // CellPadding
    RECT rect;
    SetRect(&rect, 0, 0, 100, 12);
    f.column->DeflateCellRect(&rect, 3, 4);
    // Spacing 10 in a 12-pixel cell: at most 12/2 - 1 - 1 = 4 on top and bottom.
    CHECK(rect.top == 4);
    CHECK(rect.bottom == 8);
    CHECK(rect.left == 10);
    CHECK(rect.right == 90);
    SetRect(&rect, 0, 0, 100, 40);
    f.column->DeflateCellRect(&rect, 0, 6);
    // Row border 1 (top/bottom only: not first or last), spacing 10, border 1, padding 2.
    CHECK(rect.top == 1 + 10 + 1 + 2);
    CHECK(rect.bottom == 40 - 14);
    CHECK(rect.left == 13);
    CHECK(rect.right == 87);
}

TEST_CASE("columns swap places and move through the position events")
{
    Fixture f;
    Ref<HvColumn> other(f.band.AddUnbound(L"other"));
    Ref<IHvHeader> header;
    REQUIRE(other->get_Header(header.Out()) == S_OK);
    short position = -1;
    REQUIRE(header->get_VisiblePosition(&position) == S_OK);
    CHECK(position == 1);

    SUBCASE("a swap exchanges the places taken before the event")
    {
        f.layout.beforeCol = [&](Constants_PosChanged action, IHvSelectedCols* columns) {
            CHECK(action == hvPosSwapped);
            long count = 0;
            columns->get_Count(&count);
            CHECK(count == 2);
            return false;
        };
        REQUIRE(f.column->Swap(other.Get()) == S_OK);
        CHECK(f.band.headerOrder[0] == other.Get());
        CHECK(f.band.headerOrder[1] == f.column.Get());
        CHECK(f.layout.fired == std::vector<std::string>{"BeforeColPosChanged 1", "AfterColPosChanged 1"});
    }
    SUBCASE("a cancelled move leaves the order")
    {
        f.layout.beforeCol = [](Constants_PosChanged action, IHvSelectedCols*) { return action == hvPosMoved; };
        REQUIRE(header->put_VisiblePosition(0) == S_OK);
        CHECK(f.band.headerOrder[1] == other.Get());
        f.layout.beforeCol = nullptr;
        REQUIRE(header->put_VisiblePosition(0) == S_OK);
        CHECK(f.band.headerOrder[0] == other.Get());
        CHECK(header->put_VisiblePosition(-1) == kInvalidValue);
    }
}

TEST_CASE("Columns finds a column by the key it has now: after a read, a binding and a reset")
{
    TestLayout layout;
    TestBand band{layout};
    HvColumns* columns = band.Columns();
    auto find = [&](const wchar_t* key) {
        const CDualString text(key);
        return dynamic_cast<HvColumn*>(columns->FindColumnByKey(&text));
    };
    Ref<HvColumn> a(band.AddUnbound(L"A"));
    Ref<HvColumn> c(band.AddUnbound(L"C"));
    CHECK(find(L"a") == a.Get());
    CHECK(find(L"c") == c.Get());

    // A read gives c the key A: the first of the two is found.
    Ref<IStream> stream(NewStream());
    REQUIRE(a->SaveToStream(stream.Get(), 0) == S_OK);
    Rewind(stream.Get());
    REQUIRE(c->LoadFromStream(stream.Get(), 0) == S_OK);
    CHECK(find(L"C") == nullptr);
    CHECK(find(L"A") == a.Get());
    REQUIRE(columns->RemoveCollectionItem(a.Get()) == S_OK);
    CHECK(find(L"A") == c.Get());

    // Bound, its key is its field; a reset of its settings unbinds it.
    TestColumnInfo info;
    info.name = L"Campo";
    REQUIRE(c->AttachColumnInfo(&info) == S_OK);
    CHECK(find(L"CAMPO") == c.Get());
    CHECK(find(L"A") == nullptr);
    c->AttachColumnInfo(nullptr);
    c->ResetAll(0);
    CHECK(find(L"Campo") == nullptr);
    CHECK(find(L"a") == c.Get());
}

TEST_CASE("a column's place in a wide band follows insertions and removals")
{
    TestLayout layout;
    TestBand band{layout};
    std::deque<Ref<HvColumn>> made;
    for (int i = 0; i < 100; ++i)
        made.emplace_back(band.AddUnbound(nullptr));
    HvColumns* columns = band.Columns();
    CHECK(columns->ColumnPosition(made[99].Get()) == 99);
    made.emplace_back(band.AddUnbound(nullptr));
    CHECK(columns->ColumnPosition(made[100].Get()) == 100);
    TestColumnInfo info;
    Ref<HvColumn> first(band.AddBound(info));
    CHECK(columns->ColumnPosition(first.Get()) == 0);
    CHECK(columns->ColumnPosition(made[0].Get()) == 1);
    REQUIRE(columns->RemoveCollectionItem(made[50].Get()) == S_OK);
    CHECK(columns->ColumnPosition(made[50].Get()) == -1);
    CHECK(columns->ColumnPosition(made[51].Get()) == 51);
    CHECK(columns->ColumnPosition(made[100].Get()) == 100);
}
