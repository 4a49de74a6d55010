// Changes through the rowset and through the recordset: notification phases
// in order, vetoes, re-entrant listeners, deferred changes and the shared
// row position.
#include <doctest/doctest.h>

#include "RowsetFixture.h"

using namespace rstest;

namespace {

struct Changes {
    Fixture& f;
    IRowsetChange* change;
    IRowsetUpdate* update;
    RecordingSink sink;
    Advised advised;

    explicit Changes(Fixture& fixture)
        : f(fixture), change(f.Query<IRowsetChange>(IID_IRowsetChange)),
          update(f.Query<IRowsetUpdate>(IID_IRowsetUpdate)),
          advised(f.rowset, IID_IRowsetNotify, static_cast<IRowsetNotify*>(&sink))
    {
    }
    ~Changes()
    {
        update->Release();
        change->Release();
    }

    HRESULT SetValue(HROW row, double value)
    {
        Fixture::Row r{};
        r.value = value;
        r.valueStatus = DBSTATUS_S_OK;
        r.bookmarkStatus = DBSTATUS_S_IGNORE;
        r.nameStatus = DBSTATUS_S_IGNORE;
        return change->SetData(row, f.hacc, &r);
    }
    DBPENDINGSTATUS Status(HROW row)
    {
        DBPENDINGSTATUS s = 0;
        REQUIRE(SUCCEEDED(update->GetRowStatus(0, 1, &row, &s)));
        return s;
    }
    double Original(HROW row)
    {
        Fixture::Row r{};
        REQUIRE(SUCCEEDED(update->GetOriginalData(row, f.hacc, &r)));
        return r.valueStatus == DBSTATUS_S_ISNULL ? -1 : r.value;
    }
    DBCOUNTITEM Count()
    {
        IRowsetScroll* scroll = f.Query<IRowsetScroll>(IID_IRowsetScroll);
        DBCOUNTITEM n = 0;
        scroll->GetApproximatePosition(0, 0, nullptr, nullptr, &n);
        scroll->Release();
        return n;
    }
    std::string Log()
    {
        std::string s = Join(sink.log);
        sink.log.clear();
        return s;
    }
};

std::string Phases(const std::string& reason)
{
    return reason + ":OKTODO " + reason + ":ABOUTTODO " + reason + ":SYNCHAFTER " + reason + ":DIDEVENT";
}

} // namespace

TEST_CASE("every phase in order for set, insert, delete, update and undo")
{
    Fixture f(3);
    Changes c(f);
    HROW row = f.Nth(1);

    REQUIRE(c.SetValue(row, 10) == S_OK);
    CHECK(c.Log() == "firstchange:OKTODO field:OKTODO firstchange:ABOUTTODO field:ABOUTTODO "
                     "firstchange:SYNCHAFTER field:SYNCHAFTER firstchange:DIDEVENT field:DIDEVENT");
    REQUIRE(c.SetValue(row, 11) == S_OK);
    CHECK(c.Log() == Phases("field"));
    REQUIRE(c.update->Update(0, 1, &row, nullptr, nullptr, nullptr) == S_OK);
    CHECK(c.Log() == Phases("update"));

    HROW inserted = DB_NULL_HROW;
    REQUIRE(c.change->InsertRow(0, f.hacc, nullptr, &inserted) == E_INVALIDARG); // data needed for bindings
    HACCESSOR none = 0;
    REQUIRE(f.accessor->CreateAccessor(DBACCESSOR_ROWDATA, 0, nullptr, 0, &none, nullptr) == S_OK);
    REQUIRE(c.change->InsertRow(0, none, nullptr, &inserted) == S_OK);
    CHECK(c.Log() == Phases("insert"));
    CHECK(c.Status(inserted) == DBPENDINGSTATUS_NEW);
    REQUIRE(c.update->Undo(0, 1, &inserted, nullptr, nullptr, nullptr) == S_OK);
    CHECK(c.Log() == Phases("undoinsert"));
    CHECK(c.Count() == 3);

    REQUIRE(c.change->DeleteRows(0, 1, &row, nullptr) == S_OK);
    CHECK(c.Log() == "firstchange:OKTODO delete:OKTODO firstchange:ABOUTTODO delete:ABOUTTODO "
                     "firstchange:SYNCHAFTER delete:SYNCHAFTER firstchange:DIDEVENT delete:DIDEVENT");
    CHECK(c.Count() == 2);
    REQUIRE(c.update->Undo(0, 0, nullptr, nullptr, nullptr, nullptr) == S_OK);
    CHECK(c.Log() == Phases("undodelete"));
    CHECK(c.Count() == 3);

    REQUIRE(c.SetValue(row, 12) == S_OK);
    c.Log();
    REQUIRE(c.update->Undo(0, 1, &row, nullptr, nullptr, nullptr) == S_OK);
    CHECK(c.Log() == Phases("undochange"));
    CHECK(f.Read(row).value == 11);
    f.accessor->ReleaseAccessor(none, nullptr);
    f.ReleaseRow(inserted);
    f.ReleaseRow(row);
    CHECK(f.Switches().OutstandingRowRefs() == 0);
}

TEST_CASE("a veto at OKTODO or ABOUTTODO cancels the change and sends FAILEDTODO")
{
    Fixture f(2);
    Changes c(f);
    HROW row = f.Nth(0);
    for (const char* at : {"field:OKTODO", "firstchange:ABOUTTODO"}) {
        CAPTURE(at);
        c.sink.vetoAt = at;
        CHECK(c.SetValue(row, 5) == DB_E_CANCELED);
        const std::string log = c.Log();
        CHECK(log.find("firstchange:FAILEDTODO field:FAILEDTODO") != std::string::npos);
        CHECK(log.find("SYNCHAFTER") == std::string::npos);
        CHECK(f.Read(row).value == 0);
        CHECK(c.Status(row) == DBPENDINGSTATUS_UNCHANGED);
    }
    c.sink.vetoAt = "delete:OKTODO";
    DBROWSTATUS status = 0;
    CHECK(c.change->DeleteRows(0, 1, &row, &status) == DB_E_ERRORSOCCURRED);
    CHECK(status == DBROWSTATUS_E_CANCELED);
    CHECK(c.Count() == 2);
    c.sink.vetoAt.clear();

    // A switch vetoes like a listener.
    c.Log();
    f.Switches().Veto(DBREASON_ROW_INSERT, DBEVENTPHASE_ABOUTTODO);
    HACCESSOR none = 0;
    REQUIRE(f.accessor->CreateAccessor(DBACCESSOR_ROWDATA, 0, nullptr, 0, &none, nullptr) == S_OK);
    HROW inserted = 99;
    CHECK(c.change->InsertRow(0, none, nullptr, &inserted) == DB_E_CANCELED);
    CHECK(inserted == DB_NULL_HROW);
    CHECK(c.Log() == "insert:OKTODO insert:ABOUTTODO insert:FAILEDTODO");
    CHECK(c.Count() == 2);
    f.Switches().ClearVetoes();
    f.accessor->ReleaseAccessor(none, nullptr);
    f.ReleaseRow(row);
}

TEST_CASE("listeners re-enter: they read, release and fetch at any phase, change only once the change is done")
{
    Fixture f(3);
    Changes c(f);
    HROW row = f.Nth(0);
    HROW other = f.Nth(2);
    std::vector<std::string> seen;
    c.sink.action = [&](const std::string& entry) {
        if (entry.rfind("field:", 0) != 0)
            return;
        Fixture::Row r{};
        f.rowset->GetData(row, f.hacc, &r);
        seen.push_back(entry + "=" + std::to_string(static_cast<int>(r.value)));
        if (entry == "field:OKTODO") {
            CHECK(c.SetValue(other, 7) == DB_E_NOTREENTRANT);
            HROW extra = f.Nth(1); // fetching and releasing is allowed
            f.ReleaseRow(extra);
        }
    };
    REQUIRE(c.SetValue(row, 42) == S_OK);
    CHECK(Join(seen) == "field:OKTODO=0 field:ABOUTTODO=0 field:SYNCHAFTER=42 field:DIDEVENT=42");

    // At DIDEVENT a listener may make a change of its own, notified in turn.
    c.sink.action = [&](const std::string& entry) {
        if (entry == "update:DIDEVENT")
            CHECK(c.SetValue(other, 8) == S_OK);
    };
    c.Log();
    REQUIRE(c.update->Update(0, 0, nullptr, nullptr, nullptr, nullptr) == S_OK);
    CHECK(c.Log() == "update:OKTODO update:ABOUTTODO update:SYNCHAFTER update:DIDEVENT "
                     "firstchange:OKTODO field:OKTODO firstchange:ABOUTTODO field:ABOUTTODO firstchange:SYNCHAFTER "
                     "field:SYNCHAFTER firstchange:DIDEVENT field:DIDEVENT");
    CHECK(f.Read(other).value == 8);
    c.sink.action = nullptr;
    f.ReleaseRow(row);
    f.ReleaseRow(other);
}

TEST_CASE("deferred changes keep original data until Update; Undo brings back a set, an insert and a delete")
{
    Fixture f(3);
    Changes c(f);
    HROW a = f.Nth(0), b = f.Nth(1);
    REQUIRE(c.SetValue(a, 100) == S_OK);
    CHECK(f.Read(a).value == 100);
    CHECK(c.Original(a) == 0);
    CHECK(c.Original(b) == 1);
    REQUIRE(c.change->DeleteRows(0, 1, &b, nullptr) == S_OK);
    Fixture::Row r{};
    CHECK(f.rowset->GetData(b, f.hacc, &r) == DB_E_DELETEDROW);
    CHECK(c.Original(b) == 1);
    HACCESSOR none = 0;
    REQUIRE(f.accessor->CreateAccessor(DBACCESSOR_ROWDATA, 0, nullptr, 0, &none, nullptr) == S_OK);
    HROW n = 0;
    REQUIRE(c.change->InsertRow(0, none, nullptr, &n) == S_OK);
    CHECK(c.Original(n) == -1); // a new row's original values are its defaults: null

    DBCOUNTITEM count = 0;
    HROW* rows = nullptr;
    DBPENDINGSTATUS* status = nullptr;
    REQUIRE(c.update->GetPendingRows(0, DBPENDINGSTATUS_NEW | DBPENDINGSTATUS_CHANGED | DBPENDINGSTATUS_DELETED,
                                     &count, &rows, &status) == S_OK);
    REQUIRE(count == 3);
    CHECK(status[0] == DBPENDINGSTATUS_CHANGED);
    CHECK(status[1] == DBPENDINGSTATUS_DELETED);
    CHECK(status[2] == DBPENDINGSTATUS_NEW);
    f.rowset->ReleaseRows(count, rows, nullptr, nullptr, nullptr);
    CoTaskMemFree(rows);
    CoTaskMemFree(status);
    CHECK(c.update->GetPendingRows(0, 0x10, &count, nullptr, nullptr) == E_INVALIDARG);

    // A released row with pending changes stays valid for Update and Undo.
    DBROWSTATUS rs = 0;
    CHECK(f.rowset->ReleaseRows(1, &a, nullptr, nullptr, &rs) == S_OK);
    CHECK(rs == DBROWSTATUS_S_PENDINGCHANGES);
    CHECK(c.Status(a) == DBPENDINGSTATUS_CHANGED);

    DBCOUNTITEM undone = 0;
    HROW* undoneRows = nullptr;
    DBROWSTATUS* undoneStatus = nullptr;
    REQUIRE(c.update->Undo(0, 0, nullptr, &undone, &undoneRows, &undoneStatus) == S_OK);
    CHECK(undone == 3);
    f.rowset->ReleaseRows(undone, undoneRows, nullptr, nullptr, nullptr);
    CoTaskMemFree(undoneRows);
    CoTaskMemFree(undoneStatus);
    CHECK(c.Count() == 3);
    HROW first = f.Nth(0);
    CHECK(f.Read(first).value == 0);
    CHECK(f.Read(b).value == 1);
    CHECK(c.update->GetPendingRows(0, DBPENDINGSTATUS_NEW | DBPENDINGSTATUS_CHANGED | DBPENDINGSTATUS_DELETED,
                                   &count, nullptr, nullptr) == S_FALSE);
    // Updated changes cannot be undone; the recordset sees them.
    REQUIRE(c.SetValue(first, 55) == S_OK);
    REQUIRE(c.update->Update(0, 0, nullptr, nullptr, nullptr, nullptr) == S_OK);
    REQUIRE(c.update->Undo(0, 1, &first, nullptr, nullptr, nullptr) == S_OK);
    CHECK(f.Read(first).value == 55);
    REQUIRE(f.rs.MoveFirst() == S_OK);
    VARIANT v;
    REQUIRE(f.rs.GetValue(L"VALUE", &v) == S_OK);
    CHECK(v.dblVal == 55);
    f.accessor->ReleaseAccessor(none, nullptr);
    f.ReleaseRow(first);
    f.ReleaseRow(b);
    f.ReleaseRow(n);
    CHECK(f.Switches().OutstandingRowRefs() == 0);
}

TEST_CASE("SetData converts the consumer's values and reports each column's status")
{
    Fixture f(1);
    Changes c(f);
    HROW row = f.Nth(0);
    Fixture::Row r{};
    r.bookmarkStatus = DBSTATUS_S_IGNORE;
    wcscpy(r.name, L"7.25");
    r.nameLength = 8;
    r.nameStatus = DBSTATUS_S_OK;
    r.valueStatus = DBSTATUS_S_ISNULL;
    REQUIRE(c.change->SetData(row, f.hacc, &r) == S_OK);
    Fixture::Row back = f.Read(row);
    CHECK(std::wstring(back.name) == L"7.25");
    CHECK(back.valueStatus == DBSTATUS_S_ISNULL);

    // A text into the double column through a WSTR binding: "." always.
    DBBINDING b{};
    b.iOrdinal = 2;
    b.dwPart = DBPART_VALUE;
    b.wType = DBTYPE_WSTR;
    b.cbMaxLen = 32;
    HACCESSOR acc = 0;
    REQUIRE(f.accessor->CreateAccessor(DBACCESSOR_ROWDATA, 1, &b, 0, &acc, nullptr) == S_OK);
    wchar_t text[16] = L"812.5";
    REQUIRE(c.change->SetData(row, acc, text) == S_OK);
    CHECK(f.Read(row).value == 812.5);
    wcscpy(text, L"812,5");
    CHECK(c.change->SetData(row, acc, text) == DB_E_ERRORSOCCURRED);
    CHECK(f.Read(row).value == 812.5);
    f.accessor->ReleaseAccessor(acc, nullptr);
    f.ReleaseRow(row);
}

TEST_CASE("records added and changed through the recordset are notified to the rowset's listeners")
{
    Fixture f(2);
    Changes c(f);
    f.Add(7);
    CHECK(c.Log() == Phases("insert"));
    CHECK(c.Count() == 3);
    // The listener can read the new row at DIDEVENT through the handle it was given.
    REQUIRE(f.rs.SetValue(L"VALUE", Num(8)) == S_OK);
    CHECK(c.Log() == Phases("field"));

    c.sink.vetoAt = "insert:OKTODO";
    REQUIRE(f.rs.AddNew() == S_OK);
    CHECK(f.rs.Update() == DB_E_CANCELED);
    CHECK(f.rs.IsAdding());
    CHECK(c.Count() == 3);
    c.sink.vetoAt.clear();
    CHECK(f.rs.Update() == S_OK);
    CHECK(c.Count() == 4);
}

TEST_CASE("the row position is the recordset's current record, notified both ways")
{
    Fixture f(3);
    IUnknown* unk = nullptr;
    REQUIRE(f.rs.GetDataSource(&unk) == S_OK);
    ::DataSource* ds = nullptr;
    REQUIRE(unk->QueryInterface(kIidDataSource, reinterpret_cast<void**>(&ds)) == S_OK);
    unk->Release();
    IUnknown* got = nullptr;
    REQUIRE(ds->getDataMember(nullptr, IID_IRowPosition, &got) == S_OK);
    IRowPosition* position = nullptr;
    REQUIRE(got->QueryInterface(IID_IRowPosition, reinterpret_cast<void**>(&position)) == S_OK);
    got->Release();
    ds->Release();
    RecordingSink sink;
    {
        Advised advised(position, IID_IRowPositionChange, static_cast<IRowPositionChange*>(&sink));
        REQUIRE(f.rs.MoveFirst() == S_OK);
        CHECK(Join(sink.log) == "pos-cleared:OKTODO pos-cleared:ABOUTTODO pos-changed:SYNCHAFTER pos-changed:DIDEVENT");
        HCHAPTER chapter = 1;
        HROW row = 0;
        DBPOSITIONFLAGS flags = 0;
        REQUIRE(position->GetRowPosition(&chapter, &row, &flags) == S_OK);
        CHECK(flags == DBPOSITION_OK);
        CHECK(chapter == DB_NULL_HCHAPTER);
        CHECK(f.Read(row).value == 0);
        f.ReleaseRow(row);

        // The consumer's move: cleared, then set; the recordset follows.
        HROW early = f.Nth(2);
        CHECK(position->SetRowPosition(0, early, DBPOSITION_OK) == E_UNEXPECTED);
        f.ReleaseRow(early);
        sink.log.clear();
        REQUIRE(position->ClearRowPosition() == S_OK);
        CHECK(position->ClearRowPosition() == E_UNEXPECTED);
        REQUIRE(position->GetRowPosition(nullptr, &row, &flags) == S_OK);
        CHECK(flags == DBPOSITION_NOROW);
        HROW third = f.Nth(2);
        REQUIRE(position->SetRowPosition(0, third, DBPOSITION_OK) == S_OK);
        CHECK(Join(sink.log) == "pos-cleared:OKTODO pos-cleared:ABOUTTODO pos-changed:SYNCHAFTER pos-changed:DIDEVENT");
        VARIANT v;
        REQUIRE(f.rs.GetValue(L"VALUE", &v) == S_OK);
        CHECK(v.dblVal == 2);
        f.ReleaseRow(third);

        // A listener that refuses the clearing keeps the recordset where it is.
        sink.vetoAt = "pos-cleared:OKTODO";
        sink.log.clear();
        CHECK(f.rs.MovePrevious() == DB_E_CANCELED);
        CHECK(Join(sink.log) == "pos-cleared:OKTODO pos-cleared:FAILEDTODO");
        REQUIRE(f.rs.GetValue(L"VALUE", &v) == S_OK);
        CHECK(v.dblVal == 2);
        sink.vetoAt.clear();
    }
    // A clone moves on its own, without notifying.
    std::unique_ptr<Recordset> clone;
    REQUIRE(f.rs.Clone(clone) == S_OK);
    sink.log.clear();
    REQUIRE(clone->MoveLast() == S_OK);
    CHECK(sink.log.empty());
    position->Release();
    CHECK(f.Switches().OutstandingRowRefs() == 0);
}
