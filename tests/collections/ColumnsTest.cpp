// A band's Columns: adding and removing through the band, the unbound
// tail, the category-driven stream form, reset and copy, and the metrics.
#include <doctest/doctest.h>

#include "CollectionsTestSupport.h"
#include "HvColumns.h"
#include "LayoutCategories.h"

#include <cstring>

namespace {

struct BandFixture {
    explicit BandFixture(int bound = 2, int unbound = 2)
    {
        band->AddColumns(bound, unbound);
        for (int i = 0; i < bound + unbound; ++i)
            band->ColumnAt(i)->value = 10 + i;
    }
    ~BandFixture() { band->Release(); }
    BandFixture(const BandFixture&) = delete;
    BandFixture& operator=(const BandFixture&) = delete;

    HvColumns* Columns() { return band->Columns(); }
    std::string Keys()
    {
        std::string text;
        for (LONG i = 0; i < Columns()->ItemCount(); ++i)
            text += (i ? " " : "") + std::string(band->ColumnAt(i)->key.c_str());
        return text;
    }

    FakeLayout layout;
    FakeBand* band = FakeBand::Create(&layout, nullptr, nullptr, nullptr);
};

void PutLong(std::vector<BYTE>& bytes, LONG value)
{
    const size_t at = bytes.size();
    bytes.resize(at + 4);
    std::memcpy(bytes.data() + at, &value, 4);
}

// The stream form of columns whose one setting is value (0: none saved).
std::vector<BYTE> ColumnsForm(std::vector<LONG> values)
{
    std::vector<BYTE> bytes;
    PutLong(bytes, static_cast<LONG>(values.size()));
    PutLong(bytes, 100);
    for (LONG value : values) {
        PutLong(bytes, 100);
        PutLong(bytes, value ? 1 : 0);
        if (value)
            PutLong(bytes, value);
    }
    return bytes;
}

} // namespace

TEST_CASE("Columns.Add with optional key and caption")
{
    const int before = FakeColumn::live;
    BandFixture f(0, 0);
    Ref<IDispatch> columns(Dispatch(f.Columns()));
    NoticeLog log(f.Columns());
    LateResult r;
    LateCall(columns.Get(), L"Add", {}, r);
    CHECK(r.hr == S_OK);
    Text name(L"Name");
    Text caption(L"Nome");
    LateCall(columns.Get(), L"Add", {name.v, caption.v}, r);
    CHECK(r.hr == S_OK);
    CHECK(KeyOfResult(r) == "Name");
    CHECK(f.band->ColumnAt(1)->caption == L"Nome");
    CHECK(log.what == std::vector<std::int32_t>{2001, 2001});

    Text numeric(L"5");
    Text upper(L"NAME");
    struct Case {
        const char* what;
        std::vector<VARIANT> args;
        HRESULT code;
        const wchar_t* text;
    } cases[] = {
        {"numeric key", {numeric.v}, static_cast<HRESULT>(0x800AA21E), L"The Key value has to be a string"},
        {"number as key", {Int(5)}, static_cast<HRESULT>(0x800AA21E), L"The Key value has to be a string"},
        {"duplicate key", {upper.v, MissingArg()}, static_cast<HRESULT>(0x800A797D), L"The Key value already exists"},
    };
    for (Case& c : cases) {
        CAPTURE(c.what);
        LateCall(columns.Get(), L"Add", c.args, r);
        CHECK(r.scode == c.code);
        CHECK(r.description == c.text);
    }
    CHECK(f.Columns()->ItemCount() == 2);
    CHECK(FakeColumn::live == before + 2);
}

TEST_CASE("Columns.Remove refuses bound columns and objects")
{
    BandFixture f;
    Ref<IDispatch> columns(Dispatch(f.Columns()));
    Ref<IDispatch> unbound(Dispatch(f.band->ColumnAt(3)));
    NoticeLog log(f.Columns());
    LateResult r;

    LateCall(columns.Get(), L"Remove", {Int(0)}, r);
    CHECK(r.scode == static_cast<HRESULT>(0x800A9C61));
    CHECK(r.description == L"This column is bound and can not be removed from the column's collection.");
    LateCall(columns.Get(), L"Remove", {Obj(unbound.Get())}, r);
    CHECK(r.scode == static_cast<HRESULT>(0x800AA21D));
    LateCall(columns.Get(), L"Remove", {Int(4)}, r);
    CHECK(r.scode == static_cast<HRESULT>(0x800AA21D));
    CHECK(log.what.empty());

    Text key(L"u0");
    LateCall(columns.Get(), L"Remove", {key.v}, r);
    CHECK(r.hr == S_OK);
    CHECK(f.Keys() == "B0 B1 U1");
    CHECK(log.what == std::vector<std::int32_t>{2002});

    // A removed column that a client still holds is no longer active.
    LateCall(columns.Get(), L"Remove", {Int(2)}, r);
    CHECK(r.hr == S_OK);
    CHECK_FALSE(CAutomationObject::IsActive(HvKeyedItem::FromObject(unbound.Get())->GetItemObject()));
}

TEST_CASE("ClearUnbound removes the unbound tail")
{
    for (bool gridOwn : {false, true}) {
        CAPTURE(gridOwn);
        BandFixture f;
        f.layout.gridOwn = gridOwn;
        NoticeLog log(f.Columns());
        Ref<IDispatch> columns(Dispatch(f.Columns()));
        LateResult r;
        LateCall(columns.Get(), L"ClearUnbound", {}, r);
        CHECK(r.hr == S_OK);
        CHECK(f.Keys() == "B0 B1");
        CHECK(log.what == (gridOwn ? std::vector<std::int32_t>{2004} : std::vector<std::int32_t>{}));
        LateCall(columns.Get(), L"ClearUnbound", {}, r);
        CHECK(r.hr == S_OK);
        CHECK(log.what.size() == (gridOwn ? 1u : 0u));
    }
}

TEST_CASE("a column's change reaches the band as a change of Columns")
{
    BandFixture f;
    NoticeLog log(f.Columns());
    f.band->ColumnAt(1)->Change(1131);
    CHECK(log.what == std::vector<std::int32_t>{1032});
    CHECK(log.innerWhat == std::vector<std::int32_t>{1131});
}

TEST_CASE("the Columns stream form by category")
{
    BandFixture f;
    f.band->ColumnAt(1)->value = 0; // nothing to save for B1
    struct Case {
        const char* what;
        LONG categories;
        std::vector<LONG> values;
    } cases[] = {
        {"every category", 0, {10, 0, 12, 13}},
        {"bands with unbound columns", UnboundColumnsCategory, {10, 0, 12, 13}},
        {"bands only: the bound columns", BandsCategory, {10, 0}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        Ref<IStream> stream(NewStream());
        CHECK(f.Columns()->Save(stream.Get(), c.categories) == S_OK);
        CHECK(StreamBytes(stream.Get()) == ColumnsForm(c.values));
    }

    // Read into another band and written again: the same bytes.
    Ref<IStream> stream(NewStream(ColumnsForm({10, 0, 12, 13})));
    BandFixture g(0, 1);
    CHECK(g.Columns()->Load(stream.Get(), 0) == S_OK);
    CHECK(g.Columns()->ItemCount() == 4);
    CHECK(g.band->ColumnAt(3)->value == 13);
    Ref<IStream> again(NewStream());
    CHECK(g.Columns()->Save(again.Get(), 0) == S_OK);
    CHECK(StreamBytes(again.Get()) == ColumnsForm({10, 0, 12, 13}));
}

TEST_CASE("a damaged Columns stream fails cleanly")
{
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
        LONG left;
    };
    std::vector<BYTE> tooMany;
    PutLong(tooMany, 10001);
    PutLong(tooMany, 100);
    std::vector<BYTE> negative;
    PutLong(negative, -1);
    PutLong(negative, 100);
    std::vector<BYTE> truncated = ColumnsForm({10, 11});
    truncated.resize(truncated.size() - 2);
    std::vector<BYTE> badVersion = ColumnsForm({10, 11});
    badVersion[8 + 12] = 99; // the second column's own version
    Case cases[] = {
        {"count above 10000", tooMany, 0},
        {"negative count", negative, 0},
        {"no count", {1, 2}, 0},
        {"truncated column", truncated, 2},
        {"unknown column version", badVersion, 2},
    };
    for (Case& c : cases) {
        CAPTURE(c.what);
        BandFixture f;
        Ref<IStream> stream(NewStream(c.bytes));
        CHECK(FAILED(f.Columns()->Load(stream.Get(), 0)));
        CHECK(f.Columns()->ItemCount() == c.left);
    }
}

TEST_CASE("reset and copy of Columns by category")
{
    SUBCASE("reset keeps the grid's own bound columns")
    {
        BandFixture f;
        f.layout.gridOwn = true;
        CHECK(f.Columns()->ResetForCategories(GroupsCategory & ~BandsCategory) == S_OK);
        CHECK(f.Keys() == "B0 B1 U0 U1");
        CHECK(f.Columns()->ResetForCategories(BandsCategory) == S_OK);
        CHECK(f.Keys() == "B0 B1");
        CHECK(f.band->ColumnAt(0)->value == 0);
    }
    SUBCASE("reset empties a copy layout's band")
    {
        BandFixture f;
        Ref<IDispatch> held(Dispatch(f.band->ColumnAt(0)));
        CHECK(f.Columns()->ResetForCategories(0) == S_OK);
        CHECK(f.Columns()->ItemCount() == 0);
        CHECK_FALSE(CAutomationObject::IsActive(HvKeyedItem::FromObject(held.Get())->GetItemObject()));
    }
    SUBCASE("copy into a copy layout rebuilds")
    {
        BandFixture source;
        BandFixture f(1, 0);
        CHECK(f.Columns()->CopyFrom(*source.Columns(), 0) == S_OK);
        CHECK(f.Keys() == "B0 B1 U0 U1");
        CHECK(f.band->ColumnAt(3)->value == 13);
    }
    SUBCASE("copy into the grid's own layout matches by key")
    {
        BandFixture source(2, 2);
        source.band->ColumnAt(1)->key.AssignAnsi("Other");
        BandFixture f(2, 0);
        f.layout.gridOwn = true;
        CHECK(f.Columns()->CopyFrom(*source.Columns(), 0) == S_OK);
        // B0 takes its settings; bound "Other" is skipped; U0, U1 are added.
        CHECK(f.Keys() == "B0 B1 U0 U1");
        CHECK(f.band->ColumnAt(0)->value == 10);
        CHECK(f.band->ColumnAt(1)->value == 11); // its own, untouched
        CHECK(f.band->ColumnAt(2)->value == 12);
        CHECK(f.Columns()->AnyColumnHasCategoryData(0));
    }
}

TEST_CASE("column metrics for the band")
{
    BandFixture f(3, 1);
    CHECK(f.Columns()->EndOfFlaggedColumns() == 3);
    CHECK(f.Columns()->GetDropDownButtonWidth() == 0);
    f.band->ColumnAt(2)->style = 6;
    CHECK(f.Columns()->GetDropDownButtonWidth() == 16);
    f.band->ColumnAt(1)->fontHeight = 17;
    f.band->ColumnAt(3)->pictureHeight = 24;
    CHECK(f.Columns()->GetMaxHeaderFontHeight() == 17);
    CHECK(f.Columns()->GetMaxHeaderPictureHeight() == 24);
}
