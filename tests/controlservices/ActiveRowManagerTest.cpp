// Row activation over stand-in rows and a stand-in control: the events and
// their order, commit and cancel, rows activated through the data source's
// row position, and the references the control holds.
#include <doctest/doctest.h>

#include "ActiveRowManager.h"

#include <functional>
#include <string>

namespace {

struct Log {
    std::string text;
    void Add(const std::string& step) { text += step + " "; }
};

struct FakeRow final : ActivationRow {
    FakeRow(Log& log, std::string name, int band = 0) : log(log), name(std::move(name)), band(band) {}
    void AddRefRow() override { ++refs; }
    void ReleaseRow() override { --refs; }
    bool IsRowAlive() override { return alive; }
    IDispatch* Dispatch() override { return reinterpret_cast<IDispatch*>(this); }
    const void* BandIdentity() override { return reinterpret_cast<const void*>(static_cast<INT_PTR>(band + 1)); }
    bool BandKeepsPositionMark() override { return positionMark; }
    HRESULT FlushBandPosition() override
    {
        log.Add("flush:" + name);
        return flushResult;
    }
    HRESULT SyncBandPosition() override
    {
        log.Add("sync:" + name);
        if (onSync)
            onSync();
        return syncResult;
    }
    bool HasPendingChanges() override { return pending; }
    ActivationRow* ParentRow() override { return parent; }
    bool IsReachable() override { return reachable; }

    Log& log;
    std::string name;
    int band;
    int refs = 1;
    bool alive = true;
    bool positionMark = false;
    bool pending = false;
    bool reachable = true;
    HRESULT flushResult = S_OK;
    HRESULT syncResult = S_OK;
    ActivationRow* parent = nullptr;
    std::function<void()> onSync;
};

std::string NameOf(ActivationRow* row)
{
    return row ? static_cast<FakeRow*>(row)->name : "none";
}

struct FakeControl final : RowActivationHost {
    explicit FakeControl(Log& log) : log(log) {}
    void AddRefControl() override { ++controlRefs; }
    void ReleaseControl() override { --controlRefs; }
    LONG DeactivateActiveCell() override
    {
        log.Add("cell");
        return cellCancels ? 1 : 0;
    }
    void FireBeforeRowActivate(IDispatch* row) override
    {
        log.Add("BeforeRowActivate:" + NameOf(reinterpret_cast<FakeRow*>(row)));
    }
    bool FireBeforeRowDeactivate() override
    {
        log.Add("BeforeRowDeactivate");
        return cancelDeactivate;
    }
    void FireAfterRowActivate() override { log.Add("AfterRowActivate"); }
    LONG UpdateMode() override { return updateMode; }
    HRESULT CommitAllRows() override
    {
        log.Add("commit");
        return commitResult;
    }
    bool HasGridWindow() override { return true; }
    void RefreshRowLook(ActivationRow* row) override { log.Add("look:" + NameOf(row)); }
    void RefreshRowElement(ActivationRow* row) override { log.Add("element:" + NameOf(row)); }
    void BringRowIntoView(ActivationRow* row) override { log.Add("view:" + NameOf(row)); }
    bool HasFirstBand() override { return hasFirstBand; }
    bool FirstBandKeepsPositionMark() override { return firstBandMark; }
    ActivationRow* FirstBandCurrentRow() override
    {
        if (current)
            current->AddRefRow();
        return current;
    }
    ActivationRow* FetchFirstRow() override
    {
        log.Add("fetch");
        if (first)
            first->AddRefRow();
        return first;
    }

    Log& log;
    int controlRefs = 0;
    bool cellCancels = false;
    bool cancelDeactivate = false;
    LONG updateMode = 0;
    HRESULT commitResult = S_OK;
    bool hasFirstBand = true;
    bool firstBandMark = false;
    FakeRow* current = nullptr;
    FakeRow* first = nullptr;
};

struct Fixture {
    Log log;
    FakeControl control{log};
    ActiveRowManager rows{control};
    FakeRow a{log, "a"};
    FakeRow b{log, "b"};

    // a active, the log emptied.
    void ActivateA()
    {
        REQUIRE(rows.ChangeActiveRow(&a) == 0);
        REQUIRE(rows.GetActiveRow() == &a);
        log.text.clear();
    }
};

} // namespace

TEST_CASE("Changing the active row: deactivation with commit, then activation, in order")
{
    Fixture f;
    f.ActivateA();
    CHECK(f.a.refs == 2);
    CHECK(f.rows.ChangeActiveRow(&f.b) == 0);
    CHECK(f.log.text == "cell BeforeRowDeactivate commit look:a BeforeRowActivate:b look:b view:b AfterRowActivate ");
    CHECK(f.rows.GetActiveRow() == &f.b);
    CHECK(f.a.refs == 1);
    CHECK(f.b.refs == 2);
    CHECK(f.control.controlRefs == 0);
}

TEST_CASE("Setting the active row to itself raises nothing")
{
    Fixture f;
    f.ActivateA();
    CHECK(f.rows.ChangeActiveRow(&f.a) == 0);
    CHECK(f.log.text.empty());
}

TEST_CASE("Nothing as active row: commit by update mode; cancels keep the row")
{
    struct Case {
        LONG updateMode;
        bool cellCancels;
        bool rowCancels;
        HRESULT commit;
        LONG result;
        const char* log;
        bool kept;
    };
    const Case cases[] = {
        {0, false, false, S_OK, 0, "cell BeforeRowDeactivate commit look:a ", false},
        {2, false, false, S_OK, 0, "cell BeforeRowDeactivate look:a ", false},
        {0, false, true, S_OK, 1, "cell BeforeRowDeactivate ", true},
        {0, true, false, S_OK, 1, "cell ", true},
        {1, false, false, E_FAIL, E_FAIL, "cell BeforeRowDeactivate commit ", true},
    };
    for (const Case& c : cases) {
        CAPTURE(c.updateMode);
        CAPTURE(c.commit);
        Fixture f;
        f.ActivateA();
        f.control.updateMode = c.updateMode;
        f.control.cellCancels = c.cellCancels;
        f.control.cancelDeactivate = c.rowCancels;
        f.control.commitResult = c.commit;
        CHECK(f.rows.ChangeActiveRow(nullptr) == c.result);
        CHECK(f.log.text == c.log);
        CHECK((f.rows.GetActiveRow() == &f.a) == c.kept);
    }
}

TEST_CASE("A cancelled deactivation keeps the old row and raises no BeforeRowActivate")
{
    Fixture f;
    f.ActivateA();
    f.control.cancelDeactivate = true;
    CHECK(f.rows.ChangeActiveRow(&f.b) == 1);
    CHECK(f.log.text == "cell BeforeRowDeactivate ");
    CHECK(f.rows.GetActiveRow() == &f.a);
}

TEST_CASE("A failed commit is a failure for ActiveRow and a cancel when asked")
{
    Fixture f;
    f.ActivateA();
    f.control.commitResult = E_FAIL;
    CHECK(f.rows.ChangeActiveRow(&f.b) == E_FAIL);
    CHECK(f.rows.GetActiveRow() == &f.a);
    CHECK(f.rows.DeactivateActiveRow(true, true) == 1);
    CHECK(f.rows.GetActiveRow() == &f.a);
    CHECK(f.rows.DeactivateActiveRow(false, false) == 0);
    CHECK(f.rows.GetActiveRow() == nullptr);
}

TEST_CASE("A row behind a collapsed parent is refused after BeforeRowActivate")
{
    Fixture f;
    f.b.reachable = false;
    CHECK(f.rows.SetActiveRowInternal(&f.b) == 1);
    CHECK(f.log.text == "BeforeRowActivate:b ");
    CHECK(f.rows.GetActiveRow() == nullptr);
    CHECK(f.rows.SetActiveRowInternal(nullptr) == 1);
    CHECK(f.control.controlRefs == 0);
}

TEST_CASE("Rows of a band with a row-position mark are activated by the data source's notice")
{
    Fixture f;
    f.b.positionMark = true;
    f.control.current = &f.b;
    f.b.onSync = [&] { f.rows.ActivateFirstRow(f.rows.ScrollsIntoView()); };
    f.ActivateA();
    CHECK(f.rows.ChangeActiveRow(&f.b) == 0);
    // The old row is let go by the notice, without deactivation events.
    CHECK(f.log.text == "sync:b BeforeRowActivate:b view:b AfterRowActivate ");
    CHECK(f.rows.GetActiveRow() == &f.b);
    CHECK(f.a.refs == 1);
    CHECK(f.b.refs == 2);

    SUBCASE("without a notice the row is activated directly")
    {
        Fixture g;
        g.b.positionMark = true;
        CHECK(g.rows.ChangeActiveRow(&g.b) == 0);
        CHECK(g.log.text == "sync:b BeforeRowActivate:b look:b view:b AfterRowActivate ");
        CHECK(g.rows.GetActiveRow() == &g.b);
    }
    SUBCASE("a failed move is returned")
    {
        Fixture g;
        g.b.positionMark = true;
        g.b.syncResult = E_FAIL;
        CHECK(g.rows.ChangeActiveRow(&g.b) == E_FAIL);
        CHECK(g.rows.GetActiveRow() == nullptr);
    }
}

TEST_CASE("Leaving a row of a band with a row-position mark clears the rowset position")
{
    Fixture f;
    f.a.positionMark = true;
    f.a.flushResult = S_FALSE;
    f.rows.SetActiveRowInternal(&f.a);
    f.log.text.clear();
    CHECK(f.rows.ChangeActiveRow(nullptr) == 1);
    CHECK(f.log.text == "flush:a ");
    f.a.flushResult = S_OK;
    f.log.text.clear();
    CHECK(f.rows.ChangeActiveRow(&f.b) == 0);
    CHECK(f.log.text == "flush:a BeforeRowActivate:b look:b view:b AfterRowActivate ");
}

TEST_CASE("A child row moves its parent band's position without scrolling, unless the parent has changes")
{
    for (bool pending : {false, true}) {
        CAPTURE(pending);
        Fixture f;
        FakeRow parent(f.log, "p", 1);
        parent.positionMark = true;
        parent.pending = pending;
        FakeRow child(f.log, "c", 2);
        child.parent = &parent;
        bool scrolledDuringSync = true;
        parent.onSync = [&] { scrolledDuringSync = f.rows.ScrollsIntoView(); };
        CHECK(f.rows.ChangeActiveRow(&child) == 0);
        CHECK(f.log.text == std::string(pending ? "" : "sync:p ") +
                                "element:p BeforeRowActivate:c look:c view:c AfterRowActivate ");
        if (!pending)
            CHECK_FALSE(scrolledDuringSync);
        CHECK(f.rows.ScrollsIntoView());
    }
}

TEST_CASE("A row of another band with pending changes: the old row is committed first")
{
    Fixture f;
    f.ActivateA();
    FakeRow other(f.log, "o", 3);
    other.pending = true;
    CHECK(f.rows.ChangeActiveRow(&other) == 0);
    CHECK(f.log.text == "cell BeforeRowDeactivate commit look:a BeforeRowActivate:o look:o view:o AfterRowActivate ");
    f.rows.Clear();
    CHECK(other.refs == 1);
}

TEST_CASE("ActivateFirstRow: the current row, the first row through the position, or nothing")
{
    SUBCASE("the row at the position becomes active with the row events")
    {
        Fixture f;
        f.ActivateA();
        f.control.current = &f.b;
        f.rows.ActivateFirstRow(false);
        CHECK(f.log.text == "BeforeRowActivate:b AfterRowActivate ");
        CHECK(f.rows.GetActiveRow() == &f.b);
        CHECK(f.a.refs == 1);
        CHECK(f.b.refs == 2);
    }
    SUBCASE("no row there: the first row is fetched and made current, its notice activates it")
    {
        Fixture f;
        f.control.firstBandMark = true;
        f.control.first = &f.b;
        f.rows.ActivateFirstRow(true);
        CHECK(f.log.text == "fetch sync:b ");
        CHECK(f.b.refs == 1);
        CHECK(f.rows.GetActiveRow() == nullptr);
    }
    SUBCASE("no row and no position mark, or no band: nothing")
    {
        Fixture f;
        f.rows.ActivateFirstRow(true);
        f.control.hasFirstBand = false;
        f.control.current = &f.b;
        f.rows.ActivateFirstRow(true);
        CHECK(f.log.text.empty());
        CHECK(f.rows.GetActiveRow() == nullptr);
    }
}

TEST_CASE("A dead active row is forgotten")
{
    Fixture f;
    f.ActivateA();
    f.a.alive = false;
    CHECK(f.rows.GetActiveRow() == nullptr);
    CHECK(f.a.refs == 1);
    CHECK(f.rows.ChangeActiveRow(nullptr) == 0);
}
