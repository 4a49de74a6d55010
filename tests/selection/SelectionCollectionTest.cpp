// The selected cells, columns and rows: automation Add, Remove and Clear
// handed to the grid's selection machinery (events, cancel), their refusals,
// the internal operations, snapshots and the rows kept alive by cells.
#include "LateBound.h"
#include "SelectionFakes.h"

#include "HvSelectedCells.h"
#include "HvSelectedCols.h"
#include "HvSelectedRows.h"

#include <doctest/doctest.h>

namespace {

// The code a late-bound call ended with (the exception's own code).
HRESULT CodeOf(const LateResult& result)
{
    return result.hr == DISP_E_EXCEPTION ? result.scode : result.hr;
}

struct Fixture {
    FakeGrid grid;
    FakeBand band{grid};
    FakeRow* row1 = new FakeRow(ObjectType::HvRow, &grid, &band, "r1");
    FakeRow* row2 = new FakeRow(ObjectType::HvRow, &grid, &band, "r2");
    FakeCell* cell1 = new FakeCell(ObjectType::HvCell, &grid, &band, "c1");
    FakeCell* cell2 = new FakeCell(ObjectType::HvCell, &grid, &band, "c2");
    FakeColumn* colA = band.AddColumn("A");
    FakeColumn* colB = band.AddColumn("B");

    Fixture()
    {
        cell1->row = row1;
        cell2->row = row1;
    }
    ~Fixture()
    {
        grid.cells->ClearChecked();
        grid.rows->ClearChecked();
        grid.cols->ClearChecked();
        cell1->Release();
        cell2->Release();
        row1->Release();
        row2->Release();
    }
};

} // namespace

TEST_CASE("Add and Remove go through the grid's selection machinery with its events")
{
    Fixture f;
    LateResult result;
    LateCall(f.grid.rows, L"Add", {MakeObject(f.row1)}, result);
    CHECK(result.hr == S_OK);
    CHECK(f.grid.log == std::vector<std::string>{"select rows events", "before", "after"});
    CHECK(f.row1->selected);

    LateGet(f.grid.rows, L"Count", result);
    CHECK(V_I4(&result.value) == 1);
    LateGet(f.grid.rows, L"Item", result, {MakeI4(0)});
    REQUIRE(V_VT(&result.value) == VT_DISPATCH);
    CHECK(HvKeyedItem::FromObject(V_DISPATCH(&result.value)) == static_cast<HvKeyedItem*>(f.row1));

    // Selecting it again leaves one entry.
    LateCall(f.grid.rows, L"Add", {MakeObject(f.row1)}, result);
    CHECK(f.grid.rows->ItemCount() == 1);

    f.grid.log.clear();
    LateCall(f.grid.rows, L"Remove", {MakeI4(0)}, result);
    CHECK(result.hr == S_OK);
    CHECK(f.grid.log == std::vector<std::string>{"unselect rows events", "before", "after"});
    CHECK(f.grid.rows->ItemCount() == 0);
    CHECK_FALSE(f.row1->selected);

    SUBCASE("a cancelled BeforeSelectChange leaves the selection")
    {
        f.grid.cancelSelect = true;
        LateCall(f.grid.rows, L"Add", {MakeObject(f.row2)}, result);
        CHECK(result.hr == S_OK);
        CHECK(f.grid.rows->ItemCount() == 0);
    }
    SUBCASE("without an allowed selection event the machinery fires none")
    {
        f.grid.allowed.clear();
        f.grid.log.clear();
        LateCall(f.grid.rows, L"Add", {MakeObject(f.row2)}, result);
        CHECK(f.grid.log == std::vector<std::string>{"select rows"});
        CHECK(f.grid.rows->ItemCount() == 1);
    }
    SUBCASE("cells go through the click handler path, columns through their band")
    {
        f.grid.log.clear();
        LateCall(f.grid.cells, L"Add", {MakeObject(f.cell1)}, result);
        LateCall(f.grid.cols, L"Add", {MakeObject(f.colB)}, result);
        CHECK(f.grid.log == std::vector<std::string>{"select cells events", "before", "after", "select cols events",
                                                     "before", "after"});
        // Columns are found by their key, ignoring case.
        LateCall(f.grid.cols, L"Remove", {MakeText(L"b")}, result);
        CHECK(result.hr == S_OK);
        CHECK(f.grid.cols->ItemCount() == 0);
        LateCall(f.grid.cells, L"Remove", {MakeObject(f.cell1)}, result);
        CHECK(f.grid.cells->ItemCount() == 0);
    }
}

TEST_CASE("Refusals of Add, Remove and Clear")
{
    struct Case {
        const char* name;
        std::function<void(Fixture&)> arrange;
        std::function<void(Fixture&, LateResult&)> act;
        HRESULT code;
        const wchar_t* text;
    };
    auto addRow1 = [](Fixture& f, LateResult& r) { LateCall(f.grid.rows, L"Add", {MakeObject(f.row1)}, r); };
    const Case cases[] = {
        {"deactivated", [](Fixture& f) { CAutomationObject::Deactivate(f.grid.rows); }, addRow1,
         static_cast<HRESULT>(0x800AA21B), L"This object is no longer active"},
        {"read-only", [](Fixture& f) { f.grid.rows->SetReadOnly(true); }, addRow1, static_cast<HRESULT>(0x800AA21A),
         L"This collection is read-only."},
        {"layout without grid", [](Fixture& f) { f.grid.shown = false; }, addRow1, static_cast<HRESULT>(0x800A9C47),
         L"Rowset has not been initialized"},
        {"not a row (a caller that got its pointers wrong)", [](Fixture&) {},
         [](Fixture& f, LateResult& r) {
             SetErrorInfo(0, nullptr);
             r.hr = f.grid.rows->Add(reinterpret_cast<IHvRow*>(static_cast<IHvCell*>(f.cell1)));
             r.description = LastErrorDescription();
         },
         static_cast<HRESULT>(0x800AA220), L"Error accessing passed in object"},
        {"row of another grid's layout", [](Fixture&) {},
         [](Fixture& f, LateResult& r) {
             FakeGrid other;
             FakeRow* stranger = new FakeRow(ObjectType::HvRow, &other, nullptr, "x");
             LateCall(f.grid.rows, L"Add", {MakeObject(stranger)}, r);
             stranger->Release();
         },
         static_cast<HRESULT>(0x800AA220), L"Error accessing passed in object"},
        {"dead row", [](Fixture& f) { CAutomationObject::Deactivate(f.row1); }, addRow1,
         static_cast<HRESULT>(0x800AA220), L"Error accessing passed in object"},
        {"remove past the end", [](Fixture&) {},
         [](Fixture& f, LateResult& r) { LateCall(f.grid.rows, L"Remove", {MakeI4(0)}, r); },
         static_cast<HRESULT>(0x800AA21D), L"Specified index is invalid"},
        {"remove on a layout without grid", [](Fixture& f) { f.grid.shown = false; },
         [](Fixture& f, LateResult& r) { LateCall(f.grid.rows, L"Remove", {MakeI4(0)}, r); },
         static_cast<HRESULT>(0x800A9C47), L"Rowset has not been initialized"},
        {"item past the end", [](Fixture&) {},
         [](Fixture& f, LateResult& r) { LateGet(f.grid.cells, L"Item", r, {MakeI4(0)}); },
         static_cast<HRESULT>(0x800AA21D), L"Invalid Index value was passed in"},
        {"clear on an empty read-only selection", [](Fixture& f) { f.grid.cells->SetReadOnly(true); },
         [](Fixture& f, LateResult& r) { LateCall(f.grid.cells, L"Clear", {}, r); },
         static_cast<HRESULT>(0x800AA21A), L"This collection is read-only."},
        {"clear while deactivated", [](Fixture& f) { CAutomationObject::Deactivate(f.grid.cols); },
         [](Fixture& f, LateResult& r) { LateCall(f.grid.cols, L"Clear", {}, r); },
         static_cast<HRESULT>(0x800AA21B), L"This object is no longer active"},
    };
    for (const Case& c : cases) {
        const std::string name = c.name;
        CAPTURE(name);
        Fixture f;
        LateResult result;
        c.arrange(f);
        c.act(f, result);
        CHECK(CodeOf(result) == c.code);
        CHECK(result.description == c.text);
        CHECK(f.grid.log.empty());
    }
    Fixture f;
    CHECK(f.grid.rows->Add(nullptr) == E_INVALIDARG);
}

TEST_CASE("Clear: through the machinery with events, or quietly without them")
{
    Fixture f;
    CHECK(f.grid.cells->SelectCell(f.cell1, true) == S_OK);
    CHECK(f.grid.cells->SelectCell(f.cell2, true) == S_OK);
    f.cell1->selected = f.cell2->selected = true;
    LateResult result;

    SUBCASE("empty and writable: S_OK at once")
    {
        LateCall(f.grid.rows, L"Clear", {}, result);
        CHECK(result.hr == S_OK);
        CHECK(f.grid.log.empty());
    }
    SUBCASE("with events: the grid's ClearSelection of the kind")
    {
        LateCall(f.grid.cells, L"Clear", {}, result);
        CHECK(f.grid.log == std::vector<std::string>{"clear cells events", "before", "after"});
        CHECK(f.grid.cells->ItemCount() == 0);
    }
    SUBCASE("a cancelled clear keeps everything")
    {
        f.grid.cancelSelect = true;
        LateCall(f.grid.cells, L"Clear", {}, result);
        CHECK(f.grid.cells->ItemCount() == 2);
    }
    SUBCASE("without events: items unselected and let go, rows too")
    {
        f.grid.allowed.clear();
        const ULONG rowRefs = f.row1->Refs();
        LateCall(f.grid.cells, L"Clear", {}, result);
        CHECK(result.hr == S_OK);
        CHECK(f.grid.log.empty());
        CHECK(f.grid.cells->ItemCount() == 0);
        CHECK_FALSE(f.cell1->selected);
        CHECK_FALSE(f.cell2->selected);
        CHECK(f.row1->Refs() == rowRefs - 2);
    }
}

TEST_CASE("Internal operations: select with and without check, deselect, reset, clear")
{
    Fixture f;
    CHECK(f.grid.cols->SelectColumn(f.colA, true) == S_OK);
    CHECK(f.grid.cols->SelectColumn(f.colA, true) == S_OK);
    CHECK(f.grid.cols->ItemCount() == 1);
    CHECK(f.grid.rows->SelectRow(f.row1, false) == S_OK);
    CHECK(f.grid.rows->DeselectRow(f.row2) == S_OK); // absent: no error
    CHECK(f.grid.rows->ItemCount() == 1);

    f.row1->selected = true;
    CHECK(f.grid.rows->ResetItemStates() == S_OK);
    CHECK_FALSE(f.row1->selected);
    CHECK(f.grid.rows->ItemCount() == 1);

    CAutomationObject::Deactivate(f.row2);
    CHECK(f.grid.rows->SelectRow(f.row2, true) == static_cast<HRESULT>(0x800AA21B));

    f.grid.rows->SetReadOnly(true); // the forced clear ignores it
    CHECK(f.grid.rows->ClearChecked() == S_OK);
    CHECK(f.grid.rows->ItemCount() == 0);
    CAutomationObject::Deactivate(f.grid.rows);
    CHECK(f.grid.rows->ClearChecked() == static_cast<HRESULT>(0x800AA21B));
    CHECK(f.grid.rows->DeselectRow(f.row1) == static_cast<HRESULT>(0x800AA21B));
    // Reading still answers on a deactivated collection.
    LateResult result;
    LateGet(f.grid.rows, L"Count", result);
    CHECK(result.hr == S_OK);
}

TEST_CASE("Selected cells keep their rows alive, in the selection and in its snapshots")
{
    FakeGrid grid;
    FakeBand band{grid};
    FakeRow* row = new FakeRow(ObjectType::HvRow, &grid, &band, "r");
    FakeCell* cell = new FakeCell(ObjectType::HvCell, &grid, &band, "c");
    cell->row = row;
    const int rowsBefore = FakeRow::live;
    grid.cells->SelectCell(cell, true);
    cell->Release();
    row->Release(); // only the selection holds them now
    CHECK(FakeRow::live == rowsBefore);

    HvSelectedCells* snapshot = grid.cells->CreateSnapshot();
    REQUIRE(snapshot);
    CHECK(snapshot->IsReadOnly());
    CHECK(snapshot->IsSnapshot());
    CHECK(snapshot->IsSameSelection(grid.cells));

    grid.cells->ClearChecked();
    CHECK(FakeRow::live == rowsBefore); // the snapshot keeps cell and row
    CHECK(snapshot->ItemCount() == 1);
    CHECK_FALSE(snapshot->IsSameSelection(grid.cells));
    LateResult result;
    LateCall(snapshot, L"Clear", {}, result);
    CHECK(CodeOf(result) == static_cast<HRESULT>(0x800AA21A));

    snapshot->Release();
    CHECK(FakeRow::live == rowsBefore - 1);
}

TEST_CASE("IsSameSelection")
{
    Fixture f;
    HvSelectedCells* other = HvSelectedCells::Create(&f.grid, false);
    CHECK(HvSelectedCells::IsSameSelection(f.grid.cells, nullptr)); // both empty
    CHECK(f.grid.cells->IsSameSelection(other));
    f.grid.cells->SelectCell(f.cell1, true);
    CHECK_FALSE(f.grid.cells->IsSameSelection(nullptr));
    other->SelectCell(f.cell2, true);
    CHECK_FALSE(f.grid.cells->IsSameSelection(other));
    other->ClearChecked();
    other->SelectCell(f.cell1, true);
    CHECK(f.grid.cells->IsSameSelection(other));
    CHECK(f.grid.cells->IsSameSelection(f.grid.cells));
    other->ClearChecked();
    other->Release();
}

TEST_CASE("Rows and column snapshots copy in order; the selected columns save their count and version 0")
{
    Fixture f;
    f.grid.rows->SelectRow(f.row2, true);
    f.grid.rows->SelectRow(f.row1, true);
    HvSelectedRows* rows = f.grid.rows->CreateSnapshot();
    REQUIRE(rows);
    CHECK(rows->ItemAtPosition(0) == static_cast<HvKeyedItem*>(f.row2));
    CHECK(rows->ItemAtPosition(1) == static_cast<HvKeyedItem*>(f.row1));
    rows->Release();

    IStream* stream = NewStream();
    CHECK(f.grid.cols->Save(stream, 0) == S_OK);
    CHECK(StreamBytes(stream) == std::vector<BYTE>{0, 0, 0, 0, 0, 0, 0, 0});
    stream->Release();
}

TEST_CASE("Whole groups of columns are selected and unselected")
{
    Fixture f;
    FakeGroup* group = new FakeGroup(&f.grid, &f.band, "g");
    CHECK(f.grid.cols->SelectColumnsOf(group, true) == S_OK); // no list yet
    CHECK(f.grid.cols->ItemCount() == 0);
    group->Take(f.colA);
    group->Take(f.colB);

    f.grid.cols->SelectColumn(f.colB, true);
    CHECK(f.grid.cols->SelectColumnsOf(group, true) == S_OK);
    REQUIRE(f.grid.cols->ItemCount() == 2);
    CHECK(f.grid.cols->ItemAtPosition(0) == static_cast<HvKeyedItem*>(f.colB));
    CHECK(f.grid.cols->ItemAtPosition(1) == static_cast<HvKeyedItem*>(f.colA));

    // A column selected on its own stays when its group leaves the selection.
    FakeColumn* lone = f.band.AddColumn("L");
    f.grid.cols->SelectColumn(lone, true);
    CHECK(f.grid.cols->DeselectColumnsOf(group) == S_OK);
    REQUIRE(f.grid.cols->ItemCount() == 1);
    CHECK(f.grid.cols->ItemAtPosition(0) == static_cast<HvKeyedItem*>(lone));

    // The selected columns are found by key too.
    LateResult result;
    LateGet(f.grid.cols, L"Item", result, {MakeText(L"l")});
    CHECK(result.hr == S_OK);

    CAutomationObject::Deactivate(group);
    CHECK(f.grid.cols->SelectColumnsOf(group, false) == static_cast<HRESULT>(0x800AA21B));
    CHECK(f.grid.cols->DeselectColumnsOf(group) == static_cast<HRESULT>(0x800AA21B));
    group->Release();
}
