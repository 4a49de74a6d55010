// The group object through IHvGroup, late-bound: its width rule and
// events, level copies, selection through its columns, level clamping and
// column removal.
#include "ColumnFakes.h"

#include "HvColumn.h"
#include "HvGroup.h"
#include "HvGroupCols.h"
#include "HvGroups.h"

#include <doctest/doctest.h>

namespace {

constexpr HRESULT kReadOnly = static_cast<HRESULT>(0x800A017F);
constexpr HRESULT kReadOnlyInEvent = static_cast<HRESULT>(0x800A9C58);

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

VARIANT Object(IDispatch* object)
{
    VARIANT v;
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = object;
    object->AddRef();
    return v;
}

struct Fixture {
    TestLayout layout;
    TestBand band{layout};
    Ref<HvGroup> group{band.AddGroup(L"")};
    Ref<HvColumn> a{band.AddUnbound(L"a")};
    Ref<HvColumn> b{band.AddUnbound(L"b")};

    void Join(HvColumn* column, SHORT level = 0)
    {
        VARIANT levelValue = Long(level);
        VARIANT position;
        VariantInit(&position);
        REQUIRE(column->JoinGroup(group.Get(), &position, &levelValue) == S_OK);
    }
};

} // namespace

TEST_CASE("a group without caption and own width measures 14, or 24 with a swap button")
{
    Fixture f;
    f.band.settings[0x42c] = 1; // AllowGroupSwapping NotAllowed
    CHECK(f.group->GetDefaultWidth() == 14);
    f.band.settings[0x42c] = 0;
    CHECK(f.group->GetDefaultWidth() == 24);
}

TEST_CASE("a group's width is held to its columns' range")
{
    Fixture f;
    f.layout.events = false;
    REQUIRE(PutProperty(f.a->Interface(), L"Width", Float(1500)) == S_OK);
    f.Join(f.a.Get());
    LONG low = 0;
    LONG high = 0;
    f.group->GetWidthRange(false, true, &low, &high);
    REQUIRE(PutProperty(f.group->Interface(), L"Width", Float(0)) == S_OK);
    CHECK(f.group->GetWidth(true) == low);
    CHECK(f.group->GetDefaultWidth() == low);
}

TEST_CASE("a group's level copy refuses Hidden and keeps Width in its record")
{
    Fixture f;
    f.Join(f.a.Get());
    HRESULT hidden = S_OK;
    HRESULT ownWidth = S_OK;
    f.layout.beforeGroup = [&](Constants_PosChanged action, IHvGroups* groups) {
        CHECK(action == hvPosSized);
        IHvGroup* copy = nullptr;
        VARIANT index = Long(0);
        REQUIRE(groups->get_Item(index, &copy) == S_OK);
        hidden = PutProperty(copy, L"Hidden", Bool(true));
        CHECK(PutProperty(copy, L"Width", Float(6000)) == S_OK);
        CHECK(GetLong(copy, L"Width") == 6000);
        ownWidth = PutProperty(f.group->Interface(), L"Width", Float(100));
        copy->Release();
        return false;
    };
    REQUIRE(PutProperty(f.group->Interface(), L"Width", Float(4500)) == S_OK);
    CHECK(hidden == kReadOnly);
    CHECK(ownWidth == kReadOnlyInEvent);
    CHECK(GetLong(f.group->Interface(), L"Width") == 6000);
    CHECK(f.layout.fired == std::vector<std::string>{"BeforeGroupPosChanged 2", "AfterGroupPosChanged 2"});
    CHECK(GetLong(f.group->Interface(), L"Hidden") == 0);
}

TEST_CASE("selecting a group whose columns are all hidden changes nothing")
{
    Fixture f;
    f.Join(f.a.Get());
    REQUIRE(PutProperty(f.a->Interface(), L"Hidden", Bool(true)) == S_OK);
    REQUIRE(PutProperty(f.group->Interface(), L"Selected", Bool(true)) == S_OK);
    CHECK(GetLong(f.group->Interface(), L"Selected") == 0);
    CHECK_FALSE(f.a->IsSelectedItem());

    REQUIRE(PutProperty(f.a->Interface(), L"Hidden", Bool(false)) == S_OK);
    REQUIRE(PutProperty(f.group->Interface(), L"Selected", Bool(true)) == S_OK);
    CHECK(GetLong(f.group->Interface(), L"Selected") == -1);
    CHECK(f.a->IsSelectedItem());
}

TEST_CASE("reducing LevelCount moves columns of the dropped level to the last one")
{
    Fixture f;
    f.band.levelCount = 3;
    f.Join(f.a.Get(), 0);
    f.Join(f.b.Get(), 2);
    CHECK(f.b->Level() == 2);
    f.band.levelCount = 2;
    CHECK(f.group->ClampColumnLevels());
    CHECK(f.b->Level() == 1);
    CHECK(f.a->Level() == 0);
    CHECK_FALSE(f.group->ClampColumnLevels());
}

TEST_CASE("removing a column from a group")
{
    Fixture f;
    Ref<HvGroup> other(f.band.AddGroup(L"other"));
    f.Join(f.a.Get());
    CHECK(other->RemoveColumn(f.a.Get()) == static_cast<HRESULT>(0x800A9C52));
    CHECK(other->RemoveColumn(f.b.Get()) == S_OK);
    CHECK(f.group->RemoveColumn(f.a.Get()) == S_OK);
    CHECK(f.a->GetGroup() == nullptr);
    IHvGroupCols* columns = nullptr;
    REQUIRE(f.group->get_Columns(&columns) == S_OK);
    long count = -1;
    columns->get_Count(&count);
    CHECK(count == 0);
    columns->Release();
}

TEST_CASE("a point in a group's cell finds the column of its level")
{
    Fixture f;
    f.layout.events = false;
    f.band.levelCount = 2;
    REQUIRE(PutProperty(f.a->Interface(), L"Width", Float(1500)) == S_OK);
    REQUIRE(PutProperty(f.b->Interface(), L"Width", Float(1500)) == S_OK);
    f.Join(f.a.Get(), 0);
    f.Join(f.b.Get(), 1);
    f.group->SetStoredOrigin(0);
    CHECK(f.group->ColumnAtPoint(5, 5, 40, false) == f.a.Get());
    CHECK(f.group->ColumnAtPoint(5, 500, 40, false) == f.b.Get());
    CHECK(f.group->ColumnAtPoint(5, 25, 40, false) == f.b.Get());
}

TEST_CASE("a group saved with the bands category alone stores nothing")
{
    Fixture f;
    REQUIRE(PutProperty(f.group->Interface(), L"Hidden", Bool(true)) == S_OK);
    IHvHeader* header = nullptr;
    REQUIRE(f.group->get_Header(&header) == S_OK);
    BSTR caption = SysAllocString(L"Grupo");
    REQUIRE(header->put_Caption(caption) == S_OK);
    SysFreeString(caption);
    header->Release();
    CHECK_FALSE(f.group->HasAnyCategoryData(4));
    CHECK(f.group->HasAnyCategoryData(12));
    Ref<IStream> stream(NewStream());
    REQUIRE(f.group->SaveToStream(stream.Get(), 0) == S_OK);
    Rewind(stream.Get());
    Ref<HvGroup> copy(f.band.AddGroup(L"copy"));
    REQUIRE(copy->LoadFromStream(stream.Get(), 0) == S_OK);
    CHECK(GetLong(copy->Interface(), L"Hidden") == -1);
    CDualString text;
    copy->GetCaption(text);
    CHECK(std::string(text.c_str()) == "Grupo");
    (void)Object;
}

TEST_CASE("related items of a group walk its shown columns; codes above 7 give none")
{
    Fixture f;
    Ref<HvColumn> c(f.band.AddUnbound(L"c"));
    f.Join(f.a.Get());
    f.Join(f.b.Get());
    f.Join(c.Get());
    REQUIRE(PutProperty(f.b->Interface(), L"Hidden", Bool(true)) == S_OK);
    CHECK(f.group->GetRelatedItem(nullptr, 0, false) == f.a.Get());
    CHECK(f.group->GetRelatedItem(nullptr, 1, false) == c.Get());
    CHECK(f.group->GetRelatedItem(f.a.Get(), 2, false) == c.Get());
    CHECK(f.group->GetRelatedItem(c.Get(), 3, false) == f.a.Get());
    CHECK(f.group->GetRelatedItem(c.Get(), 2, false) == nullptr);
    CHECK(f.group->GetRelatedItem(f.a.Get(), 8, false) == nullptr);
    CHECK(f.a->GetRelatedItem(nullptr, 0, false) == f.a.Get());
    CHECK(f.a->GetRelatedItem(nullptr, 8, false) == nullptr);
}
