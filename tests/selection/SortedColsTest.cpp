// A band's sort columns: changes through a proposal offered to
// BeforeSortChange and adopted or cancelled, the indicators, re-binding, the
// sort-event guard, layout copy and the column-list form.
#include "LateBound.h"
#include "SelectionFakes.h"

#include "HvSortedCols.h"

#include <doctest/doctest.h>

namespace {

HRESULT CodeOf(const LateResult& result)
{
    return result.hr == DISP_E_EXCEPTION ? result.scode : result.hr;
}

struct SortFixture {
    FakeGrid grid;
    FakeBand band{grid};
    FakeColumn* a = band.AddColumn("A");
    FakeColumn* b = band.AddColumn("B");
    FakeColumn* c = band.AddColumn("C");
    HvSortedCols* sorted = HvSortedCols::Create(&band, &grid, false);

    ~SortFixture()
    {
        sorted->ClearCollection(true, 1);
        sorted->Release();
    }

    // The sort columns' names with their indicators ("A+", "B-").
    std::vector<std::string> Order() const
    {
        std::vector<std::string> names;
        for (LONG i = 0; i < sorted->ItemCount(); ++i) {
            auto* column = dynamic_cast<FakeColumn*>(sorted->ItemAtPosition(i));
            names.push_back(column->name + (column->indicator == SortIndicatorDescending ? "-" : "+"));
        }
        return names;
    }
    void ClearKeys()
    {
        for (FakeColumn* column : {a, b, c})
            column->ClearKey();
    }
    void Add(FakeColumn* column, std::vector<VARIANT> descending = {})
    {
        LateResult result;
        descending.insert(descending.begin(), MakeObject(column));
        LateCall(sorted, L"Add", descending, result);
        CHECK(result.hr == S_OK);
    }
};

} // namespace

TEST_CASE("Add appends a sort column through BeforeSortChange and AfterSortChange")
{
    SortFixture f;
    f.Add(f.a);
    f.Add(f.b, {MakeBool(true)});
    CHECK(f.Order() == std::vector<std::string>{"A+", "B-"});
    CHECK(f.grid.log == std::vector<std::string>{"before-sort", "after-sort", "before-sort", "after-sort"});
    CHECK(f.band.bindingUpdates == 2);
    CHECK(f.grid.controlRefs == 0);
    CHECK(f.grid.controlHolds == 2);

    // Adding it again without Descending moves it to the end, ascending.
    f.Add(f.a);
    CHECK(f.Order() == std::vector<std::string>{"B-", "A+"});
    // Only the value VARIANT_TRUE (-1) means descending.
    f.Add(f.c, {MakeI4(1)});
    CHECK(f.Order().back() == "C+");
    f.Add(f.c, {MakeI4(-1)});
    CHECK(f.Order().back() == "C-");

    LateResult result;
    LateGet(f.sorted, L"Item", result, {MakeI4(0)});
    REQUIRE(V_VT(&result.value) == VT_DISPATCH);
    CHECK(HvKeyedItem::FromObject(V_DISPATCH(&result.value)) == static_cast<HvKeyedItem*>(f.b));
    LateGet(f.sorted, L"Item", result, {MakeI4(3)});
    CHECK(CodeOf(result) == static_cast<HRESULT>(0x800AA21D));
    CHECK(result.description == L"Invalid Index value was passed in");
}

TEST_CASE("The handler sees the proposal and may change it, cancel, or not touch the band's list")
{
    SortFixture f;
    f.Add(f.a);
    f.grid.log.clear();

    SUBCASE("the proposal holds a copy with the proposed indicator; the column is unchanged")
    {
        f.grid.onBeforeSort = [&](IHvSortedCols* proposal) {
            LateResult result;
            LateGet(proposal, L"Count", result);
            CHECK(V_I4(&result.value) == 2);
            LateGet(proposal, L"Item", result, {MakeI4(1)});
            auto* copy = dynamic_cast<FakeColumn*>(HvKeyedItem::FromObject(V_DISPATCH(&result.value)));
            REQUIRE(copy);
            CHECK(copy != f.b);
            CHECK(copy->LevelCopySource() == static_cast<HvKeyedItem*>(f.b));
            CHECK(copy->indicator == SortIndicatorDescending);
            CHECK(f.b->indicator == SortIndicatorNone);
            return false;
        };
        f.Add(f.b, {MakeBool(true)});
        CHECK(f.Order() == std::vector<std::string>{"A+", "B-"});
    }
    SUBCASE("a column the handler adds to NewSortedCols is sorted too")
    {
        f.grid.onBeforeSort = [&](IHvSortedCols* proposal) {
            LateResult result;
            LateCall(proposal, L"Add", {MakeObject(f.c)}, result);
            CHECK(result.hr == S_OK);
            // Proposals change without events.
            CHECK(f.grid.log == std::vector<std::string>{"before-sort"});
            return false;
        };
        f.Add(f.b);
        CHECK(f.Order() == std::vector<std::string>{"A+", "B+", "C+"});
    }
    SUBCASE("the handler may remove from and clear the proposal")
    {
        f.grid.onBeforeSort = [&](IHvSortedCols* proposal) {
            LateResult result;
            LateCall(proposal, L"Remove", {MakeI4(0)}, result);
            CHECK(result.hr == S_OK);
            LateGet(proposal, L"Count", result);
            CHECK(V_I4(&result.value) == 1);
            return false;
        };
        f.Add(f.b);
        CHECK(f.Order() == std::vector<std::string>{"B+"});
        CHECK(f.a->indicator == SortIndicatorNone);

        f.grid.onBeforeSort = [&](IHvSortedCols* proposal) {
            LateResult result;
            LateCall(proposal, L"Clear", {}, result);
            CHECK(result.hr == S_OK);
            return false;
        };
        f.Add(f.c);
        CHECK(f.sorted->ItemCount() == 0);
        CHECK(f.b->indicator == SortIndicatorNone);
    }
    SUBCASE("a column added to the proposal twice is sorted once")
    {
        f.grid.onBeforeSort = [&](IHvSortedCols* proposal) {
            LateResult result;
            LateCall(proposal, L"Add", {MakeObject(f.a)}, result);
            return false;
        };
        f.Add(f.b);
        CHECK(f.Order() == std::vector<std::string>{"A+", "B+"});
    }
    SUBCASE("a column of another band added to the proposal is left out")
    {
        SortFixture other;
        f.grid.onBeforeSort = [&](IHvSortedCols* proposal) {
            LateResult result;
            LateCall(proposal, L"Add", {MakeObject(other.c)}, result);
            return false;
        };
        f.Add(f.b);
        CHECK(f.Order() == std::vector<std::string>{"A+", "B+"});
        CHECK(other.c->indicator == SortIndicatorNone);
    }
    SUBCASE("changing the band's own list in the event fails with 4015")
    {
        f.grid.onBeforeSort = [&](IHvSortedCols*) {
            for (const wchar_t* method : {L"Add", L"Clear"}) {
                LateResult result;
                LateCall(f.sorted, method,
                         std::wstring(method) == L"Add" ? std::vector<VARIANT>{MakeObject(f.c)} : std::vector<VARIANT>{},
                         result);
                CHECK(CodeOf(result) == static_cast<HRESULT>(0x800A9C59));
                CHECK(result.description == L"This method is not supported in this event.");
            }
            return false;
        };
        f.Add(f.b);
        CHECK(f.Order() == std::vector<std::string>{"A+", "B+"});
    }
    SUBCASE("a cancelled change leaves list, indicators and rows")
    {
        f.grid.onBeforeSort = [](IHvSortedCols*) { return true; };
        const int notices = f.a->notices;
        f.Add(f.b);
        CHECK(f.Order() == std::vector<std::string>{"A+"});
        CHECK(f.b->indicator == SortIndicatorNone);
        CHECK(f.a->notices == notices);
        CHECK(f.band.bindingUpdates == 1);
        CHECK(f.grid.log == std::vector<std::string>{"before-sort"});
    }
}

TEST_CASE("Remove, Clear, disabled columns, InitializeLayout and layouts without grid")
{
    SortFixture f;
    f.Add(f.a);
    LateResult result;

    SUBCASE("removing the only sort column leaves the band unsorted")
    {
        LateCall(f.sorted, L"Remove", {MakeI4(0)}, result);
        CHECK(result.hr == S_OK);
        CHECK(f.sorted->ItemCount() == 0);
        CHECK(f.b->indicator == SortIndicatorNone);
    }
    SUBCASE("Clear empties through the events")
    {
        f.Add(f.b);
        f.grid.log.clear();
        LateCall(f.sorted, L"Clear", {}, result);
        CHECK(result.hr == S_OK);
        CHECK(f.sorted->ItemCount() == 0);
        CHECK(f.b->indicator == SortIndicatorNone);
        CHECK(f.grid.log == std::vector<std::string>{"before-sort", "after-sort"});
    }
    SUBCASE("a column whose sorting is disabled changes nothing")
    {
        f.b->indicator = SortIndicatorDisabled;
        f.grid.log.clear();
        f.Add(f.b);
        CHECK(f.Order() == std::vector<std::string>{"A+"});
        CHECK(f.grid.log.empty());
    }
    SUBCASE("while InitializeLayout fires, the sort applies without events")
    {
        f.grid.firing = 1056;
        f.grid.log.clear();
        f.Add(f.b);
        CHECK(f.Order() == std::vector<std::string>{"A+", "B+"});
        CHECK(f.grid.log.empty());
    }
    SUBCASE("without a grid, Add and Remove take effect without events")
    {
        f.grid.shown = false;
        f.grid.log.clear();
        f.Add(f.b);
        CHECK(f.Order() == std::vector<std::string>{"A+", "B+"});
        LateCall(f.sorted, L"Remove", {MakeI4(0)}, result);
        CHECK(result.hr == S_OK);
        CHECK(f.Order() == std::vector<std::string>{"B+"});
        CHECK(f.grid.log.empty());
        // Clear still empties the list (no event can be offered).
        LateCall(f.sorted, L"Clear", {}, result);
        CHECK(f.sorted->ItemCount() == 0);
        CHECK(f.a->indicator == SortIndicatorNone);
    }
    SUBCASE("a column without a level copy is still proposed and sorted")
    {
        f.b->canCopy = false;
        f.Add(f.b, {MakeBool(true)});
        CHECK(f.Order() == std::vector<std::string>{"A+", "B-"});
    }
    SUBCASE("refusals")
    {
        FakeBand otherBand{f.grid};
        FakeColumn* stranger = otherBand.AddColumn("X");
        LateCall(f.sorted, L"Add", {MakeObject(stranger)}, result);
        CHECK(CodeOf(result) == static_cast<HRESULT>(0x800AA220));
        CHECK(f.sorted->Add(nullptr, nullptr) == E_INVALIDARG);
        CAutomationObject::Deactivate(f.sorted);
        LateCall(f.sorted, L"Add", {MakeObject(f.b)}, result);
        CHECK(CodeOf(result) == static_cast<HRESULT>(0x800AA21B));
        LateCall(f.sorted, L"Clear", {}, result);
        CHECK(CodeOf(result) == static_cast<HRESULT>(0x800AA21B));
    }
}

TEST_CASE("With nobody to hear BeforeSortChange the list changes in place, as adopting a proposal would")
{
    SortFixture f;
    f.grid.hears = false;
    f.Add(f.a);
    f.Add(f.b, {MakeBool(true)});
    f.Add(f.c);
    CHECK(f.Order() == std::vector<std::string>{"A+", "B-", "C+"});
    CHECK(f.grid.log == std::vector<std::string>{"after-sort", "after-sort", "after-sort"});
    CHECK(f.band.bindingUpdates == 3);

    // Again without Descending: to the end, ascending; the others keep theirs.
    f.Add(f.a);
    CHECK(f.Order() == std::vector<std::string>{"B-", "C+", "A+"});
    LateResult result;
    LateCall(f.sorted, L"Remove", {MakeI4(0)}, result);
    CHECK(result.hr == S_OK);
    CHECK(f.Order() == std::vector<std::string>{"C+", "A+"});
    CHECK(f.b->indicator == SortIndicatorNone);

    // The only sort column: the others leave with their indicators.
    CHECK(f.sorted->ApplyColumnSort(f.b, SortIndicatorDescending, true, true) == S_OK);
    CHECK(f.Order() == std::vector<std::string>{"B-"});
    CHECK(f.a->indicator == SortIndicatorNone);
    CHECK(f.c->indicator == SortIndicatorNone);
    // A column that was never sorted leaves nothing behind when unsorted.
    CHECK(f.sorted->ApplyColumnSort(f.c, SortIndicatorNone, false, true) == S_OK);
    CHECK(f.Order() == std::vector<std::string>{"B-"});

    // A column of another band stays out.
    FakeBand otherBand{f.grid};
    FakeColumn* stranger = otherBand.AddColumn("X");
    LateCall(f.sorted, L"Add", {MakeObject(stranger)}, result);
    CHECK(CodeOf(result) == static_cast<HRESULT>(0x800AA220));
    CHECK(f.Order() == std::vector<std::string>{"B-"});
    CHECK(f.grid.controlRefs == 0);
}

TEST_CASE("Layout copy by keys, persistence test and the column-list form")
{
    SortFixture source;
    source.Add(source.c, {MakeBool(true)});
    source.Add(source.a);

    SortFixture target;
    CHECK_FALSE(target.sorted->HasDataForCategories(36));
    CHECK(target.sorted->CopyFrom(*source.sorted, 4) == S_OK); // needs both bits
    CHECK(target.sorted->ItemCount() == 0);
    CHECK(target.sorted->CopyFrom(*source.sorted, 36) == S_OK);
    CHECK(target.Order() == std::vector<std::string>{"C-", "A+"});
    CHECK(target.grid.log.size() == 0); // copies fire no sort events
    CHECK(target.sorted->HasDataForCategories(0));
    CHECK_FALSE(target.sorted->HasDataForCategories(32));

    // A layout that no grid shows takes the copy too (a loaded or copied
    // layout is often shown later).
    SortFixture unshown;
    unshown.grid.shown = false;
    CHECK(unshown.sorted->CopyFrom(*source.sorted, 36) == S_OK);
    CHECK(unshown.Order() == std::vector<std::string>{"C-", "A+"});

    // Columns without a key pair with nothing: empty keys are all equal.
    SortFixture keyless;
    keyless.ClearKeys();
    SortFixture copy;
    copy.ClearKeys();
    keyless.Add(keyless.a);
    CHECK(copy.sorted->CopyFrom(*keyless.sorted, 36) == S_OK);
    CHECK(copy.sorted->ItemCount() == 0);

    IStream* stream = NewStream();
    CHECK(source.sorted->Save(stream, 0) == S_OK);
    Rewind(stream);
    SortFixture loaded;
    CHECK(loaded.sorted->LoadColumnList(stream, 0) == S_OK);
    REQUIRE(loaded.sorted->ItemCount() == 2);
    CHECK(loaded.sorted->ItemAtPosition(0) == static_cast<HvKeyedItem*>(loaded.c));
    CHECK(loaded.sorted->ItemAtPosition(1) == static_cast<HvKeyedItem*>(loaded.a));
    stream->Release();
}
