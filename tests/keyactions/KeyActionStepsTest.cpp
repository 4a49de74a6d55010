// The edges of the key actions: hidden, disabled and non-tab-stop objects,
// the view styles, the Extended strategy's band rule, cancelled and
// redirected activations, and the handled flag.
#include "FakeKeyGrid.h"

#include "Tavelle.h"

#include <doctest/doctest.h>

#include <windows.h>

using namespace keytest;

namespace {

void Disable(FakeKeyGrid& grid, std::initializer_list<const char*> cells)
{
    for (const char* name : cells) {
        const std::string text(name);
        const std::size_t dot = text.find('.');
        if (dot == std::string::npos)
            grid.Row(text)->disabled = true;
        else
            grid.Cell(text.substr(0, dot), text.substr(dot + 1))->disabled = true;
    }
}

std::string ActiveCellName(FakeKeyGrid& grid)
{
    return grid.activeCell ? grid.activeCell->Name() : std::string("none");
}

// A cell action from an active cell, with some cells or rows disabled.
struct CellCase {
    std::initializer_list<const char*> disabled;
    const char* row;
    const char* column;
    std::int32_t action;
    const char* expected;
};

void RunCellCases(std::initializer_list<CellCase> cases)
{
    for (const CellCase& c : cases) {
        CAPTURE(c.row);
        CAPTURE(c.column);
        CAPTURE(c.action);
        auto grid = FakeKeyGrid::Standard();
        Disable(*grid, c.disabled);
        grid->SetActive(nullptr, grid->Cell(c.row, c.column));
        CHECK(grid->Perform(c.action));
        CHECK(ActiveCellName(*grid) == c.expected);
    }
}

} // namespace

TEST_CASE("Row search passes over hidden rows in its own direction")
{
    struct Case {
        KeyRowMode mode;
        const char* from;
        std::initializer_list<const char*> hidden;
        const char* expected;
    };
    const Case cases[] = {
        {KeyRowMode::First, "", {"r1"}, "r2"},          // first, then onwards past r1's children
        {KeyRowMode::Last, "", {"r4"}, "r3b"},          // last, then back into r3's descendants
        {KeyRowMode::Next, "r1z", {"r2"}, "r3"},
        {KeyRowMode::Next, "r1", {"r1a", "r1b"}, "r1z"},
        {KeyRowMode::Prev, "r3", {"r2"}, "r1z"},
        {KeyRowMode::Prev, "r4", {"r3a", "r3b"}, "r3"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.from);
        CAPTURE(static_cast<int>(c.mode));
        auto grid = FakeKeyGrid::Standard();
        for (const char* name : c.hidden)
            grid->Row(name)->hidden = true;
        KeyRow* found = grid->Performer().FindAdjacentRow(grid->Handle(grid->Row(c.from)), c.mode, true, true);
        CHECK(grid->RowOf(found) == grid->Row(c.expected));
    }
}

TEST_CASE("Previous row after an expanded sibling follows the view style")
{
    struct Case {
        ViewStyle style;
        const char* expected;
    };
    const Case cases[] = {
        {ViewStyle::MultiBand, "r1z"},
        {ViewStyle::MultiBandHorizontal, "r1z"},
        {ViewStyle::SingleBand, "r1"},
    };
    for (const Case& c : cases) {
        CAPTURE(static_cast<int>(c.style));
        auto grid = FakeKeyGrid::Standard();
        grid->viewStyle = c.style;
        grid->SetActive(grid->Row("r2"));
        CHECK(grid->Perform(hvKeyActionPrevRow));
        CHECK(grid->activeRow == grid->Row(c.expected));
    }
}

TEST_CASE("Above and below step over siblings only where bands lie side by side")
{
    auto grid = FakeKeyGrid::Standard();
    KeyActionPerformer& performer = grid->Performer();
    KeyRow* r1 = grid->Handle(grid->Row("r1"));
    CHECK(grid->RowOf(performer.FindAdjacentRow(r1, KeyRowMode::Below, true, true)) == grid->Row("r1a"));
    grid->viewStyle = ViewStyle::MultiBandHorizontal;
    CHECK(grid->RowOf(performer.FindAdjacentRow(r1, KeyRowMode::Below, true, true)) == grid->Row("r2"));
    KeyRow* r3a = grid->Handle(grid->Row("r3a"));
    CHECK(grid->RowOf(performer.FindAdjacentRow(r3a, KeyRowMode::Above, false, true)) == grid->Row("r1b"));
    CHECK(performer.FindAdjacentRow(r3a, KeyRowMode::Above, false, false) == nullptr);
}

TEST_CASE("Without a view style rows are not walked, and only the first row of the grid is reached")
{
    auto grid = FakeKeyGrid::Standard();
    grid->viewStyle = ViewStyle::None;
    grid->SetActive(nullptr, grid->Cell("r2", "D"));
    for (std::int32_t action : {hvKeyActionNextRow, hvKeyActionBelowCell, hvKeyActionNextCell,
                                hvKeyActionLastRowInGrid, hvKeyActionLastCellInGrid}) {
        CAPTURE(action);
        CHECK(grid->Perform(action));
        CHECK(grid->Log().empty());
    }
    CHECK(grid->Perform(hvKeyActionFirstCellInGrid));
    CHECK(ActiveCellName(*grid) == "r1.A");
    grid->SetActive(grid->Row("r3"));
    CHECK(grid->Perform(hvKeyActionFirstRowInGrid));
    CHECK(grid->activeRow == grid->Row("r1"));
}

TEST_CASE("A row that shows its children but has no child row goes on to its sibling")
{
    auto grid = FakeKeyGrid::Standard();
    grid->Row("r2")->expanded = true;
    grid->Row("r2")->children.clear();
    grid->SetActive(grid->Row("r2"));
    CHECK(grid->Perform(hvKeyActionNextRow));
    CHECK(grid->activeRow == grid->Row("r3"));
}

TEST_CASE("Disabled cells and cells that are no tab stop are passed over by every cell step")
{
    RunCellCases({
        {{"r1.B"}, "r1", "A", hvKeyActionNextCell, "r1.D"},
        {{"r1.B"}, "r1", "D", hvKeyActionPrevCell, "r1.A"},
        {{"r1.B"}, "r1", "A", hvKeyActionNextCellByTab, "r1.D"},
        {{"r1.B"}, "r1", "A", hvKeyActionNextCellInBand, "r1.D"},
        {{"r1b.X"}, "r1a", "X", hvKeyActionBelowCell, "r3a.X"},
        {{"r1b.X"}, "r3a", "X", hvKeyActionAboveCell, "r1a.X"},
        {{"r2"}, "r1", "B", hvKeyActionBelowCell, "r3.B"},
        {{"r1.A", "r1.B"}, "r1", "D", hvKeyActionFirstCellInRow, "r1.D"},
        {{"r4.D"}, "r2", "A", hvKeyActionLastCellInGrid, "r4.B"},
        // Every cell of the column is passed over: nowhere to go.
        {{}, "r1", "C", hvKeyActionBelowCell, "r1.C"},
    });
}

TEST_CASE("Row steps pass over disabled rows, the grid's first and last rows are taken whatever they are")
{
    struct Case {
        std::initializer_list<const char*> disabled;
        const char* row;
        std::int32_t action;
        const char* expected;
        const char* log;
    };
    const Case cases[] = {
        {{"r2"}, "r1", hvKeyActionBelowRow, "r3", "SelectRow(r3); RowActivate(r3); Update"},
        {{"r1"}, "r3", hvKeyActionFirstRowInBand, "r2", "SelectRow(r2); RowActivate(r2); Update"},
        {{"r4"}, "r2", hvKeyActionLastRowInBand, "r3", "SelectRow(r3); RowActivate(r3); Update"},
        // The active row itself is taken when the search starts on it.
        {{"r1"}, "r1", hvKeyActionFirstRowInBand, "r1", "SelectRow(r1); Update"},
        {{"r1"}, "r3", hvKeyActionFirstRowInGrid, "r1", "SelectRow(r1,ctrl-released); RowActivate(r1); Update"},
        {{"r4"}, "r1", hvKeyActionLastRowInGrid, "r4", "SelectRow(r4,ctrl-released); RowActivate(r4); Update"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.row);
        CAPTURE(c.action);
        auto grid = FakeKeyGrid::Standard();
        Disable(*grid, c.disabled);
        grid->SetActive(grid->Row(c.row));
        CHECK(grid->Perform(c.action));
        CHECK(grid->activeRow == grid->Row(c.expected));
        CHECK(grid->Log() == c.log);
    }
}

TEST_CASE("First and last cell in band keep the active cell's column")
{
    RunCellCases({
        {{}, "r3", "B", hvKeyActionFirstCellInBand, "r1.B"},
        {{"r1.B"}, "r3", "B", hvKeyActionFirstCellInBand, "r1.D"},
        {{"r4.B"}, "r1", "B", hvKeyActionLastCellInBand, "r4.A"},
        {{}, "r1b", "Y", hvKeyActionFirstCellInBand, "r1a.Y"},
        {{}, "r1", "B", hvKeyActionFirstCellInBand, "r1.B"},
    });
}

TEST_CASE("The Extended cell strategy with Shift keeps a cell step in the band of its pivot")
{
    auto grid = FakeKeyGrid::Standard();
    grid->SetActive(nullptr, grid->Cell("r1b", "Y"));
    grid->pivot = "r1b.X";
    grid->pivotIsCell = true;
    grid->pivotBand = 1;

    SUBCASE("Shift: on into the band's next row, not the next band")
    {
        const auto press = grid->PressKey(VK_RIGHT, true, false);
        CHECK(press.action == static_cast<std::uint32_t>(hvKeyActionNextCell));
        CHECK(grid->Log() == "SelectCell(r3a.X,shift); RowActivate(r3a); CellActivate(r3a.X); Update");
    }
    SUBCASE("Single strategy: Shift plays no part")
    {
        grid->cellSelect = SelectType::Single;
        grid->PressKey(VK_RIGHT, true, false);
        CHECK(ActiveCellName(*grid) == "r1z.Z");
    }
    SUBCASE("A row pivot: no cell is acceptable with Shift")
    {
        grid->pivotIsCell = false;
        CHECK(grid->PressKey(VK_RIGHT, true, false).handled);
        CHECK(grid->Log().empty());
        CHECK(ActiveCellName(*grid) == "r1b.Y");
    }
}

TEST_CASE("Ctrl without Shift moves the active object and leaves the selection")
{
    auto grid = FakeKeyGrid::Standard();
    grid->SetActive(nullptr, grid->Cell("r1", "A"));
    grid->selected = {"r1.A", "r2.B"};
    grid->PressKey(VK_DOWN, false, true);
    CHECK(ActiveCellName(*grid) == "r2.A");
    CHECK(grid->pivot == "r2.A");
    CHECK(grid->selected == std::set<std::string>{"r1.A", "r2.B"});
    grid->PressKey(VK_DOWN, false, false);
    CHECK(grid->selected == std::set<std::string>{"r3.A"});
}

TEST_CASE("A cancelled or redirected activation sets no pivot and updates no window")
{
    struct Case {
        const char* name;
        bool cancelRow, cancelCell, cancelSelect, redirect;
        const char* column;
        std::uint16_t key;
        bool ctrl;
        const char* log;
        const char* activeRow;
    };
    const Case cases[] = {
        {"row cancelled", true, false, false, false, "", VK_DOWN, true, "RowActivate(r2) cancelled", "r1"},
        {"row redirected", false, false, false, true, "", VK_DOWN, true, "RowActivate(r2) redirected to r4", "r4"},
        {"cell cancelled", false, true, false, false, "A", VK_RIGHT, true, "CellActivate(r1.B) cancelled", "r1"},
        {"selection cancelled", false, false, true, false, "", VK_DOWN, false, "SelectRow(r2); SelectChange cancelled",
         "r1"},
        {"selection's activation cancelled", true, false, false, false, "", VK_DOWN, false,
         "SelectRow(r2); RowActivate(r2) cancelled", "r1"},
        {"activate cell cancelled", false, true, false, false, "", VK_SPACE, true, "CellActivate(r1.A) cancelled",
         "r1"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        auto grid = FakeKeyGrid::Standard();
        grid->cancelRowActivate = c.cancelRow;
        grid->cancelCellActivate = c.cancelCell;
        grid->cancelSelectChange = c.cancelSelect;
        grid->redirectRowActivate = c.redirect ? grid->Row("r4") : nullptr;
        if (*c.column)
            grid->SetActive(nullptr, grid->Cell("r1", c.column));
        else
            grid->SetActive(grid->Row("r1"));
        CHECK(grid->PressKey(c.key, false, c.ctrl).handled);
        CHECK(grid->Log() == c.log);
        CHECK(grid->activeRow == grid->Row(c.activeRow));
        CHECK(grid->pivot.empty());
    }
}

TEST_CASE("Every action sets the handled flag except the undo actions without their object and unknown codes")
{
    for (std::int32_t action = hvKeyActionNextRow; action <= hvKeyActionExitEditMode; ++action) {
        CAPTURE(action);
        auto grid = FakeKeyGrid::Standard();
        const bool undo = action == hvKeyActionUndoCell || action == hvKeyActionUndoRow;
        CHECK(grid->Perform(action) == !undo);
        CHECK(grid->ctrlOverride == KeyCtrlOverride::None);
        CHECK(grid->endedActions == 1);
    }
    auto grid = FakeKeyGrid::Standard();
    grid->SetActive(grid->Row("r1"));
    CHECK_FALSE(grid->Perform(hvKeyActionUndoCell));
    CHECK(grid->Perform(hvKeyActionEnterEditMode));
    CHECK(grid->Log().empty());
    for (std::int32_t code : {0, -1, 45, 1000}) {
        CAPTURE(code);
        bool handled = false;
        grid->Performer().PerformKeyAction(code, false, false, handled);
        CHECK_FALSE(handled);
        handled = true;
        grid->Performer().PerformKeyAction(code, false, false, handled);
        CHECK(handled);
    }
    CHECK(grid->endedActions == 2);
    CHECK(grid->Log().empty());
}

TEST_CASE("Edit mode actions of the active cell")
{
    struct Case {
        std::int32_t action;
        bool editing;
        const char* log;
    };
    const Case cases[] = {
        {hvKeyActionEnterEditMode, false, "EnterEditMode(r1.B)"},
        {hvKeyActionExitEditMode, true, "ExitEditMode(r1.B)"},
        {hvKeyActionEnterEditModeAndDropdown, false, "EnterEditMode(r1.B,dropdown)"},
        // Already in edit mode: the list is opened instead.
        {hvKeyActionEnterEditModeAndDropdown, true, "EnterEditMode(r1.B,dropdown); OpenDropDown(r1.B)"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.action);
        auto grid = FakeKeyGrid::Standard();
        GridCell* cell = grid->Cell("r1", "B");
        cell->editing = c.editing;
        cell->dropDown = true;
        grid->SetActive(nullptr, cell);
        CHECK(grid->Perform(c.action));
        CHECK(grid->Log() == c.log);
    }
}

TEST_CASE("Activating a cell takes the first enabled cell of the active row in the active column region")
{
    auto grid = FakeKeyGrid::Standard();
    grid->SetActive(grid->Row("r2"));
    SUBCASE("disabled first cell")
    {
        Disable(*grid, {"r2.A"});
        CHECK(grid->Perform(hvKeyActionActivateCell));
        CHECK(ActiveCellName(*grid) == "r2.B");
        CHECK(grid->Log() == "CellActivate(r2.B); Update");
    }
    SUBCASE("first column in another column region")
    {
        grid->Column("A")->region = 1;
        grid->activeColRegion = 2;
        CHECK(grid->Perform(hvKeyActionActivateCell));
        CHECK(ActiveCellName(*grid) == "r2.B");
    }
    SUBCASE("no row: nothing")
    {
        grid->SetActive(nullptr);
        CHECK(grid->Perform(hvKeyActionActivateCell));
        CHECK(grid->Log().empty());
    }
}

TEST_CASE("Page down with no row of the band visible after scrolling does nothing")
{
    auto grid = FakeKeyGrid::Standard();
    grid->pages = {{grid->Row("r1"), grid->Row("r2")}, {grid->Row("r2a")}};
    grid->SetActive(grid->Row("r2"));
    CHECK(grid->Perform(hvKeyActionPageDownRow));
    CHECK(grid->Log() == "ScrollPageDown");
    CHECK(grid->activeRow == grid->Row("r2"));
    grid->ClearLog();
    CHECK(grid->Perform(hvKeyActionPageDownCell));
    CHECK(grid->Log().empty());
}
