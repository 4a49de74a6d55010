// The CellClickAction handlers: what a click, a new row, a client's cell
// selection and the row-selection path do under Edit, RowSelect and
// CellSelect.
#include "SelectionFakes.h"

#include "CellClickActionHandler.h"
#include "HvSelectedCells.h"

#include <doctest/doctest.h>

#include <memory>

namespace {

struct ClickFixture {
    FakeGrid grid;
    FakeBand band{grid};
    FakeRow* row = new FakeRow(ObjectType::HvRow, &grid, &band, "r");
    FakeCell* cell = new FakeCell(ObjectType::HvCell, &grid, &band, "c");
    FakeColumn* column = band.AddColumn("A");

    ClickFixture()
    {
        cell->row = row;
        row->cells.emplace_back(column, cell);
    }
    ~ClickFixture()
    {
        grid.cells->ClearChecked();
        cell->Release();
        row->Release();
    }
    std::vector<std::string> Log()
    {
        std::vector<std::string> all = grid.log;
        all.insert(all.end(), band.log.begin(), band.log.end());
        return all;
    }
};

std::unique_ptr<CellClickActionHandler> Handler(int action)
{
    auto handler = CellClickActionHandler::Create(action);
    REQUIRE(handler);
    return handler;
}

// Holds the Ctrl key down in this thread's key state for a scope.
class ControlDown {
public:
    ControlDown()
    {
        GetKeyboardState(saved_);
        BYTE state[256];
        memcpy(state, saved_, sizeof state);
        state[VK_CONTROL] = 0x80;
        SetKeyboardState(state);
    }
    ~ControlDown() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

} // namespace

TEST_CASE("Handlers are made for Edit, RowSelect and CellSelect only")
{
    CHECK_FALSE(CellClickActionHandler::Create(0));
    CHECK_FALSE(CellClickActionHandler::Create(4));
    for (int action : {1, 2, 3}) {
        std::unique_ptr<OverrideStrategy> strategy = CellClickActionHandler::Create(action);
        CHECK(CellClickActionHandler::FromStrategy(strategy.get()));
    }
}

TEST_CASE("Edit: a plain click clears the selection and activates the cell for editing")
{
    ClickFixture f;
    auto edit = Handler(CellClickActionHandler::Edit);

    SUBCASE("plain click")
    {
        edit->ClickCell(f.cell, 1, 1);
        CHECK(f.Log() == std::vector<std::string>{"clear-all", "active-cell c", "cell-strategy-reset"});
        CHECK(f.cell->activations == std::vector<std::string>{"110"});
        CHECK(f.cell->editEntered == 1);
    }
    SUBCASE("a cancelled clear stops the click")
    {
        f.grid.clearAllAnswer = 1;
        edit->ClickCell(f.cell, 1, 1);
        CHECK(f.Log() == std::vector<std::string>{"clear-all"});
        CHECK(f.cell->activations.empty());
    }
    SUBCASE("a Ctrl-click goes to the cell-selection strategy")
    {
        ControlDown ctrl;
        edit->ClickCell(f.cell, 1, 0);
        CHECK(f.Log() == std::vector<std::string>{"cell-strategy c 100"});
        CHECK(f.cell->activations.empty());
    }
    SUBCASE("a disabled cell goes to the cell-selection strategy")
    {
        f.cell->mayActivate = false;
        edit->ClickCell(f.cell, 1, 1);
        CHECK(f.Log() == std::vector<std::string>{"cell-strategy c 110"});
    }
}

TEST_CASE("ActivateRow: the first visible cell, else the row; Edit then enters edit mode")
{
    ClickFixture f;
    SUBCASE("CellSelect with a visible header")
    {
        f.band.firstVisible = f.column;
        Handler(CellClickActionHandler::CellSelect)->ActivateRow(f.row);
        CHECK(f.grid.log == std::vector<std::string>{"active-cell c"});
        CHECK(f.cell->editEntered == 0);
    }
    SUBCASE("no visible header in the active column region: the row becomes active")
    {
        Handler(CellClickActionHandler::Edit)->ActivateRow(f.row);
        CHECK(f.grid.log == std::vector<std::string>{"active-row r"});
        CHECK(f.cell->editEntered == 0);
    }
    SUBCASE("Edit puts the new active cell into edit mode")
    {
        f.band.firstVisible = f.column;
        Handler(CellClickActionHandler::Edit)->ActivateRow(f.row);
        CHECK(f.cell->editEntered == 1);
    }
    SUBCASE("Edit leaves a disabled cell out of edit mode")
    {
        f.band.firstVisible = f.column;
        f.cell->mayActivate = false;
        Handler(CellClickActionHandler::Edit)->ActivateRow(f.row);
        CHECK(f.grid.activeCell == f.cell);
        CHECK(f.cell->editEntered == 0);
    }
    SUBCASE("RowSelect makes the row active")
    {
        f.band.firstVisible = f.column;
        Handler(CellClickActionHandler::RowSelect)->ActivateRow(f.row);
        CHECK(f.grid.log == std::vector<std::string>{"active-row r"});
    }
}

TEST_CASE("RowSelect: clicks select the row, cells cannot be selected, items map to rows")
{
    ClickFixture f;
    auto rowSelect = Handler(CellClickActionHandler::RowSelect);
    rowSelect->ClickCell(f.cell, 1, 0);
    CHECK(f.band.log == std::vector<std::string>{"row-strategy r 10"});

    SetErrorInfo(0, nullptr);
    CHECK(rowSelect->SelectCell(f.cell, 1, 1) == static_cast<HRESULT>(0x800A9C54));
    CHECK(LastErrorDescription() == L"Can't select cell with CellClickAction set to 'RowSelect'.");
    CHECK(f.grid.cells->ItemCount() == 0);

    HvSelectableItem* item = f.cell;
    rowSelect->MapSelectionItem(&item);
    CHECK(item == f.row);
    f.cell->row = nullptr;
    item = f.cell;
    rowSelect->MapSelectionItem(&item);
    CHECK(item == nullptr);

    for (int action : {CellClickActionHandler::Edit, CellClickActionHandler::CellSelect}) {
        item = f.cell;
        Handler(action)->MapSelectionItem(&item);
        CHECK(item == f.cell);
    }
}

TEST_CASE("CellSelect and Edit select cells through the band")
{
    ClickFixture f;
    CHECK(Handler(CellClickActionHandler::CellSelect)->SelectCell(f.cell, 1, 1) == S_OK);
    CHECK(f.band.log == std::vector<std::string>{"select-cell 11"});
    CHECK(f.grid.cells->ItemCount() == 1);
    CHECK(Handler(CellClickActionHandler::Edit)->SelectCell(f.cell, 0, 0) == S_OK);
    CHECK(f.grid.cells->ItemCount() == 0);

    Handler(CellClickActionHandler::CellSelect)->ClickCell(f.cell, 1, 1);
    CHECK(f.band.log.back() == "cell-strategy c 110");
}
