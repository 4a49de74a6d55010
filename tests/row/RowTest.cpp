// The row object through late-bound calls: settings and their range checks,
// the self-references that keep a row with state of its own alive, expansion
// with its events, the related-row questions of unbound and top-level rows,
// committing and cancelling changes, and the bound row's callbacks.
#include "HvRow.h"
#include "LateBound.h"
#include "ModelTestSupport.h"
#include "RowFakes.h"

#include <doctest/doctest.h>

namespace {

constexpr HRESULT kInvalidValue = static_cast<HRESULT>(0x800A017C);
constexpr HRESULT kNotActive = static_cast<HRESULT>(0x800AA21B);

struct RowFixture {
    FakeRowBand band;
    FakeRowData data;
    HvRow* row = nullptr;

    explicit RowFixture(bool bound = false, Constants_RowType type = hvRowTypeBound, HvRow* parent = nullptr)
    {
        HvRow::Create(bound ? &data : nullptr, parent, &band, type, &row);
    }
    ~RowFixture()
    {
        if (row) {
            row->Deactivate();
            row->Release();
        }
    }
    IDispatch* Dispatch() { return static_cast<IHvRow*>(row); }
    // The row's reference count, read without changing it.
    ULONG Count()
    {
        row->AddRef();
        return row->Release();
    }
    void Put(const wchar_t* name, const VARIANT& value, LateResult& result) { LatePut(Dispatch(), name, value, result); }
    void Get(const wchar_t* name, LateResult& result) { LateGet(Dispatch(), name, result); }
    void Call(const wchar_t* name, std::vector<VARIANT> args, LateResult& result) { LateCall(Dispatch(), name, args, result); }
};

} // namespace

TEST_CASE("row_enumerated settings keep their range and announce changes")
{
    struct Case {
        const wchar_t* name;
        DISPID id;
        long last;
    };
    const Case cases[] = {{L"Activation", 1081, 2},
                          {L"ExpandChildRowsOnLoad", 1284, 2},
                          {L"ExpansionIndicator", 2207, 2},
                          {L"FixedHeight", 1184, 2}};
    for (const Case& c : cases) {
        CAPTURE(std::wstring(c.name).size());
        RowFixture f;
        NoticeRecorder recorder;
        recorder.link.RelinkSubscription(f.row);
        LateResult put;
        f.Put(c.name, MakeI4(c.last), put);
        CHECK(put.hr == S_OK);
        LateResult same;
        f.Put(c.name, MakeI4(c.last), same);
        CHECK(recorder.ids == std::vector<long>{c.id});
        LateResult bad;
        f.Put(c.name, MakeI4(c.last + 1), bad);
        CHECK(bad.scode == kInvalidValue);
        CHECK(bad.description == L"Invalid property value");
        LateResult negative;
        f.Put(c.name, MakeI4(-1), negative);
        CHECK(negative.scode == kInvalidValue);
        LateResult got;
        f.Get(c.name, got);
        CHECK(V_I4(&got.value) == c.last);
        recorder.link.Unlink();
    }
}

TEST_CASE("row_spacing: a negative value resets to not set, others are stored in pixels")
{
    RowFixture f;
    LateResult put;
    f.Put(L"RowSpacingBefore", MakeR4(300), put);
    REQUIRE(put.hr == S_OK);
    CHECK(f.row->ResolveRowSpacingBefore() == 20);
    LateResult got;
    f.Get(L"RowSpacingBefore", got);
    CHECK(V_R4(&got.value) == 300.0f);

    LateResult reset;
    f.Put(L"RowSpacingBefore", MakeR4(-5), reset);
    CHECK(reset.hr == S_OK);
    LateResult after;
    f.Get(L"RowSpacingBefore", after);
    CHECK(V_R4(&after.value) == -1.0f);
    CHECK(f.row->ResolveRowSpacingBefore() == 0);
}

TEST_CASE("row_height comes from the band and a put goes to the band's resize")
{
    RowFixture f;
    // 20 default less twice (spacing 1 + padding 2), plus them back again.
    CHECK(f.row->GetHeight() == 20);
    LateResult got;
    f.Get(L"Height", got);
    CHECK(V_R4(&got.value) == 300.0f);
    LateResult put;
    f.Put(L"Height", MakeR4(450), put);
    CHECK(put.hr == S_OK);
    CHECK(f.band.Joined() == L"resize 30");
    LateResult bad;
    f.Put(L"Height", MakeR4(-1), bad);
    CHECK(bad.scode == kInvalidValue);
}

TEST_CASE("row_height follows the band's sizing: natural once under Auto, content floor, versions")
{
    // Spacing 1 and padding 2 on both sides: 6 pixels around the explicit height.
    struct Case {
        const char* name;
        LONG sizing;
        LONG natural;
        LONG content;
        LONG expected;
        int measures;
    };
    const Case cases[] = {
        {"Free never measures", hvRowSizingFree, 40, 0, 20, 0},
        {"AutoFree takes the natural height", hvRowSizingAutoFree, 40, 0, 46, 1},
        {"AutoFixed takes the natural height", hvRowSizingAutoFixed, 40, 0, 46, 1},
        {"nothing measured keeps the band's", hvRowSizingAutoFree, 0, 0, 20, 1},
        {"the content height is a floor", hvRowSizingFree, 0, 35, 35, 0},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        RowFixture f;
        f.band.rowSizing = c.sizing;
        f.band.naturalHeight = c.natural;
        f.band.contentHeight = c.content;
        CHECK(f.row->GetHeight() == c.expected);
        CHECK(f.row->GetHeight() == c.expected);
        CHECK(f.band.naturalMeasures == c.measures);
    }

    RowFixture f;
    f.band.contentHeight = 25;
    f.row->ApplyHeight(10);
    CHECK(f.row->GetHeight() == 25); // raised to the content height
    f.row->ApplyHeight(50);
    CHECK(f.row->GetHeight() == 50);
    f.band.defaultRowHeight = 30;
    f.band.heightVersion = 1;
    CHECK(f.row->GetHeight() == 50); // a Free row keeps its own height
    f.band.heightResetMark = 1;
    CHECK(f.row->GetHeight() == 30); // until the band's levels change
    f.band.rowSizing = hvRowSizingSychronized;
    f.band.defaultRowHeight = 44;
    CHECK(f.row->GetHeight() == 30);
    f.band.heightVersion = 2;
    CHECK(f.row->GetHeight() == 44); // a synchronized resize reaches every row
}

TEST_CASE("row_hidden takes one self-reference that lasts until deactivation")
{
    RowFixture f(true);
    const ULONG before = f.Count();
    LateResult put;
    f.Put(L"Hidden", MakeBool(true), put);
    REQUIRE(put.hr == S_OK);
    CHECK(f.Count() == before + 1);
    CHECK(f.row->HoldsSelfReference());
    CHECK(f.data.hidden);
    CHECK(f.band.Joined() == L"dirty");
    LateResult show;
    f.Put(L"Hidden", MakeBool(false), show);
    LateResult again;
    f.Put(L"Hidden", MakeBool(true), again);
    CHECK(f.Count() == before + 1);

    f.row->Deactivate();
    CHECK(f.Count() == before);
    CHECK(f.data.refs == 1);
    CHECK(f.data.attached == nullptr);
}

TEST_CASE("row_own settings make the row keep itself; selection notices do not")
{
    RowFixture f;
    const ULONG before = f.Count();
    f.row->SetSelected(true);
    CHECK(f.Count() == before);
    LateResult put;
    f.Put(L"Description", MakeText(L"primeira"), put);
    CHECK(f.Count() == before + 1);
    LateResult got;
    f.Get(L"Description", got);
    CHECK(std::wstring(V_BSTR(&got.value)) == L"primeira");
}

TEST_CASE("row_expansion fires its events and holds a reference while it differs from the default")
{
    RowFixture f;
    f.band.expandOnLoad = hvExpandOnLoadNo;
    RowFixture collapsedRow;
    collapsedRow.band.expandOnLoad = hvExpandOnLoadNo;
    HvRow* row = nullptr;
    HvRow::Create(nullptr, nullptr, &f.band, hvRowTypeBound, &row);
    REQUIRE(row);
    CHECK_FALSE(row->IsExpanded());
    const ULONG before = row->AddRef() - 1;
    row->Release();

    LateResult put;
    LatePut(static_cast<IHvRow*>(row), L"Expanded", MakeBool(true), put);
    CHECK(put.hr == S_OK);
    CHECK(row->IsExpanded());
    CHECK(row->HoldsExpansionReference());
    CHECK(f.band.Joined() == L"BeforeRowExpanded,AfterRowExpanded");
    CHECK(row->AddRef() - 1 == before + 1);
    row->Release();

    LateResult collapse;
    LatePut(static_cast<IHvRow*>(row), L"Expanded", MakeBool(false), collapse);
    CHECK_FALSE(row->HoldsExpansionReference());
    CHECK(row->AddRef() - 1 == before);
    row->Release();

    f.band.cancel = true;
    LateResult cancelled;
    LatePut(static_cast<IHvRow*>(row), L"Expanded", MakeBool(true), cancelled);
    CHECK(cancelled.hr == S_OK);
    CHECK_FALSE(row->IsExpanded());
    row->Deactivate();
    row->Release();
}

TEST_CASE("row_expanding in a band that is not Expandable fails and fires nothing")
{
    RowFixture f;
    LateResult collapse;
    f.Put(L"Expanded", MakeBool(false), collapse);
    f.band.log.clear();
    f.band.expandable = false;
    LateResult put;
    f.Put(L"Expanded", MakeBool(true), put);
    CHECK(put.scode == static_cast<HRESULT>(0x800A9C70));
    CHECK(put.description == L"Can't expand row because band's 'Expandable' property is set to false.");
    CHECK(f.band.log.empty());
    CHECK_FALSE(f.row->IsExpanded());
}

TEST_CASE("row_collapsing the active row's ancestor deactivates the active row first")
{
    RowFixture parent;
    HvRow* child = nullptr;
    HvRow::Create(nullptr, parent.row, &parent.band, hvRowTypeBound, &child);
    parent.band.active = child;
    LateResult put;
    parent.Put(L"Expanded", MakeBool(false), put);
    CHECK(parent.band.log.front() == L"deactivate");
    parent.band.active = nullptr;
    child->Deactivate();
    child->Release();
}

TEST_CASE("row_unbound rows answer no to sibling and child questions and refuse navigation")
{
    RowFixture f;
    LateResult next;
    f.Call(L"HasNextSibling", {}, next);
    CHECK(next.hr == S_OK);
    CHECK(V_BOOL(&next.value) == VARIANT_FALSE);
    LateResult child;
    f.Call(L"HasChild", {}, child);
    CHECK(V_BOOL(&child.value) == VARIANT_FALSE);
    CHECK_FALSE(f.row->HasNextSiblingCached(false));
    f.row->SetCachedAnswer(HvRow::KnowNext, true);
    CHECK(f.row->HasNextSiblingCached(false));
    f.row->ResetCachedAnswers(true, false, false);
    CHECK_FALSE(f.row->HasNextSiblingCached(false));

    LateResult bad;
    f.Call(L"GetChild", {MakeI4(2)}, bad);
    CHECK(bad.scode == kInvalidValue);
    LateResult unbound;
    f.Call(L"GetChild", {MakeI4(0)}, unbound);
    CHECK(unbound.scode == static_cast<HRESULT>(0x800A9C50));
    CHECK(unbound.description == L"Not a bound row.");
    LateResult sibling;
    f.Call(L"GetSibling", {MakeI4(2)}, sibling);
    CHECK(sibling.description == L"Not a bound row.");
}

TEST_CASE("row_a bound row without child rows or siblings reaches the end of the rowset")
{
    RowFixture f(true);
    LateResult child;
    f.Call(L"GetChild", {MakeI4(0)}, child);
    CHECK(child.scode == static_cast<HRESULT>(0x800A9C48));
    CHECK(child.description == L"End of rowset reached");
    f.data.nextSpan = true;
    LateResult plain;
    f.Call(L"HasNextSibling", {}, plain);
    CHECK(V_BOOL(&plain.value) == VARIANT_FALSE);
    LateResult span;
    f.Call(L"HasNextSibling", {MakeBool(true)}, span);
    CHECK(V_BOOL(&span.value) == VARIANT_TRUE);
    LateResult bookmark;
    f.Get(L"Bookmark", bookmark);
    CHECK(V_VT(&bookmark.value) == VT_R8);
}

TEST_CASE("row_parents: top-level rows have none, child rows name theirs")
{
    RowFixture f;
    LateResult none;
    f.Call(L"GetParent", {}, none);
    CHECK(none.scode == static_cast<HRESULT>(0x800A9C51));
    CHECK(none.description == L"This row does not have a parent row.");
    LateResult inBand;
    f.Call(L"GetParent", {MakeI4(0)}, inBand);
    CHECK(inBand.scode == static_cast<HRESULT>(0x800A9C4F));
    CHECK(inBand.description == L"Band is not a parent band of this row.");
    LateResult has;
    f.Call(L"HasParent", {}, has);
    CHECK(has.hr == S_OK);
    CHECK(V_BOOL(&has.value) == VARIANT_FALSE);
    LateResult hasInBand;
    f.Call(L"HasParent", {MakeI4(0)}, hasInBand);
    CHECK(hasInBand.description == L"Band is not a parent band of this row.");

    HvRow* child = nullptr;
    HvRow::Create(nullptr, f.row, &f.band, hvRowTypeBound, &child);
    LateResult parent;
    LateCall(static_cast<IHvRow*>(child), L"GetParent", {}, parent);
    REQUIRE(parent.hr == S_OK);
    CHECK(HvRow::FromObject(V_DISPATCH(&parent.value)) == f.row);
    LateResult childHas;
    LateCall(static_cast<IHvRow*>(child), L"HasParent", {MakeI4(0)}, childHas);
    CHECK(V_BOOL(&childHas.value) == VARIANT_TRUE);
    child->Deactivate();
    child->Release();
}

TEST_CASE("row_update commits changes with its events and refuses inside InitializeRow")
{
    RowFixture f(true, hvRowTypeAddRow);
    LateResult nothing;
    f.Call(L"Update", {}, nothing);
    CHECK(nothing.hr == S_OK);
    CHECK(f.band.log.empty());

    f.row->SetDataChanged(VARIANT_TRUE);
    f.band.initializing = true;
    LateResult refused;
    f.Call(L"Update", {}, refused);
    CHECK(refused.scode == static_cast<HRESULT>(0x800A9C59));
    CHECK(refused.description == L"This method is not supported in this event.");
    f.band.initializing = false;

    f.band.log.clear();
    LateResult update;
    f.Call(L"Update", {}, update);
    CHECK(update.hr == S_OK);
    CHECK(f.data.updates == 1);
    CHECK(f.band.Joined() == L"BeforeRowUpdate,unhold,AfterRowUpdate,InitializeRow");
    CHECK(f.band.sawInitializingFlag);
    CHECK_FALSE(f.row->IsInitializing());
    CHECK_FALSE(f.row->HasDataChanged());
    LateResult type;
    f.Get(L"Type", type);
    CHECK(V_I4(&type.value) == hvRowTypeBound);
}

TEST_CASE("row_a failed commit of a new row undoes its insertion")
{
    RowFixture f(true, hvRowTypeAddRow);
    f.row->SetDataChanged(VARIANT_TRUE);
    f.data.updateResult = E_FAIL;
    f.band.log.clear();
    LateResult update;
    f.Call(L"Update", {}, update);
    CHECK(FAILED(update.hr));
    CHECK(f.data.undos == 1);
    CHECK_FALSE(f.row->HasDataChanged());
    CHECK(f.band.Joined() == L"BeforeRowUpdate,error,unhold,dirty");
}

TEST_CASE("row_cancelling an add-row takes it out of the display")
{
    RowFixture f(true, hvRowTypeAddRow);
    f.row->SetDataChanged(VARIANT_TRUE);
    f.band.log.clear();
    LateResult cancel;
    f.Call(L"CancelUpdate", {}, cancel);
    CHECK(cancel.hr == S_OK);
    CHECK(f.data.undos == 1);
    CHECK(f.band.Joined() == L"BeforeRowCancelUpdate,refresh,unhold,AfterRowCancelUpdate,dirty");
    LateResult dead;
    f.Get(L"Description", dead);
    CHECK(dead.scode == kNotActive);
    CHECK(dead.description == L"This object is no longer active");
}

TEST_CASE("row_refresh redraws and fires InitializeRow as asked")
{
    RowFixture f;
    LateResult plain;
    f.Call(L"Refresh", {}, plain);
    CHECK(plain.hr == S_OK);
    CHECK(f.band.Joined() == L"refresh");
    f.band.log.clear();
    LateResult odd;
    f.Call(L"Refresh", {MakeI4(7)}, odd);
    CHECK(odd.hr == S_OK);
    CHECK(f.band.log.empty());
    LateResult fire;
    f.Call(L"Refresh", {MakeI4(1)}, fire);
    CHECK(f.band.Joined() == L"refresh,InitializeRow");
}

TEST_CASE("row_selection goes through the band and its refusals become the grid's messages")
{
    RowFixture f;
    LateResult put;
    f.Put(L"Selected", MakeBool(true), put);
    CHECK(put.hr == S_OK);
    CHECK(f.band.Joined() == L"select,pivot");
    LateResult got;
    f.Get(L"Selected", got);
    CHECK(V_BOOL(&got.value) == VARIANT_TRUE);

    RowFixture g;
    g.band.selectResult = static_cast<HRESULT>(0x800A9C5E);
    LateResult tooMany;
    g.Put(L"Selected", MakeBool(true), tooMany);
    CHECK(tooMany.scode == static_cast<HRESULT>(0x800A9C5E));
    CHECK(tooMany.description ==
          L"Too many items have been selected.  Only up to MaxSelectedCells/MaxSelectedRows may be selected.");
}

TEST_CASE("row_a deleted bound row tells its subscribers, leaves the selection and ends")
{
    RowFixture f(true);
    CHECK(f.data.attached == f.row);
    CHECK(f.data.refs == 2);
    f.row->SetSelected(true);
    NoticeRecorder recorder;
    recorder.link.RelinkSubscription(f.row);
    f.row->OnRowDataGone(true);
    CHECK(recorder.ids == std::vector<long>{2180});
    CHECK(f.band.Joined() == L"deselect");
    CHECK_FALSE(f.row->IsActive());
    CHECK(f.data.refs == 1);

    RowFixture g(true);
    g.row->OnRowDataGone(false);
    CHECK(g.data.letGo == 1);
    CHECK_FALSE(g.row->IsActive());
}

TEST_CASE("row_levels of a multi-level row share its inner height")
{
    RowFixture f(true);
    // Height 20 less a border of 1 on each side.
    CHECK(f.row->GetInnerHeight() == 18);
    CHECK(f.row->GetLevelHeight(0) == 18);
    CHECK(f.row->GetLevelTop(1, false) == 1);
    f.band.levels = 4;
    const LONG heights[] = {4, 5, 4, 5};
    LONG total = 0;
    for (LONG level = 0; level < 4; ++level) {
        CHECK(f.row->GetLevelHeight(level) == heights[level]);
        CHECK(f.row->GetLevelTop(level, true) == total);
        total += heights[level];
    }
    CHECK(total == 18);
    CHECK(f.row->GetLevelTop(4, false) == 1);

    // The cells read and write the bound row through it.
    CellRowHost* host = f.row;
    VARIANT value;
    VariantInit(&value);
    CHECK(host->GetRowValue(3, &value) == S_OK);
    CHECK(V_I4(&value) == 30);
    CHECK(host->SetRowValue(2, &value) == S_OK);
    CHECK(f.data.written == 2);
    host->SetRowDataChanged();
    CHECK(f.row->HasDataChanged());
}

TEST_CASE("row_expansion indicator: the row's own setting, then the band's, then its child rows")
{
    struct Case {
        LONG own, band;
        bool byDefault, children, shows;
    };
    const Case cases[] = {
        {hvExpansionIndicatorHide, hvExpansionIndicatorShow, true, true, false},
        {hvExpansionIndicatorShow, hvExpansionIndicatorHide, true, true, false},
        {hvExpansionIndicatorDefault, hvExpansionIndicatorDefault, false, true, false},
        {hvExpansionIndicatorShow, hvExpansionIndicatorDefault, false, false, true},
        {hvExpansionIndicatorDefault, hvExpansionIndicatorShow, true, false, true},
        {hvExpansionIndicatorDefault, hvExpansionIndicatorDefault, true, false, false},
        {hvExpansionIndicatorDefault, hvExpansionIndicatorDefault, true, true, true},
    };
    for (const Case& c : cases) {
        RowFixture f(true);
        f.band.indicator = c.band;
        f.band.indicatorsByDefault = c.byDefault;
        f.data.children = c.children;
        LateResult put;
        f.Put(L"ExpansionIndicator", MakeI4(c.own), put);
        CHECK(f.row->ShowsExpansionIndicator() == c.shows);
    }
}

TEST_CASE("row_expanding ancestors opens every collapsed parent")
{
    RowFixture f;
    HvRow* child = nullptr;
    HvRow::Create(nullptr, f.row, &f.band, hvRowTypeBound, &child);
    HvRow* grandchild = nullptr;
    HvRow::Create(nullptr, child, &f.band, hvRowTypeBound, &grandchild);
    LateResult collapse;
    f.Put(L"Expanded", MakeBool(false), collapse);
    LatePut(static_cast<IHvRow*>(child), L"Expanded", MakeBool(false), collapse);
    CHECK_FALSE(grandchild->AreAncestorsPassing());
    CHECK(grandchild->ExpandAncestors());
    CHECK(f.row->IsExpanded());
    CHECK(child->IsExpanded());
    CHECK(grandchild->AreAncestorsPassing());
    f.band.childBands = false;
    CHECK_FALSE(grandchild->AreAncestorsPassing());
    grandchild->Deactivate();
    grandchild->Release();
    child->Deactivate();
    child->Release();
}
