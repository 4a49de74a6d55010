// Test switches: optional interfaces turned off, a limit on held rows,
// injected failures with error records, and the leak counters.
#include <doctest/doctest.h>

#include "RowsetFixture.h"

using namespace rstest;

TEST_CASE("optional interfaces can be turned off; without IRowsetUpdate changes are immediate")
{
    Fixture f(3, false);
    f.Switches().DisableInterface(IID_IRowsetScroll);
    f.Switches().DisableInterface(IID_IRowsetUpdate);
    f.Bind();
    IUnknown* p = nullptr;
    CHECK(f.rowset->QueryInterface(IID_IRowsetScroll, reinterpret_cast<void**>(&p)) == E_NOINTERFACE);
    CHECK(f.rowset->QueryInterface(IID_IRowsetUpdate, reinterpret_cast<void**>(&p)) == E_NOINTERFACE);
    IRowsetChange* change = f.Query<IRowsetChange>(IID_IRowsetChange);
    RecordingSink sink;
    Advised advised(f.rowset, IID_IRowsetNotify, static_cast<IRowsetNotify*>(&sink));
    HROW row = f.Nth(0);
    Fixture::Row r{};
    r.bookmarkStatus = DBSTATUS_S_IGNORE;
    r.nameStatus = DBSTATUS_S_IGNORE;
    r.value = 9;
    REQUIRE(change->SetData(row, f.hacc, &r) == S_OK);
    CHECK(Join(sink.log) == "field:OKTODO field:ABOUTTODO field:SYNCHAFTER field:DIDEVENT");
    VARIANT v;
    REQUIRE(f.rs.MoveFirst() == S_OK);
    REQUIRE(f.rs.GetValue(L"VALUE", &v) == S_OK);
    CHECK(v.dblVal == 9);
    f.ReleaseRow(row);
    change->Release();
}

TEST_CASE("a read-only rowset: no IRowsetChange, updatability 0, no writable columns")
{
    Fixture f(1, false);
    f.Switches().DisableInterface(IID_IRowsetChange);
    f.Bind();
    IUnknown* p = nullptr;
    CHECK(f.rowset->QueryInterface(IID_IRowsetChange, reinterpret_cast<void**>(&p)) == E_NOINTERFACE);
    IRowsetInfo* info = f.Query<IRowsetInfo>(IID_IRowsetInfo);
    DBPROPID id = DBPROP_UPDATABILITY;
    DBPROPIDSET set{&id, 1, kPropsetRowset};
    ULONG n = 0;
    DBPROPSET* sets = nullptr;
    REQUIRE(info->GetProperties(1, &set, &n, &sets) == S_OK);
    CHECK(sets[0].rgProperties[0].vValue.lVal == 0);
    CoTaskMemFree(sets[0].rgProperties);
    CoTaskMemFree(sets);
    info->Release();
    IColumnsInfo* columns = f.Query<IColumnsInfo>(IID_IColumnsInfo);
    DBORDINAL count = 0;
    DBCOLUMNINFO* cols = nullptr;
    OLECHAR* strings = nullptr;
    REQUIRE(columns->GetColumnInfo(&count, &cols, &strings) == S_OK);
    CHECK((cols[1].dwFlags & (DBCOLUMNFLAGS_WRITE | DBCOLUMNFLAGS_WRITEUNKNOWN)) == 0);
    CoTaskMemFree(cols);
    CoTaskMemFree(strings);
    columns->Release();
}

TEST_CASE("a limit on held rows makes fetches answer DB_S_ROWLIMITEXCEEDED with the rows that fit")
{
    Fixture f(6);
    f.Switches().SetMaxHeldRows(3);
    IRowsetLocate* locate = f.Query<IRowsetLocate>(IID_IRowsetLocate);
    const BYTE first = DBBMK_FIRST;
    DBCOUNTITEM got = 0;
    HROW* rows = nullptr;
    CHECK(locate->GetRowsAt(0, 0, 1, &first, 0, 5, &got, &rows) == DB_S_ROWLIMITEXCEEDED);
    REQUIRE(got == 3);
    // Rows already held do not count twice; new ones cannot be had.
    HROW* again = nullptr;
    DBCOUNTITEM got2 = 0;
    CHECK(locate->GetRowsAt(0, 0, 1, &first, 1, 2, &got2, &again) == S_OK);
    CHECK(f.Values(again, got2) == std::vector<int>{1, 2});
    HROW* none = nullptr;
    CHECK(locate->GetRowsAt(0, 0, 1, &first, 3, 1, &got2, &none) == DB_S_ROWLIMITEXCEEDED);
    CHECK(got2 == 0);
    CHECK(f.Values(rows, got) == std::vector<int>{0, 1, 2});
    rows = nullptr;
    CHECK(locate->GetRowsAt(0, 0, 1, &first, 3, 3, &got, &rows) == S_OK);
    CHECK(f.Values(rows, got) == std::vector<int>{3, 4, 5});
    locate->Release();
}

TEST_CASE("a chosen call fails with a chosen result and OLE DB error records")
{
    Fixture f(2);
    HROW row = f.Nth(0);
    f.Switches().FailCall("IRowset::GetData", DB_E_ERRORSOCCURRED, L"The disk is on fire.");
    Fixture::Row r{};
    CHECK(f.rowset->GetData(row, f.hacc, &r) == DB_E_ERRORSOCCURRED);
    ISupportErrorInfo* support = f.Query<ISupportErrorInfo>(IID_ISupportErrorInfo);
    CHECK(support->InterfaceSupportsErrorInfo(IID_IRowset) == S_OK);
    support->Release();
    IErrorInfo* error = nullptr;
    REQUIRE(GetErrorInfo(0, &error) == S_OK);
    IErrorRecords* records = nullptr;
    REQUIRE(error->QueryInterface(IID_IErrorRecords, reinterpret_cast<void**>(&records)) == S_OK);
    ULONG count = 0;
    REQUIRE(records->GetRecordCount(&count) == S_OK);
    CHECK(count == 2);
    IErrorInfo* second = nullptr;
    REQUIRE(records->GetErrorInfo(1, GetSystemDefaultLCID(), &second) == S_OK);
    BSTR text = nullptr;
    REQUIRE(second->GetDescription(&text) == S_OK);
    CHECK(std::wstring(text) == L"The disk is on fire.");
    SysFreeString(text);
    second->Release();
    records->Release();
    error->Release();
    // Only the next call fails; calls are counted.
    CHECK(f.rowset->GetData(row, f.hacc, &r) == S_OK);
    CHECK(f.Switches().Calls("IRowset::GetData") == 2);

    f.Switches().FailCall("IRowsetLocate::GetRowsAt", E_OUTOFMEMORY, L"", 2);
    IRowsetLocate* locate = f.Query<IRowsetLocate>(IID_IRowsetLocate);
    const BYTE first = DBBMK_FIRST;
    DBCOUNTITEM got = 7;
    HROW* rows = nullptr;
    CHECK(locate->GetRowsAt(0, 0, 1, &first, 0, 1, &got, &rows) == E_OUTOFMEMORY);
    CHECK(got == 0);
    CHECK(locate->GetRowsAt(0, 0, 1, &first, 0, 1, &got, &rows) == E_OUTOFMEMORY);
    CHECK(locate->GetRowsAt(0, 0, 1, &first, 0, 1, &got, &rows) == S_OK);
    f.Values(rows, got);
    // A failure after a number of calls that succeed.
    f.Switches().FailCall("IRowsetLocate::GetRowsAt", E_OUTOFMEMORY, L"", 1, 1);
    rows = nullptr;
    CHECK(locate->GetRowsAt(0, 0, 1, &first, 0, 1, &got, &rows) == S_OK);
    f.Values(rows, got);
    rows = nullptr;
    CHECK(locate->GetRowsAt(0, 0, 1, &first, 0, 1, &got, &rows) == E_OUTOFMEMORY);
    rows = nullptr;
    CHECK(locate->GetRowsAt(0, 0, 1, &first, 0, 1, &got, &rows) == S_OK);
    f.Values(rows, got);
    locate->Release();
    f.ReleaseRow(row);
}

TEST_CASE("leak counters: outstanding row references and live rowsets")
{
    Fixture f(3);
    CHECK(f.Switches().LiveRowsets() == 1);
    HROW a = f.Nth(0);
    HROW b = f.Nth(0);
    CHECK(f.Switches().OutstandingRowRefs() == 2);
    f.ReleaseRow(a);
    CHECK(f.Switches().OutstandingRowRefs() == 1);
    f.ReleaseRow(b);
    CHECK(f.Switches().OutstandingRowRefs() == 0);
}
