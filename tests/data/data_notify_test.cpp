// The provider's notifications as the binding passes them to the band's
// listeners, and the row position that the grid follows and moves.
#include <doctest/doctest.h>

#include "BindingFixture.h"

using namespace datatest;

namespace {

struct Bound {
    Sample t;
    BindingRef b{new RootRowsetBinding(nullptr, false, true)};
    FakeRecords records;
    FakeListener listener;
    std::vector<HROW> rows;

    explicit Bound(int count, bool rowPosition = true) : t(count)
    {
        if (!rowPosition)
            t.Switches().DisableInterface(IID_IRowPosition);
        REQUIRE(OpenOn(b.p, t.rs) == S_OK);
        b->SetRowRecords(&records);
        b->SetDataChangeListener(&listener);
        b->SetRowPositionListener(&listener);
        rows = FetchHandles(b.p, count);
    }
    ~Bound()
    {
        b->ClearDataChangeListener();
        b->ClearRowPositionListener();
        b->ReleaseRowHandles(rows.size(), rows.data());
    }
};

} // namespace

TEST_CASE("field changes reach the listener only for rows the grid holds")
{
    Bound f(3, false);
    VARIANT v = Num(50);
    REQUIRE(f.b->SetValue(f.rows[0], 2, v) == S_OK);
    CHECK(f.listener.Count("field:") == 0); // never made into a row record

    RowData* record = f.records.Know(f.rows[1]);
    REQUIRE(f.b->SetValue(f.rows[1], 2, v) == S_OK);
    CHECK(f.listener.Has("field:0:2"));
    CHECK(f.listener.Has("field:4:2"));
    REQUIRE_FALSE(f.listener.rows.empty());
    CHECK(f.listener.rows.front() == record);
    CHECK(f.records.outstanding == 0);

    SUBCASE("a veto of the listener refuses the change")
    {
        f.listener.answer = S_FALSE;
        VARIANT other = Num(60);
        CHECK(f.b->SetValue(f.rows[1], 2, other) != S_OK);
        f.listener.answer = S_OK;
        CHECK(ValueText(f.b.p, f.rows[1], 2) == L"50");
    }
}

TEST_CASE("deletions announced, failed and done")
{
    Bound f(3, false);
    f.records.Know(f.rows[1]);
    IRowsetChange* change = nullptr;
    REQUIRE(f.b->GetRowset()->QueryInterface(IID_IRowsetChange, reinterpret_cast<void**>(&change)) == S_OK);

    SUBCASE("announced then failed: the row is unmarked and nothing is settled")
    {
        f.t.Switches().Veto(DBREASON_ROW_DELETE, DBEVENTPHASE_ABOUTTODO);
        CHECK(change->DeleteRows(DB_NULL_HCHAPTER, 1, &f.rows[1], nullptr) != S_OK);
        CHECK(f.records.log == std::vector<std::string>{"mark", "unmark"});
        CHECK(f.listener.Has("delete:3"));
        CHECK_FALSE(f.listener.Has("delete:4"));
    }
    SUBCASE("done: the row is settled once")
    {
        CHECK(change->DeleteRows(DB_NULL_HCHAPTER, 1, &f.rows[1], nullptr) == S_OK);
        CHECK(f.records.log == std::vector<std::string>{"mark", "settle"});
        CHECK(f.listener.Has("delete:0"));
        CHECK(f.listener.Has("delete:4"));
    }
    CHECK(f.records.outstanding == 0);
    change->Release();
}

TEST_CASE("row inserts and rowset changes")
{
    Bound f(2, false);
    SUBCASE("an insert reaches the listener at each phase and drops the cached counts")
    {
        f.b->SetCachedRowCount(2);
        HROW row = DB_NULL_HROW;
        REQUIRE(SUCCEEDED(f.b->InsertRow(DB_NULL_HCHAPTER, &row)));
        CHECK(f.listener.Has("insert:4"));
        CHECK(f.b->GetCachedRowCount() == 0);
        f.b->ReleaseRowHandles(1, &row);
    }
    SUBCASE("a changed rowset makes every accessor anew")
    {
        CHECK(ValueText(f.b.p, f.rows[0], 2) == L"0");
        const int accessors = f.t.Switches().Calls("IAccessor::CreateAccessor");
        CHECK(f.b->OnRowsetChange(f.b->GetRowset(), DBREASON_ROWSET_CHANGED, DBEVENTPHASE_DIDEVENT, TRUE) == S_OK);
        CHECK(f.listener.Has("rowset:4"));
        CHECK(f.records.log == std::vector<std::string>{"clear"});
        CHECK(ValueText(f.b.p, f.rows[0], 2) == L"0");
        CHECK(f.t.Switches().Calls("IAccessor::CreateAccessor") == accessors + 1);
        // Other phases leave everything alone.
        CHECK(f.b->OnRowsetChange(f.b->GetRowset(), DBREASON_ROWSET_CHANGED, DBEVENTPHASE_OKTODO, FALSE) == S_OK);
        CHECK(f.listener.Count("rowset:") == 1);
    }
}

TEST_CASE("a listener that throws does not reach the provider")
{
    struct Throwing : FakeListener {
        HRESULT OnRowsetChange(LONG, LONG, RowBatch*) override { throw 1; }
    } throwing;
    Bound f(1, false);
    f.b->SetDataChangeListener(&throwing);
    CHECK(f.b->OnRowsetChange(f.b->GetRowset(), DBREASON_ROWSET_CHANGED, DBEVENTPHASE_DIDEVENT, TRUE) == S_OK);
}

TEST_CASE("the row position")
{
    Bound f(4);
    REQUIRE(f.b->IsAdvisedForRowPosition());
    const long baseline = f.t.Switches().OutstandingRowRefs();

    SUBCASE("the grid follows the position's moves")
    {
        f.records.Know(f.rows[2]);
        REQUIRE(f.t.rs.MoveFirst() == S_OK);
        REQUIRE(f.t.rs.MoveNext() == S_OK);
        REQUIRE(f.t.rs.MoveNext() == S_OK);
        CHECK(f.listener.Has("position:0"));
        CHECK(f.listener.Has("position:4"));
        REQUIRE_FALSE(f.listener.rows.empty());
        CHECK(FakeRecords::RowOf(f.listener.rows.back()) == f.rows[2]);
        CHECK(f.records.outstanding == 0);
    }
    SUBCASE("moving the active row to the current row does not touch the position")
    {
        REQUIRE(f.b->SetRowPosition(DB_NULL_HCHAPTER, f.rows[1]) == S_OK);
        const int sets = f.t.Switches().Calls("IRowPosition::SetRowPosition");
        const int clears = f.t.Switches().Calls("IRowPosition::ClearRowPosition");
        CHECK(f.b->SyncRowPosition(DB_NULL_HCHAPTER, f.rows[1]) == S_OK);
        CHECK(f.t.Switches().Calls("IRowPosition::SetRowPosition") == sets);
        CHECK(f.t.Switches().Calls("IRowPosition::ClearRowPosition") == clears);
        CHECK(f.b->SyncRowPosition(DB_NULL_HCHAPTER, f.rows[3]) == S_OK);
        CHECK(f.t.Switches().Calls("IRowPosition::SetRowPosition") == sets + 1);
        double value = -1;
        VARIANT v;
        VariantInit(&v);
        REQUIRE(f.t.rs.GetValue(L"VALUE", &v) == S_OK);
        value = V_R8(&v);
        CHECK(value == 3.0);
    }
    SUBCASE("a chapter change clears the cached counts before the listener runs")
    {
        struct Checking : FakeListener {
            RowsetBinding* binding = nullptr;
            ULONG seen = 99;
            HRESULT OnPositionDidEvent() override
            {
                seen = binding->GetCachedRowCount();
                return S_OK;
            }
        } checking;
        checking.binding = f.b.p;
        f.b->SetRowPositionListener(&checking);
        f.b->SetCachedRowCount(4);
        CHECK(f.b->OnRowPositionChange(DBREASON_ROWPOSITION_CHAPTERCHANGED, DBEVENTPHASE_DIDEVENT, TRUE) == S_OK);
        CHECK(checking.seen == 0);
        f.b->SetRowPositionListener(&f.listener);
    }
    SUBCASE("a cleared position may be vetoed at its first phase")
    {
        f.listener.answer = S_FALSE;
        CHECK(f.b->OnRowPositionChange(DBREASON_ROWPOSITION_CLEARED, DBEVENTPHASE_OKTODO, FALSE) == S_FALSE);
        CHECK(f.b->OnRowPositionChange(DBREASON_ROWPOSITION_CLEARED, DBEVENTPHASE_DIDEVENT, TRUE) == S_OK);
        f.listener.answer = S_OK;
        CHECK(f.listener.Count("position:0") == 1);
    }
    CHECK(f.t.Switches().OutstandingRowRefs() == baseline);
}

TEST_CASE("a binding without a row position")
{
    Bound f(2, false);
    CHECK(f.b->SyncRowPosition(DB_NULL_HCHAPTER, f.rows[0]) == E_NOTIMPL);
    CHECK(f.b->SetRowPosition(DB_NULL_HCHAPTER, f.rows[0]) == E_FAIL);
    CHECK(f.b->UnadviseRowPosition() == E_FAIL);
    CHECK(f.b->UnadviseNotifications() == S_OK);
    CHECK_FALSE(f.b->IsAdvisedForNotifications());
}
