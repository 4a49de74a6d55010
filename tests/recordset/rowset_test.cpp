// The read-only rowset face against the OLE DB contract: columns, fetches
// from the standard and row bookmarks, handle reference counts, bookmarks,
// positions, conversions and properties.
#include <doctest/doctest.h>

#include "RowsetFixture.h"

using namespace rstest;

TEST_CASE("the data source offers the rowset, its columns and a row position for the unnamed member")
{
    Fixture f(3, false);
    IUnknown* unk = nullptr;
    REQUIRE(f.rs.GetDataSource(&unk) == S_OK);
    ::DataSource* ds = nullptr;
    REQUIRE(unk->QueryInterface(kIidDataSource, reinterpret_cast<void**>(&ds)) == S_OK);
    LONG count = 0;
    CHECK(ds->getDataMemberCount(&count) == S_OK);
    CHECK(count == 1);
    BSTR empty = SysAllocString(L"");
    BSTR other = SysAllocString(L"Other");
    for (const IID* iid : {&IID_IRowPosition, &IID_IRowset, &IID_IColumnsInfo}) {
        IUnknown* got = nullptr;
        CHECK(ds->getDataMember(empty, *iid, &got) == S_OK);
        REQUIRE(got);
        got->Release();
    }
    IUnknown* none = nullptr;
    CHECK(ds->getDataMember(other, IID_IRowset, &none) == E_INVALIDARG);
    CHECK(none == nullptr);
    CHECK(ds->getDataMember(nullptr, IID_IRowset, &none) == S_OK); // a null name is the unnamed member
    // The rowset answers IUnknown queries itself, with one identity.
    IUnknown* a = nullptr;
    IUnknown* b = nullptr;
    IRowsetLocate* locate = nullptr;
    REQUIRE(none->QueryInterface(IID_IRowsetLocate, reinterpret_cast<void**>(&locate)) == S_OK);
    REQUIRE(none->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&a)) == S_OK);
    REQUIRE(locate->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&b)) == S_OK);
    CHECK(a == b);
    a->Release();
    b->Release();
    locate->Release();
    none->Release();
    SysFreeString(empty);
    SysFreeString(other);
    ds->Release();
    unk->Release();
}

TEST_CASE("columns: the bookmark at ordinal 0, then the fields with their types and flags")
{
    Fixture f(1);
    IColumnsInfo* info = f.Query<IColumnsInfo>(IID_IColumnsInfo);
    DBORDINAL n = 0;
    DBCOLUMNINFO* cols = nullptr;
    OLECHAR* strings = nullptr;
    REQUIRE(info->GetColumnInfo(&n, &cols, &strings) == S_OK);
    REQUIRE(n == 3);
    CHECK(cols[0].iOrdinal == 0);
    CHECK((cols[0].dwFlags & DBCOLUMNFLAGS_ISBOOKMARK) != 0);
    CHECK(cols[0].wType == DBTYPE_UI4);
    CHECK(cols[0].ulColumnSize == 4);
    CHECK(cols[0].pwszName == nullptr);
    CHECK(std::wstring(cols[1].pwszName) == L"NAME");
    CHECK(cols[1].wType == DBTYPE_WSTR);
    CHECK(cols[1].ulColumnSize == ~DBLENGTH(0));
    CHECK(std::wstring(cols[2].pwszName) == L"VALUE");
    CHECK(cols[2].wType == DBTYPE_R8);
    for (int i = 1; i <= 2; ++i) {
        CHECK((cols[i].dwFlags & DBCOLUMNFLAGS_WRITE) != 0);
        CHECK((cols[i].dwFlags & DBCOLUMNFLAGS_ISNULLABLE) != 0);
    }
    DBID ids[2] = {};
    ids[0].eKind = DBKIND_NAME;
    ids[0].uName.pwszName = const_cast<LPOLESTR>(L"VALUE");
    ids[1].eKind = DBKIND_NAME;
    ids[1].uName.pwszName = const_cast<LPOLESTR>(L"NOPE");
    DBORDINAL ordinals[2];
    CHECK(info->MapColumnIDs(2, ids, ordinals) == DB_S_ERRORSOCCURRED);
    CHECK(ordinals[0] == 2);
    CHECK(ordinals[1] == DB_INVALIDCOLUMN);
    CoTaskMemFree(cols);
    CoTaskMemFree(strings);
    info->Release();
}

TEST_CASE("GetRowsAt from the standard bookmarks and from a row, forwards and backwards")
{
    Fixture f(5); // values 0..4
    IRowsetLocate* locate = f.Query<IRowsetLocate>(IID_IRowsetLocate);
    HROW third = f.Nth(2);
    const ULONG bookmark = f.Read(third).bookmark;
    f.ReleaseRow(third);

    struct Case { int base; DBROWOFFSET offset; DBROWCOUNT rows; HRESULT hr; std::vector<int> values; };
    // base: 1 DBBMK_FIRST, 2 DBBMK_LAST, 0 the third row's bookmark
    const Case cases[] = {
        {1, 0, 3, S_OK, {0, 1, 2}},
        {1, 3, 5, DB_S_ENDOFROWSET, {3, 4}},
        {1, 5, 1, DB_S_ENDOFROWSET, {}},
        {1, 6, 1, DB_E_BADSTARTPOSITION, {}},
        {1, -1, 1, DB_S_ENDOFROWSET, {}},
        {1, -2, 1, DB_E_BADSTARTPOSITION, {}},
        {1, 0, 0, S_OK, {}},
        {1, 2, -5, DB_S_ENDOFROWSET, {2, 1, 0}},
        {2, 0, -2, S_OK, {4, 3}},
        {2, -4, -3, DB_S_ENDOFROWSET, {0}},
        {2, -5, -1, DB_S_ENDOFROWSET, {}},
        {2, -6, 1, DB_E_BADSTARTPOSITION, {}},
        {2, 1, 1, DB_S_ENDOFROWSET, {}},
        {2, 0, 1, S_OK, {4}},
        {0, 0, 1, S_OK, {2}},
        {0, 1, 2, S_OK, {3, 4}},
        {0, -2, -1, S_OK, {0}},
        {0, -1, 3, S_OK, {1, 2, 3}},
        {0, 3, 1, DB_S_ENDOFROWSET, {}},
        {0, 4, 1, DB_E_BADSTARTPOSITION, {}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.base);
        CAPTURE(c.offset);
        CAPTURE(c.rows);
        const BYTE standard = static_cast<BYTE>(c.base);
        const BYTE* bmk = c.base ? &standard : reinterpret_cast<const BYTE*>(&bookmark);
        DBCOUNTITEM got = 99;
        HROW* rows = nullptr;
        CHECK(locate->GetRowsAt(0, DB_NULL_HCHAPTER, c.base ? 1 : 4, bmk, c.offset, c.rows, &got, &rows) == c.hr);
        CHECK(f.Values(rows, got) == c.values);
    }
    // Bad bookmarks.
    const BYTE invalid = DBBMK_INVALID;
    const ULONG unknown = 999;
    DBCOUNTITEM got = 0;
    HROW* rows = nullptr;
    CHECK(locate->GetRowsAt(0, 0, 1, &invalid, 0, 1, &got, &rows) == DB_E_BADBOOKMARK);
    CHECK(locate->GetRowsAt(0, 0, 4, reinterpret_cast<const BYTE*>(&unknown), 0, 1, &got, &rows) == DB_E_BADBOOKMARK);
    CHECK(locate->GetRowsAt(0, 0, 0, &invalid, 0, 1, &got, &rows) == E_INVALIDARG);
    CHECK(rows == nullptr);
    // A caller-provided array is filled in place.
    HROW own[2] = {};
    HROW* ownPtr = own;
    const BYTE first = DBBMK_FIRST;
    REQUIRE(locate->GetRowsAt(0, 0, 1, &first, 0, 2, &got, &ownPtr) == S_OK);
    CHECK(ownPtr == own);
    CHECK(f.rowset->ReleaseRows(2, own, nullptr, nullptr, nullptr) == S_OK);
    locate->Release();
    CHECK(f.Switches().OutstandingRowRefs() == 0);
}

TEST_CASE("row handles are reference counted: one handle per row, every reference released once")
{
    Fixture f(3);
    HROW a = f.Nth(1);
    HROW b = f.Nth(1);
    CHECK(a == b);
    DBREFCOUNT counts[1] = {};
    DBROWSTATUS status[1] = {};
    CHECK(f.rowset->AddRefRows(1, &a, counts, status) == S_OK);
    CHECK(counts[0] == 3);
    CHECK(f.Switches().OutstandingRowRefs() == 3);
    for (DBREFCOUNT expected : {2u, 1u, 0u}) {
        CHECK(f.rowset->ReleaseRows(1, &a, nullptr, counts, status) == S_OK);
        CHECK(counts[0] == expected);
    }
    // Released to zero: the handle is no longer valid.
    CHECK(f.rowset->ReleaseRows(1, &a, nullptr, counts, status) == DB_E_ERRORSOCCURRED);
    CHECK(status[0] == DBROWSTATUS_E_INVALID);
    CHECK(f.rowset->AddRefRows(1, &a, counts, status) == DB_E_ERRORSOCCURRED);
    Fixture::Row r{};
    CHECK(f.rowset->GetData(a, f.hacc, &r) == DB_E_BADROWHANDLE);
    HROW mixed[2] = {f.Nth(0), 12345};
    CHECK(f.rowset->ReleaseRows(2, mixed, nullptr, nullptr, nullptr) == DB_S_ERRORSOCCURRED);
    CHECK(f.Switches().OutstandingRowRefs() == 0);
}

TEST_CASE("bookmarks stay valid across inserts and deletes; Compare and Hash follow them")
{
    Fixture f(4);
    IRowsetLocate* locate = f.Query<IRowsetLocate>(IID_IRowsetLocate);
    IRowsetChange* change = f.Query<IRowsetChange>(IID_IRowsetChange);
    HROW h1 = f.Nth(1), h3 = f.Nth(3);
    const ULONG b1 = f.Read(h1).bookmark, b3 = f.Read(h3).bookmark;
    f.Add(4); // through the recordset
    CHECK(change->DeleteRows(DB_NULL_HCHAPTER, 1, &h1, nullptr) == S_OK);
    IRowsetUpdate* update = f.Query<IRowsetUpdate>(IID_IRowsetUpdate);
    CHECK(update->Update(DB_NULL_HCHAPTER, 0, nullptr, nullptr, nullptr, nullptr) == S_OK);

    HROW again = f.FetchOne(reinterpret_cast<const BYTE*>(&b3), 4, 0);
    CHECK(f.Read(again).value == 3);
    CHECK(again == h3);
    f.ReleaseRow(again);
    HROW next = f.FetchOne(reinterpret_cast<const BYTE*>(&b3), 4, 1);
    CHECK(f.Read(next).value == 4);
    f.ReleaseRow(next);
    DBCOUNTITEM got = 0;
    HROW* rows = nullptr;
    CHECK(locate->GetRowsAt(0, 0, 4, reinterpret_cast<const BYTE*>(&b1), 0, 1, &got, &rows) == DB_E_BADBOOKMARK);
    Fixture::Row r{};
    CHECK(f.rowset->GetData(h1, f.hacc, &r) == DB_E_DELETEDROW);

    DBCOMPARE cmp;
    const BYTE first = DBBMK_FIRST, last = DBBMK_LAST;
    REQUIRE(locate->Compare(0, 4, reinterpret_cast<const BYTE*>(&b1), 4, reinterpret_cast<const BYTE*>(&b3), &cmp) == S_OK);
    CHECK(cmp == DBCOMPARE_LT);
    REQUIRE(locate->Compare(0, 4, reinterpret_cast<const BYTE*>(&b3), 4, reinterpret_cast<const BYTE*>(&b3), &cmp) == S_OK);
    CHECK(cmp == DBCOMPARE_EQ);
    REQUIRE(locate->Compare(0, 1, &first, 1, &first, &cmp) == S_OK);
    CHECK(cmp == DBCOMPARE_EQ);
    REQUIRE(locate->Compare(0, 1, &first, 1, &last, &cmp) == S_OK);
    CHECK(cmp == DBCOMPARE_NE);
    REQUIRE(locate->Compare(0, 1, &first, 4, reinterpret_cast<const BYTE*>(&b3), &cmp) == S_OK);
    CHECK(cmp == DBCOMPARE_NE);

    const DBBKMARK sizes[3] = {4, 4, 1};
    const BYTE* marks[3] = {reinterpret_cast<const BYTE*>(&b1), reinterpret_cast<const BYTE*>(&b3), &first};
    DBHASHVALUE hashes[3];
    DBROWSTATUS status[3];
    CHECK(locate->Hash(0, 3, sizes, marks, hashes, status) == DB_S_ERRORSOCCURRED);
    CHECK(hashes[0] != hashes[1]);
    CHECK(status[2] == DBROWSTATUS_E_INVALID);

    HROW byBookmark[2];
    CHECK(locate->GetRowsByBookmark(0, 2, sizes, marks, byBookmark, status) == DB_S_ERRORSOCCURRED);
    CHECK(status[0] == DBROWSTATUS_E_DELETED);
    CHECK(byBookmark[1] == h3);
    f.ReleaseRow(byBookmark[1]);
    f.ReleaseRow(h1);
    f.ReleaseRow(h3);
    update->Release();
    change->Release();
    locate->Release();
    CHECK(f.Switches().OutstandingRowRefs() == 0);
}

TEST_CASE("approximate positions and fetches by ratio")
{
    Fixture f(10);
    IRowsetScroll* scroll = f.Query<IRowsetScroll>(IID_IRowsetScroll);
    DBCOUNTITEM position = 0, count = 0;
    REQUIRE(scroll->GetApproximatePosition(0, 0, nullptr, nullptr, &count) == S_OK);
    CHECK(count == 10);
    const BYTE first = DBBMK_FIRST, last = DBBMK_LAST;
    REQUIRE(scroll->GetApproximatePosition(0, 1, &first, &position, &count) == S_OK);
    CHECK(position == 1);
    REQUIRE(scroll->GetApproximatePosition(0, 1, &last, &position, &count) == S_OK);
    CHECK(position == 10);
    HROW h = f.Nth(6);
    const ULONG b = f.Read(h).bookmark;
    f.ReleaseRow(h);
    REQUIRE(scroll->GetApproximatePosition(0, 4, reinterpret_cast<const BYTE*>(&b), &position, &count) == S_OK);
    CHECK(position == 7);

    struct Case { DBCOUNTITEM num, den; DBROWCOUNT rows; HRESULT hr; std::vector<int> values; };
    const Case cases[] = {
        {0, 1, 2, S_OK, {0, 1}},      {1, 2, 1, S_OK, {5}},         {1, 1, 1, DB_S_ENDOFROWSET, {}},
        {1, 1, -2, S_OK, {9, 8}},     {0, 1, -1, DB_S_ENDOFROWSET, {}}, {9, 10, 3, DB_S_ENDOFROWSET, {9}},
        {2, 1, 1, DB_E_BADRATIO, {}}, {1, 0, 1, DB_E_BADRATIO, {}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.num);
        CAPTURE(c.den);
        CAPTURE(c.rows);
        DBCOUNTITEM got = 0;
        HROW* rows = nullptr;
        CHECK(scroll->GetRowsAtRatio(0, 0, c.num, c.den, c.rows, &got, &rows) == c.hr);
        CHECK(f.Values(rows, got) == c.values);
    }
    scroll->Release();

    Fixture empty(0);
    IRowsetScroll* s2 = empty.Query<IRowsetScroll>(IID_IRowsetScroll);
    REQUIRE(s2->GetApproximatePosition(0, 1, &first, &position, &count) == S_OK);
    CHECK(position == 0);
    CHECK(count == 0);
    DBCOUNTITEM got = 0;
    HROW* rows = nullptr;
    CHECK(s2->GetRowsAtRatio(0, 0, 0, 1, 5, &got, &rows) == DB_S_ENDOFROWSET);
    CHECK(got == 0);
    s2->Release();
}

TEST_CASE("GetData converts to the requested binding type with status and length")
{
    Fixture f(0);
    REQUIRE(f.rs.AddNew() == S_OK);
    VARIANT name;
    VariantInit(&name);
    name.vt = VT_BSTR;
    name.bstrVal = SysAllocString(L"abcdefghij");
    REQUIRE(f.rs.SetValue(L"NAME", name) == S_OK);
    VariantClear(&name);
    REQUIRE(f.rs.SetValue(L"VALUE", Num(812.5)) == S_OK);
    REQUIRE(f.rs.AddNew() == S_OK); // second record: both null
    REQUIRE(f.rs.Update() == S_OK);

    struct Case { DBORDINAL ordinal; DBTYPE type; DBLENGTH max; DBSTATUS status; DBLENGTH length; };
    const Case cases[] = {
        {2, DBTYPE_WSTR, 64, DBSTATUS_S_OK, 10},        // "812.5" in every locale
        {1, DBTYPE_WSTR, 8, DBSTATUS_S_TRUNCATED, 20},  // length before truncation
        {1, DBTYPE_STR, 64, DBSTATUS_S_OK, 10},
        {2, DBTYPE_I4, 4, DBSTATUS_S_OK, 4},
        {2, DBTYPE_I1, 1, DBSTATUS_E_DATAOVERFLOW, 0},
        {2, DBTYPE_CY, 8, DBSTATUS_S_OK, 8},
        {1, DBTYPE_R8, 8, DBSTATUS_E_CANTCONVERTVALUE, 0},
        {0, DBTYPE_BYTES, 4, DBSTATUS_S_OK, 4},
    };
    HROW h = f.Nth(0);
    HROW nullRow = f.Nth(1);
    for (const Case& c : cases) {
        CAPTURE(c.ordinal);
        CAPTURE(c.type);
        struct { BYTE value[64]; DBLENGTH length; DBSTATUS status; } buf{};
        DBBINDING b{};
        b.iOrdinal = c.ordinal;
        b.obValue = 0;
        b.obLength = offsetof(decltype(buf), length);
        b.obStatus = offsetof(decltype(buf), status);
        b.dwPart = DBPART_VALUE | DBPART_LENGTH | DBPART_STATUS;
        b.wType = c.type;
        b.cbMaxLen = c.max;
        HACCESSOR acc = 0;
        REQUIRE(f.accessor->CreateAccessor(DBACCESSOR_ROWDATA, 1, &b, 0, &acc, nullptr) == S_OK);
        const HRESULT hr = f.rowset->GetData(h, acc, &buf);
        CHECK(buf.status == c.status);
        if (c.status == DBSTATUS_S_OK) {
            CHECK(hr == S_OK);
            CHECK(buf.length == c.length);
        } else {
            CHECK(FAILED(hr) == (c.status != DBSTATUS_S_TRUNCATED));
        }
        if (c.type == DBTYPE_WSTR && c.ordinal == 2)
            CHECK(std::wstring(reinterpret_cast<wchar_t*>(buf.value)) == L"812.5");
        if (c.type == DBTYPE_WSTR && c.ordinal == 1)
            CHECK(std::wstring(reinterpret_cast<wchar_t*>(buf.value)) == L"abc");
        if (c.type == DBTYPE_I4)
            CHECK(*reinterpret_cast<long*>(buf.value) == 812); // rounds half to even
        // Every type reports null as null.
        DBSTATUS nullStatus = 0;
        buf.status = 0;
        f.rowset->GetData(nullRow, acc, &buf);
        nullStatus = buf.status;
        if (c.ordinal != 0)
            CHECK(nullStatus == DBSTATUS_S_ISNULL);
        f.accessor->ReleaseAccessor(acc, nullptr);
    }
    // BSTR and VARIANT values belong to the consumer.
    struct { VARIANT v; DBSTATUS status; } vbuf{};
    DBBINDING vb{};
    vb.iOrdinal = 1;
    vb.obStatus = offsetof(decltype(vbuf), status);
    vb.dwPart = DBPART_VALUE | DBPART_STATUS;
    vb.wType = DBTYPE_VARIANT;
    vb.cbMaxLen = sizeof(VARIANT);
    HACCESSOR vacc = 0;
    REQUIRE(f.accessor->CreateAccessor(DBACCESSOR_ROWDATA, 1, &vb, 0, &vacc, nullptr) == S_OK);
    REQUIRE(f.rowset->GetData(h, vacc, &vbuf) == S_OK);
    CHECK(vbuf.v.vt == VT_BSTR);
    CHECK(std::wstring(vbuf.v.bstrVal) == L"abcdefghij");
    VariantClear(&vbuf.v);
    f.accessor->ReleaseAccessor(vacc, nullptr);
    f.ReleaseRow(h);
    f.ReleaseRow(nullRow);
}

TEST_CASE("accessors: bad bindings are refused with their status; the null accessor reads nothing")
{
    Fixture f(1);
    DBBINDING b[2] = {};
    b[0].iOrdinal = 7;
    b[0].dwPart = DBPART_VALUE;
    b[0].wType = DBTYPE_I4;
    b[1].iOrdinal = 1;
    b[1].dwPart = DBPART_VALUE;
    b[1].wType = DBTYPE_IUNKNOWN;
    DBBINDSTATUS status[2];
    HACCESSOR acc = 1;
    CHECK(f.accessor->CreateAccessor(DBACCESSOR_ROWDATA, 2, b, 0, &acc, status) == DB_E_ERRORSOCCURRED);
    CHECK(acc == DB_NULL_HACCESSOR);
    CHECK(status[0] == DBBINDSTATUS_BADORDINAL);
    CHECK(status[1] == DBBINDSTATUS_UNSUPPORTEDCONVERSION);
    CHECK(f.accessor->CreateAccessor(DBACCESSOR_PARAMETERDATA, 0, nullptr, 0, &acc, nullptr) == DB_E_BADACCESSORFLAGS);
    REQUIRE(f.accessor->CreateAccessor(DBACCESSOR_ROWDATA, 0, nullptr, 0, &acc, nullptr) == S_OK);
    HROW h = f.Nth(0);
    CHECK(f.rowset->GetData(h, acc, nullptr) == S_OK);
    DBREFCOUNT refs = 0;
    CHECK(f.accessor->AddRefAccessor(acc, &refs) == S_OK);
    CHECK(refs == 2);
    CHECK(f.accessor->ReleaseAccessor(acc, &refs) == S_OK);
    CHECK(f.accessor->ReleaseAccessor(acc, &refs) == S_OK);
    CHECK(refs == 0);
    CHECK(f.rowset->GetData(h, acc, nullptr) == DB_E_BADACCESSORHANDLE);
    f.ReleaseRow(h);
}

TEST_CASE("rowset properties answer what the grid asks, updatability included")
{
    Fixture f(1);
    IRowsetInfo* info = f.Query<IRowsetInfo>(IID_IRowsetInfo);
    DBPROPID ids[] = {DBPROP_BOOKMARKS, DBPROP_BOOKMARKTYPE, DBPROP_CACHEDEFERRED, DBPROP_CANFETCHBACKWARDS,
                      DBPROP_CANHOLDROWS, DBPROP_CANSCROLLBACKWARDS, DBPROP_HIDDENCOLUMNS, DBPROP_LITERALBOOKMARKS,
                      DBPROP_LITERALIDENTITY, DBPROP_MAXPENDINGROWS, DBPROP_MAXROWS, DBPROP_ORDEREDBOOKMARKS,
                      DBPROP_UPDATABILITY};
    DBPROPIDSET set;
    set.guidPropertySet = kPropsetRowset;
    set.cPropertyIDs = 13;
    set.rgPropertyIDs = ids;
    ULONG n = 0;
    DBPROPSET* sets = nullptr;
    CHECK(info->GetProperties(1, &set, &n, &sets) == S_OK);
    REQUIRE(n == 1);
    REQUIRE(sets[0].cProperties == 13);
    auto prop = [&](DBPROPID id) -> DBPROP& {
        for (ULONG i = 0; i < 13; ++i)
            if (sets[0].rgProperties[i].dwPropertyID == id)
                return sets[0].rgProperties[i];
        FAIL("missing");
        return sets[0].rgProperties[0];
    };
    CHECK(prop(DBPROP_BOOKMARKS).vValue.boolVal == VARIANT_TRUE);
    CHECK(prop(DBPROP_CANFETCHBACKWARDS).vValue.boolVal == VARIANT_TRUE);
    CHECK(prop(DBPROP_UPDATABILITY).vValue.lVal == (DBPROPVAL_UP_CHANGE | DBPROPVAL_UP_DELETE | DBPROPVAL_UP_INSERT));
    CHECK(prop(DBPROP_HIDDENCOLUMNS).vValue.lVal == 0);
    for (ULONG i = 0; i < sets[0].cProperties; ++i)
        VariantClear(&sets[0].rgProperties[i].vValue);
    CoTaskMemFree(sets[0].rgProperties);
    CoTaskMemFree(sets);
    // A property the rowset does not know is reported as such.
    DBPROPID unknown[] = {DBPROP_BOOKMARKS, 0x7777};
    set.cPropertyIDs = 2;
    set.rgPropertyIDs = unknown;
    CHECK(info->GetProperties(1, &set, &n, &sets) == DB_S_ERRORSOCCURRED);
    CHECK(sets[0].rgProperties[1].dwStatus == DBPROPSTATUS_NOTSUPPORTED);
    CoTaskMemFree(sets[0].rgProperties);
    CoTaskMemFree(sets);
    IUnknown* self = nullptr;
    CHECK(info->GetReferencedRowset(0, IID_IUnknown, &self) == S_OK);
    self->Release();
    CHECK(info->GetReferencedRowset(2, IID_IRowset, &self) == DB_E_NOTAREFERENCECOLUMN);
    CHECK(info->GetReferencedRowset(9, IID_IRowset, &self) == DB_E_BADORDINAL);
    info->Release();
}

TEST_CASE("IRowsetIdentity and sequential fetches")
{
    Fixture f(4);
    IRowsetIdentity* identity = f.Query<IRowsetIdentity>(IID_IRowsetIdentity);
    HROW a = f.Nth(0), b = f.Nth(1);
    CHECK(identity->IsSameRow(a, a) == S_OK);
    CHECK(identity->IsSameRow(a, b) == S_FALSE);
    CHECK(identity->IsSameRow(a, 777) == DB_E_BADROWHANDLE);
    f.ReleaseRow(a);
    f.ReleaseRow(b);
    identity->Release();

    DBCOUNTITEM got = 0;
    HROW* rows = nullptr;
    REQUIRE(f.rowset->GetNextRows(0, 0, 3, &got, &rows) == S_OK);
    CHECK(f.Values(rows, got) == std::vector<int>{0, 1, 2});
    rows = nullptr;
    REQUIRE(f.rowset->GetNextRows(0, 0, -2, &got, &rows) == S_OK); // reversing gives the last one again
    CHECK(f.Values(rows, got) == std::vector<int>{2, 1});
    rows = nullptr;
    REQUIRE(f.rowset->GetNextRows(0, 1, 5, &got, &rows) == DB_S_ENDOFROWSET);
    CHECK(f.Values(rows, got) == std::vector<int>{2, 3});
    REQUIRE(f.rowset->RestartPosition(0) == S_OK);
    rows = nullptr;
    REQUIRE(f.rowset->GetNextRows(0, 0, 1, &got, &rows) == S_OK);
    CHECK(f.Values(rows, got) == std::vector<int>{0});
}

namespace {

class CountingListener : public DataSourceListener {
public:
    int changed = 0;
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, kIidDataSourceListener))
            return E_NOINTERFACE;
        *out = this;
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP dataMemberChanged(DataMember member) override
    {
        changed += member && SysStringLen(member) == 0 ? 1 : 100;
        return S_OK;
    }
    STDMETHODIMP dataMemberAdded(DataMember) override { return S_OK; }
    STDMETHODIMP dataMemberRemoved(DataMember) override { return S_OK; }
};

} // namespace

TEST_CASE("closing a bound recordset tells the data source's listeners that the unnamed member changed")
{
    Fixture f(2, false);
    IUnknown* unk = nullptr;
    REQUIRE(f.rs.GetDataSource(&unk) == S_OK);
    ::DataSource* ds = nullptr;
    REQUIRE(unk->QueryInterface(kIidDataSource, reinterpret_cast<void**>(&ds)) == S_OK);
    unk->Release();
    CountingListener listener;
    REQUIRE(ds->addDataSourceListener(&listener) == S_OK);
    REQUIRE(f.rs.Close() == S_OK);
    CHECK(listener.changed == 1);
    REQUIRE(f.rs.Open() == S_OK);
    f.Add(5);
    // The member now serves the reopened records.
    IUnknown* got = nullptr;
    REQUIRE(ds->getDataMember(nullptr, IID_IRowsetScroll, &got) == S_OK);
    DBCOUNTITEM rows = 0;
    REQUIRE(static_cast<IRowsetScroll*>(got)->GetApproximatePosition(0, 0, nullptr, nullptr, &rows) == S_OK);
    CHECK(rows == 1);
    got->Release();
    CHECK(ds->removeDataSourceListener(&listener) == S_OK);
    CHECK(ds->removeDataSourceListener(&listener) == E_INVALIDARG);
    ds->Release();
}
