// A group's column list: level order, the client methods through late
// binding, notices, the column-list stream form and the width rules.
#include <doctest/doctest.h>

#include "CollectionsTestSupport.h"
#include "StreamText.h"

#include <cstring>

namespace {

void Put(std::vector<BYTE>& bytes, const void* data, size_t size)
{
    const size_t at = bytes.size();
    bytes.resize(at + size);
    std::memcpy(bytes.data() + at, data, size);
}

// One record of the column-list form, written by hand.
void Record(std::vector<BYTE>& bytes, SHORT position, LONG dataType, BYTE flags, const char* key)
{
    Put(bytes, &position, 2);
    Put(bytes, &dataType, 4);
    Put(bytes, &flags, 1);
    if (key) {
        const SHORT length = static_cast<SHORT>(std::strlen(key));
        Put(bytes, &length, 2);
        Put(bytes, key, static_cast<size_t>(length));
    }
}

std::vector<BYTE> Header(LONG count)
{
    std::vector<BYTE> bytes;
    Put(bytes, &count, 4);
    return bytes;
}

} // namespace

TEST_CASE("a column placed in a level goes before the next level")
{
    GroupFixture f;
    f.Join(0, 0);
    f.Join(1, 0);
    f.Join(2, 1);
    REQUIRE(f.Order() == "B0/0 B1/0 B2/1");

    CHECK(f.list->PositionAt(f.Column(3), 5, 0) == S_OK);
    CHECK(f.Order() == "B0/0 B1/0 U0/0 B2/1");
    CHECK(f.list->PositionAt(f.Column(4), 0, 1) == S_OK);
    CHECK(f.Order() == "B0/0 B1/0 U0/0 U1/1 B2/1");

    SHORT index = -2;
    SHORT level = -2;
    CHECK(f.list->GetLevelPosition(f.Column(2), &index, &level) == S_OK);
    CHECK(index == 1);
    CHECK(level == 1);
    CHECK(f.list->GetLevelPosition(f.Column(0), nullptr) == E_POINTER);
}

TEST_CASE("moving and swapping keep the level order")
{
    GroupFixture f;
    f.Join(0, 0);
    f.Join(1, 0);
    f.Join(2, 1);
    bool moved = false;
    CHECK(f.list->MoveColumnTo(f.Column(1), 0, &moved) == S_OK);
    CHECK(moved);
    CHECK(f.Order() == "B1/0 B0/0 B2/1");
    CHECK(f.list->MoveColumnTo(f.Column(1), 0, &moved) == S_OK);
    CHECK_FALSE(moved);
    CHECK(f.list->MoveColumnBy(f.Column(1), 1, &moved) == S_OK);
    CHECK(f.Order() == "B0/0 B1/1 B2/1");

    NoticeLog log(f.list);
    CHECK(f.list->SwapColumns(f.Column(0), f.Column(2)) == S_OK);
    CHECK(f.Order() == "B2/0 B1/1 B0/1");
    CHECK(log.what == std::vector<std::int32_t>{0x4EA});

    CHECK(f.list->MoveColumnTo(f.Column(3), 0, &moved) == E_FAIL);
    CHECK(f.list->SwapColumns(f.Column(0), f.Column(3)) == E_FAIL);
}

TEST_CASE("Add through late binding with optional position and level")
{
    GroupFixture f;
    Ref<IDispatch> list(Dispatch(f.list));
    NoticeLog log(f.list);
    LateResult r;

    Text b1(L"B1");
    LateCall(list.Get(), L"Add", {b1.v}, r);
    CHECK(r.hr == S_OK);
    LateCall(list.Get(), L"Add", {Int(3), MissingArg(), Int(1)}, r);
    CHECK(r.hr == S_OK);
    Ref<IDispatch> u1(Dispatch(f.Column(4)));
    LateCall(list.Get(), L"Add", {Obj(u1.Get()), Int(0), Int(1)}, r);
    CHECK(r.hr == S_OK);
    CHECK(f.Order() == "B1/0 U1/1 U0/1");
    CHECK(f.Column(1)->group == f.group);

    // The column's own Group notice comes through first, then the Add.
    CHECK(log.what == std::vector<std::int32_t>{0x4EA, 2001, 0x4EA, 2001, 0x4EA, 2001});
    CHECK(log.innerWhat[0] == 0x460);

    LateGet(list.Get(), L"Count", r);
    CHECK(V_I4(&r.value) == 3);
    Text key(L"u0");
    LateGet(list.Get(), L"Item", r, {key.v});
    CHECK(KeyOfResult(r) == "U0");
    LateGet(list.Get(), L"Item", r, {Int(1)});
    CHECK(KeyOfResult(r) == "U1");
}

TEST_CASE("the column list's refusals")
{
    GroupFixture f;
    f.Join(0, 0);
    f.Join(1, 0);
    Ref<IDispatch> list(Dispatch(f.list));
    FakeBand* other = FakeBand::Create(nullptr, nullptr, nullptr, nullptr);
    other->AddColumns(1, 0);
    Ref<IDispatch> foreign(Dispatch(other->ColumnAt(0)));
    HvGroupCols* copy = f.list->Clone();
    REQUIRE(copy);
    Ref<IDispatch> clone(Dispatch(copy));
    copy->Release();

    struct Case {
        const char* what;
        IDispatch* target;
        const wchar_t* method;
        std::vector<VARIANT> args;
        HRESULT code;
        const wchar_t* text;
    };
    Text missingKey(L"Nope");
    const Case cases[] = {
        {"foreign column", list.Get(), L"Add", {Obj(foreign.Get())}, static_cast<HRESULT>(0x800AA220),
         L"Error accessing passed in object"},
        {"unknown key", list.Get(), L"Add", {missingKey.v}, static_cast<HRESULT>(0x800AA21D),
         L"Specified index is invalid"},
        {"level beyond LevelCount", list.Get(), L"Add", {Int(2), MissingArg(), Int(7)},
         static_cast<HRESULT>(0x800A9C5A), L"Level must be from 0 to Band.LevelCount - 1."},
        {"remove foreign", list.Get(), L"Remove", {Obj(foreign.Get())}, static_cast<HRESULT>(0x800AA220),
         L"Error accessing passed in object"},
        {"remove beyond count", list.Get(), L"Remove", {Int(2)}, static_cast<HRESULT>(0x800AA21D),
         L"Specified index is invalid"},
        {"add to a copy", clone.Get(), L"Add", {Int(2)}, static_cast<HRESULT>(0x800AA21A),
         L"This collection is read-only."},
        {"remove from a copy", clone.Get(), L"Remove", {Int(0)}, static_cast<HRESULT>(0x800AA21A),
         L"This collection is read-only."},
        {"clear a copy", clone.Get(), L"Clear", {}, static_cast<HRESULT>(0x800AA21A),
         L"This collection is read-only."},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        LateResult r;
        LateCall(c.target, c.method, c.args, r);
        CHECK(r.hr == DISP_E_EXCEPTION);
        CHECK(r.scode == c.code);
        CHECK(r.description == c.text);
    }
    CHECK(f.Order() == "B0/0 B1/0");
    LateResult r;
    LateGet(clone.Get(), L"Count", r);
    CHECK(V_I4(&r.value) == 2);

    // Add with a null Column pointer (early-bound) is refused outright.
    CHECK(f.list->Add(nullptr, nullptr, nullptr) == E_INVALIDARG);

    f.list->Deactivate();
    LateCall(list.Get(), L"Clear", {}, r);
    CHECK(r.scode == static_cast<HRESULT>(0x800AA21B));
    CHECK(r.description == L"This object is no longer active");
    LateCall(list.Get(), L"Add", {Int(2)}, r);
    CHECK(r.scode == static_cast<HRESULT>(0x800AA21B));
    other->Release();
}

TEST_CASE("Remove and Clear send the columns out of the group")
{
    GroupFixture f;
    f.Join(0, 0);
    f.Join(1, 1);
    f.Join(2, 1);
    Ref<IDispatch> list(Dispatch(f.list));
    NoticeLog log(f.list);
    LateResult r;
    Text key(L"B1");
    LateCall(list.Get(), L"Remove", {key.v}, r);
    CHECK(r.hr == S_OK);
    CHECK(f.Order() == "B0/0 B2/1");
    CHECK(f.Column(1)->group == nullptr);
    CHECK(log.what.back() == 2002);

    LateCall(list.Get(), L"Clear", {}, r);
    CHECK(r.hr == S_OK);
    CHECK(f.list->ItemCount() == 0);
    CHECK(f.Column(0)->group == nullptr);
    CHECK(f.Column(2)->group == nullptr);
    CHECK(log.what.back() == -554);
}

TEST_CASE("the column-list form, byte by byte")
{
    GroupFixture f;
    f.Join(0, 0);
    f.Join(4, 0);
    f.Join(2, 1);
    f.Column(2)->dataType = 3;

    std::vector<BYTE> expected = Header(3);
    Record(expected, 0, 8, 3, "B0");
    Record(expected, 1, 8, 2, "U1");  // unbound: position after the 3 bound columns
    Record(expected, 2, 3, 3, "B2");

    Ref<IStream> stream(NewStream());
    CHECK(f.list->Save(stream.Get(), 0) == S_OK);
    CHECK(StreamBytes(stream.Get()) == expected);

    // Read back into another band's group and written again: the same bytes.
    GroupFixture g;
    g.Column(2)->level = 1; // the column's own settings, loaded with it
    g.Column(2)->dataType = 3;
    Rewind(stream.Get());
    CHECK(g.list->LoadColumnList(stream.Get(), 0) == S_OK);
    CHECK(g.Order() == "B0/0 U1/0 B2/1");
    CHECK(g.Column(2)->group == g.group);
    Ref<IStream> again(NewStream());
    CHECK(g.list->Save(again.Get(), 0) == S_OK);
    CHECK(StreamBytes(again.Get()) == expected);
}

TEST_CASE("reading a column list against a changed band")
{
    // The band now has 2 bound columns; an unkeyed unbound column is found
    // by its position after them, a keyed one by key; a bound column whose
    // key is gone is skipped, and levels never decrease along the list.
    GroupFixture f(2, 3);
    f.Column(2)->key.Empty(); // U0 has no key
    std::vector<BYTE> bytes = Header(4);
    Record(bytes, 0, 8, 2, "U2");   // keyed unbound, found by key
    Record(bytes, 0, 8, 0, nullptr); // unkeyed unbound at 2 + 0
    Record(bytes, 5, 8, 3, "Gone");  // bound, key not found: skipped
    Record(bytes, 1, 8, 1, nullptr); // unkeyed bound at position 1
    f.Column(4)->level = 1;
    Ref<IStream> stream(NewStream(bytes));
    CHECK(f.list->LoadColumnList(stream.Get(), 0) == S_OK);
    CHECK(f.Order() == "U2/1 /1 B1/1");
}

TEST_CASE("a damaged column list fails cleanly")
{
    std::vector<BYTE> good = Header(2);
    Record(good, 0, 8, 3, "B0");
    Record(good, 1, 8, 3, "B1");
    for (size_t cut : {size_t{2}, size_t{4}, size_t{9}, size_t{12}, good.size() - 1}) {
        CAPTURE(cut);
        GroupFixture f;
        std::vector<BYTE> bytes(good.begin(), good.begin() + static_cast<long>(cut));
        Ref<IStream> stream(NewStream(bytes));
        const HRESULT hr = f.list->LoadColumnList(stream.Get(), 0);
        if (cut < 4) {
            CHECK(hr == S_OK); // no count: nothing to read
            CHECK(f.list->ItemCount() == 0);
        } else {
            CHECK(FAILED(hr));
            CHECK(f.list->ItemCount() == (cut > 13 ? 1 : 0));
        }
    }

    // A column listed twice by a damaged stream is taken once.
    GroupFixture f;
    std::vector<BYTE> twice = Header(2);
    Record(twice, 0, 8, 3, "B0");
    Record(twice, 0, 8, 3, "B0");
    Ref<IStream> stream(NewStream(twice));
    CHECK(f.list->LoadColumnList(stream.Get(), 0) == S_OK);
    CHECK(f.Order() == "B0/0");

    // The collection form proper cannot make columns.
    for (LONG count : {1L, 10001L, -1L}) {
        CAPTURE(count);
        std::vector<BYTE> bytes = Header(count);
        const LONG version = 100;
        Put(bytes, &version, 4);
        Ref<IStream> raw(NewStream(bytes));
        CHECK(f.list->Load(raw.Get(), 0) == E_FAIL);
        CHECK(f.list->ItemCount() == 0);
    }
}

TEST_CASE("the group's width from its levels")
{
    struct Case {
        const char* what;
        LONG max0, max1, max2;
        LONG expectedMax;
    };
    const Case cases[] = {
        {"every column limited: the smallest level sum", 150, 250, 500, 400},
        {"one column without MaxWidth: unlimited", 150, 0, 500, 0},
        {"unlimited second level", 150, 250, 0, 0},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        GroupFixture f;
        f.Join(0, 0);
        f.Join(1, 0);
        f.Join(2, 1);
        f.Column(0)->maxWidth = c.max0;
        f.Column(1)->width = 200;
        f.Column(1)->maxWidth = c.max1;
        f.Column(2)->width = 350;
        f.Column(2)->maxWidth = c.max2;
        LONG minimum = -1, maximum = -1, width = -1;
        f.list->MeasureLevels(nullptr, false, &minimum, &maximum, &width);
        CHECK(minimum == 20);
        CHECK(maximum == c.expectedMax);
        CHECK(width == 350);
    }

    // Fitting to the group's width: within the limits, the minimum wins.
    GroupFixture f;
    f.Join(0, 0);
    f.Column(0)->minWidth = 80;
    f.Column(0)->maxWidth = 60;
    f.group->width = 50;
    LONG width = 0;
    f.list->MeasureLevels(nullptr, true, nullptr, nullptr, &width);
    CHECK(width == 80);
}

TEST_CASE("a width change spreads over a level")
{
    GroupFixture f;
    f.Join(0, 0);
    f.Join(1, 0);
    f.Column(1)->width = 300;
    f.Column(0)->proportional = true;
    f.Column(1)->proportional = true;
    f.group->width = 500;
    // Proportional columns share 100 pixels as 25 and 75.
    f.list->FitColumnsToWidth(nullptr, true, false, 0, 0, nullptr);
    CHECK(f.Column(0)->width == 125);
    CHECK(f.Column(1)->width == 375);
    CHECK(f.group->width == 500);

    // Ordinary columns: the last one takes the change when fitting.
    f.Column(0)->proportional = false;
    f.Column(1)->proportional = false;
    f.group->width = 600;
    f.list->FitColumnsToWidth(nullptr, true, true, 0, 0, nullptr);
    CHECK(f.Column(0)->width == 125);
    CHECK(f.Column(1)->width == 475);

    // A fixed column in the level leaves it as it is.
    f.group->width = 700;
    f.list->FitColumnsToWidth(nullptr, true, false, 0, 0, f.Column(0));
    CHECK(f.Column(1)->width == 475);
}

TEST_CASE("the width range of a column inside its level")
{
    GroupFixture f;
    f.Join(0, 0);
    f.Join(1, 0);
    f.Column(1)->width = 300;
    f.group->width = 500;
    LONG minimum = 0, maximum = 0;
    f.list->GetColumnWidthRange(nullptr, false, f.Column(0), &minimum, &maximum);
    CHECK(minimum == 10);
    CHECK(maximum == 100 - 10 + 300 + 100);
    f.Column(0)->maxWidth = 250;
    f.list->GetColumnWidthRange(nullptr, false, f.Column(0), &minimum, &maximum);
    CHECK(maximum == 250);
    f.Column(0)->locked = true;
    f.list->GetColumnWidthRange(nullptr, false, f.Column(0), &minimum, &maximum);
    CHECK(minimum == 100);
    CHECK(maximum == 100);
}

TEST_CASE("a copy takes the matching columns at their places")
{
    GroupFixture source;
    source.Join(3, 0);
    source.Join(1, 1);
    source.Join(0, 1);
    GroupFixture target(2, 2);
    target.Join(1, 0);
    CHECK(target.list->CopyFrom(*source.list) == S_OK);
    // B0, B1 and U0 exist in the target band; the list is rebuilt.
    CHECK(target.Order() == "U0/0 B1/1 B0/1");
}

TEST_CASE("an enumeration of the group's columns is a snapshot in level order")
{
    GroupFixture f;
    f.Join(2, 1);
    f.Join(0, 0);
    f.Join(1, 0);
    Ref<IDispatch> list(Dispatch(f.list));
    LateResult r;
    LateGet(list.Get(), L"_NewEnum", r);
    REQUIRE(V_VT(&r.value) == VT_UNKNOWN);
    Ref<IEnumVARIANT> items;
    REQUIRE(V_UNKNOWN(&r.value)->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(items.Out())) == S_OK);
    REQUIRE(f.Column(1)->LeaveGroup() == S_OK);
    std::string keys;
    VARIANT item;
    VariantInit(&item);
    while (items->Next(1, &item, nullptr) == S_OK) {
        HvKeyedItem* column = HvKeyedItem::FromObject(V_DISPATCH(&item));
        keys += std::string(column->GetKey()->c_str()) + " ";
        VariantClear(&item);
    }
    CHECK(keys == "B0 B1 B2 ");
    CHECK(f.Order() == "B0/0 B2/1");
}
