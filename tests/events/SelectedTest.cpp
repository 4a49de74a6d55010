// The selected object over the grid's selection collections: collections
// made on first use, ClearAll with and without the selection events,
// would-be selections built item by item, snapshots and their comparison,
// and references that outlive the object.
#include "LateBound.h"
#include "SelectedFakes.h"

#include "HvSelected.h"
#include "HvSelectedCells.h"
#include "HvSelectedCols.h"
#include "HvSelectedRows.h"
#include "SelectedControlSeam.h"

#include <doctest/doctest.h>

namespace {

constexpr HRESULT kNotActive = static_cast<HRESULT>(0x800AA21B);
constexpr HRESULT kReadOnly = static_cast<HRESULT>(0x800AA21A);

struct Fixture {
    SelGrid grid;
    SelGrid& control = grid;
    SelItem* row1 = new SelItem(&grid);
    SelItem* row2 = new SelItem(&grid);
    SelItem* cell1 = new SelItem(&grid, row1);
    SelItem* colA = new SelItem(&grid);
    SelItem* colB = new SelItem(&grid);

    ~Fixture()
    {
        for (SelItem* item : {cell1, row1, row2, colA, colB})
            item->Release();
    }
};

// Releases an HvSelected at the end of a test.
struct Held {
    explicit Held(HvSelected* s) : s(s) { REQUIRE(s); }
    ~Held() { s->Release(); }
    HvSelected* operator->() const { return s; }
    HvSelected* s;
};

} // namespace

TEST_CASE("Collections are made on first use with the object's read-only flag")
{
    Fixture f;
    Held live(HvSelected::Create(&f.control, false));
    CHECK(live->Rows() == nullptr);
    IHvSelectedRows* rows = nullptr;
    REQUIRE(live->get_Rows(&rows) == S_OK);
    IHvSelectedRows* again = nullptr;
    REQUIRE(live->get_Rows(&again) == S_OK);
    CHECK(rows == again);
    CHECK(rows == static_cast<IHvSelectedRows*>(live->Rows()));
    CHECK_FALSE(live->Rows()->IsReadOnly());
    again->Release();

    Held proposal(HvSelected::Create(&f.control, true));
    IHvSelectedCells* cells = nullptr;
    REQUIRE(proposal->get_Cells(&cells) == S_OK);
    CHECK(proposal->Cells()->IsReadOnly());
    cells->Release();

    // Late bound through the type library: the members and their DISPIDs.
    LateResult result;
    LateGet(live->Interface(), L"Columns", result);
    CHECK(result.hr == S_OK);
    CHECK(live->Columns() != nullptr);

    // A reference kept after the control let the object go.
    CAutomationObject::Deactivate(live.s);
    IHvSelectedCols* cols = nullptr;
    CHECK(live->get_Columns(&cols) == kNotActive);
    CHECK(rows->Clear() == kNotActive);
    CHECK(live->ClearAll() == kNotActive);
    CHECK(live->AddItem(f.row1, HvSelected::RowItem, false) == kNotActive);
    rows->Release();
}

TEST_CASE("ClearAll: refused when read-only, quiet without events, else through each fetched collection")
{
    Fixture f;
    Held proposal(HvSelected::Create(&f.control, true));
    CHECK(proposal->ClearAll() == kReadOnly);

    Held live(HvSelected::Create(&f.control, false));
    f.grid.allowed.clear();
    CHECK(live->ClearAll() == S_FALSE);
    CHECK(f.grid.log == std::vector<std::string>{"control clear-all"});

    // Either selection event allowed: each collection fetched here clears
    // through the grid's machinery; rows were never fetched and stay.
    f.grid.log.clear();
    f.grid.allowed = {1017};
    IHvSelectedCols* cols = nullptr;
    IHvSelectedCells* cells = nullptr;
    REQUIRE(live->get_Columns(&cols) == S_OK);
    REQUIRE(live->get_Cells(&cells) == S_OK);
    live->AddItem(f.colA, HvSelected::ColumnItem, false);
    live->AddItem(f.cell1, HvSelected::CellItem, false);
    CHECK(live->ClearAll() == S_OK);
    CHECK(f.grid.log == std::vector<std::string>{"clear 2 events", "clear 1 events"});
    live->Columns()->ClearChecked();
    live->Cells()->ClearChecked();
    cols->Release();
    cells->Release();
}

TEST_CASE("AddItem: rows and cells exclude each other, columns and groups stay beside")
{
    Fixture f;
    Held s(HvSelected::Create(&f.control, true));
    CHECK(s->AddItem(f.cell1, HvSelected::CellItem, false) == S_OK);
    CHECK(s->Cells()->ItemCount() == 1);
    CHECK(s->AddItem(f.colA, HvSelected::ColumnItem, false) == S_OK);
    CHECK(s->AddItem(f.row1, HvSelected::RowItem, false) == S_OK);
    CHECK(s->AddItem(f.row1, HvSelected::RowItem, false) == S_OK);   // present: skipped
    CHECK(s->Rows()->ItemCount() == 1);
    CHECK(s->Cells()->ItemCount() == 0);
    CHECK(s->Columns()->ItemCount() == 1);

    CHECK(s->AddItem(f.row2, HvSelected::RowItem, true) == S_OK);
    REQUIRE(s->Rows()->ItemCount() == 1);
    CHECK(s->Rows()->ItemAtPosition(0) == static_cast<HvKeyedItem*>(f.row2));
    CHECK(s->AddItem(f.cell1, HvSelected::CellItem, false) == S_OK);
    CHECK(s->Rows()->ItemCount() == 0);
    CHECK(s->Columns()->ItemCount() == 1);

    // Another kind adds nothing.
    CHECK(s->AddItem(f.row1, 5, false) == S_OK);
    CHECK(s->Rows()->ItemCount() == 0);
    // No events: the internal clears and adds never reach the machinery.
    CHECK(f.grid.log.empty());
    s->Columns()->ClearChecked();
    s->Cells()->ClearChecked();
}

TEST_CASE("Snapshots copy the held collections and compare by content")
{
    Fixture f;
    Held empty1(HvSelected::Create(&f.control, false));
    Held snap1(empty1->CreateSnapshot());
    Held snap2(empty1->CreateSnapshot());
    CHECK(snap1->IsSnapshot());
    CHECK(snap1->IsReadOnly());
    CHECK(snap1->Rows() == nullptr);
    CHECK(snap1->Cells() == nullptr);
    CHECK(snap1->Columns() == nullptr);
    CHECK(snap1->IsSameSelection(*snap2.s));

    // Fetched but empty collections equal absent ones.
    Held fetched(HvSelected::Create(&f.control, false));
    IHvSelectedRows* rows = nullptr;
    IHvSelectedCols* cols = nullptr;
    REQUIRE(fetched->get_Rows(&rows) == S_OK);
    REQUIRE(fetched->get_Columns(&cols) == S_OK);
    CHECK(fetched->IsSameSelection(*snap1.s));
    CHECK(snap1->IsSameSelection(*fetched.s));

    fetched->AddItem(f.row1, HvSelected::RowItem, false);
    fetched->AddItem(f.row2, HvSelected::RowItem, false);
    fetched->AddItem(f.colA, HvSelected::ColumnItem, false);
    Held copy(fetched->CreateSnapshot());
    REQUIRE(copy->Rows() != nullptr);
    CHECK(copy->Rows() != fetched->Rows());
    CHECK(copy->Rows()->IsSnapshot());
    CHECK(copy->Rows()->IsReadOnly());
    CHECK(copy->Cells() == nullptr);
    CHECK(copy->IsSameSelection(*fetched.s));
    CHECK_FALSE(copy->IsSameSelection(*snap1.s));

    // Rows in another order are another selection.
    Held reordered(HvSelected::Create(&f.control, false));
    reordered->AddItem(f.row2, HvSelected::RowItem, false);
    reordered->AddItem(f.row1, HvSelected::RowItem, false);
    reordered->AddItem(f.colA, HvSelected::ColumnItem, false);
    CHECK_FALSE(reordered->IsSameSelection(*fetched.s));

    // A collection put in takes the object's flags.
    fetched->AddItem(f.row1, HvSelected::RowItem, true);
    snap1->SetRows(fetched->Rows());
    CHECK(fetched->Rows()->IsReadOnly());
    CHECK(fetched->Rows()->IsSnapshot());
    snap1->SetRows(nullptr);
    rows->Release();
    cols->Release();
    for (HvSelected* s : {fetched.s, copy.s, reordered.s}) {
        if (s->Rows())
            s->Rows()->ClearChecked();
        if (s->Columns())
            s->Columns()->ClearChecked();
    }
}
