// Keys pressed on the standard fake grid: the grid key state and the key
// action map choose the action, the performer carries it out, and the
// active objects and the log of requests and events show the effect.
#include "FakeKeyGrid.h"

#include "Tavelle.h"

#include <doctest/doctest.h>

#include <windows.h>

using namespace keytest;

namespace {

// Start: the active row, and the active cell's column or "". Cell flags: e
// editing, d drop-down, s drop-down showing, k check box. After: the active
// row and cell column; log: the requests and events, in order.
struct KeyCase {
    const char* row;
    const char* column;
    const char* flags;
    std::uint16_t key;
    const char* modifiers;   // any of s c a
    std::int32_t action;
    const char* afterRow;
    const char* afterColumn;
    const char* log;
};

bool Has(const char* text, char c)
{
    return std::string(text).find(c) != std::string::npos;
}

const KeyCase kRowKeys[] = {
    // Moving between rows in hierarchical order, into shown children and
    // out to the ancestors' siblings; a collapsed row is expanded first.
    {"r1", "", "", VK_RIGHT, "", hvKeyActionNextRow, "r1a", "", "SelectRow(r1a); RowActivate(r1a); Update"},
    {"r1b", "", "", VK_RIGHT, "", hvKeyActionNextRow, "r1z", "", "SelectRow(r1z); RowActivate(r1z); Update"},
    {"r1z", "", "", VK_RIGHT, "", hvKeyActionNextRow, "r2", "", "SelectRow(r2); RowActivate(r2); Update"},
    {"r2", "", "", VK_RIGHT, "", hvKeyActionExpandRow, "r2", "", "Expand(r2)"},
    {"r2", "", "", VK_LEFT, "", hvKeyActionPrevRow, "r1z", "", "SelectRow(r1z); RowActivate(r1z); Update"},
    {"r1a", "", "", VK_LEFT, "", hvKeyActionPrevRow, "r1", "", "SelectRow(r1); RowActivate(r1); Update"},
    {"r1", "", "", VK_LEFT, "", hvKeyActionCollapseRow, "r1", "", "Collapse(r1)"},
    {"r4", "", "", VK_TAB, "", hvKeyActionNextRow, "r4", "", ""},
    // Up and down stay in the band, crossing parents, never into children.
    {"r1", "", "", VK_DOWN, "", hvKeyActionBelowRow, "r2", "", "SelectRow(r2); RowActivate(r2); Update"},
    {"r1b", "", "", VK_DOWN, "", hvKeyActionBelowRow, "r3a", "", "SelectRow(r3a); RowActivate(r3a); Update"},
    {"r3a", "", "", VK_UP, "", hvKeyActionAboveRow, "r1b", "", "SelectRow(r1b); RowActivate(r1b); Update"},
    {"r1", "", "", VK_UP, "", hvKeyActionAboveRow, "r1", "", ""},
    {"r1", "", "", VK_DOWN, "s", hvKeyActionBelowRow, "r2", "", "SelectRow(r2,shift); RowActivate(r2); Update"},
    {"r1", "", "", VK_DOWN, "c", hvKeyActionBelowRow, "r2", "", "RowActivate(r2); Pivot(r2); Update"},
    {"r1", "", "", VK_DOWN, "cs", hvKeyActionBelowRow, "r2", "", "SelectRow(r2,shift); RowActivate(r2); Update"},
    // Ends of the band and of the grid.
    {"r1b", "", "", VK_HOME, "", hvKeyActionFirstRowInBand, "r1a", "", "SelectRow(r1a); RowActivate(r1a); Update"},
    {"r3a", "", "", VK_END, "", hvKeyActionLastRowInBand, "r3b", "", "SelectRow(r3b); RowActivate(r3b); Update"},
    {"r3b", "", "", VK_HOME, "c", hvKeyActionFirstRowInGrid, "r1", "",
     "SelectRow(r1,ctrl-released); RowActivate(r1); Update"},
    {"r1", "", "", VK_END, "c", hvKeyActionLastRowInGrid, "r4", "",
     "SelectRow(r4,ctrl-released); RowActivate(r4); Update"},
    {"", "", "", VK_DOWN, "", hvKeyActionFirstRowInGrid, "r1", "",
     "SelectRow(r1,ctrl-released); RowActivate(r1); Update"},
    // Row operations.
    {"r2", "", "", VK_SPACE, "", hvKeyActionToggleRowSel, "r2", "", "SelectRow(r2,ctrl-held); Update"},
    {"r2", "", "", VK_SPACE, "c", hvKeyActionActivateCell, "r2", "A", "CellActivate(r2.A); Update"},
    {"r2", "", "", VK_DELETE, "", hvKeyActionDeleteRows, "r2", "", "DeleteSelectedRows"},
    {"r2", "", "", VK_ESCAPE, "", hvKeyActionUndoRow, "r2", "", "CancelUpdate(r2)"},
    {"r2", "", "", VK_F6, "", hvKeyActionNextRegion, "r2", "", "NextRegion"},
    {"r2", "", "", VK_F6, "s", hvKeyActionPrevRegion, "r2", "", "PrevRegion"},
};

const KeyCase kCellKeys[] = {
    // Header order, passing the column that is no tab stop, on into the
    // following rows (an expanded row's children first) and back.
    {"r1", "B", "", VK_RIGHT, "", hvKeyActionNextCell, "r1", "D", "SelectCell(r1.D); CellActivate(r1.D); Update"},
    {"r1", "D", "", VK_RIGHT, "", hvKeyActionNextCell, "r1a", "X",
     "SelectCell(r1a.X); RowActivate(r1a); CellActivate(r1a.X); Update"},
    {"r1b", "Y", "", VK_RIGHT, "", hvKeyActionNextCell, "r1z", "Z",
     "SelectCell(r1z.Z); RowActivate(r1z); CellActivate(r1z.Z); Update"},
    {"r4", "D", "", VK_RIGHT, "", hvKeyActionNextCell, "r4", "D", ""},
    {"r1a", "X", "", VK_LEFT, "", hvKeyActionPrevCell, "r1", "D",
     "SelectCell(r1.D); RowActivate(r1); CellActivate(r1.D); Update"},
    {"r1", "D", "", VK_TAB, "", hvKeyActionNextCellByTab, "r1a", "X",
     "SelectCell(r1a.X,tab); RowActivate(r1a); CellActivate(r1a.X); Update"},
    {"r1a", "X", "", VK_TAB, "s", hvKeyActionPrevCellByTab, "r1", "D",
     "SelectCell(r1.D,tab); RowActivate(r1); CellActivate(r1.D); Update"},
    // Ctrl moves the active cell only, among the siblings of the same parent.
    {"r1", "A", "", VK_RIGHT, "c", hvKeyActionNextCellInBand, "r1", "B", "CellActivate(r1.B); Pivot(r1.B); Update"},
    {"r1", "D", "", VK_RIGHT, "c", hvKeyActionNextCellInBand, "r2", "A",
     "RowActivate(r2); CellActivate(r2.A); Pivot(r2.A); Update"},
    {"r1b", "Y", "", VK_RIGHT, "cs", hvKeyActionNextCellInBand, "r1b", "Y", ""},
    {"r2", "A", "", VK_LEFT, "cs", hvKeyActionPrevCellInBand, "r1", "D",
     "SelectCell(r1.D,shift); RowActivate(r1); CellActivate(r1.D); Update"},
    // Up and down keep the column and the band.
    {"r1a", "X", "", VK_DOWN, "", hvKeyActionBelowCell, "r1b", "X",
     "SelectCell(r1b.X); RowActivate(r1b); CellActivate(r1b.X); Update"},
    {"r1b", "Y", "", VK_DOWN, "", hvKeyActionBelowCell, "r3a", "Y",
     "SelectCell(r3a.Y); RowActivate(r3a); CellActivate(r3a.Y); Update"},
    {"r2", "B", "", VK_UP, "", hvKeyActionAboveCell, "r1", "B",
     "SelectCell(r1.B); RowActivate(r1); CellActivate(r1.B); Update"},
    {"r1a", "X", "", VK_DOWN, "c", hvKeyActionBelowCell, "r1b", "X",
     "RowActivate(r1b); CellActivate(r1b.X); Pivot(r1b.X); Update"},
    // Ends of the row, the band and the grid.
    {"r1", "B", "", VK_HOME, "", hvKeyActionFirstCellInRow, "r1", "A", "SelectCell(r1.A); CellActivate(r1.A); Update"},
    {"r1", "B", "", VK_END, "", hvKeyActionLastCellInRow, "r1", "D", "SelectCell(r1.D); CellActivate(r1.D); Update"},
    {"r3", "A", "", VK_HOME, "", hvKeyActionFirstCellInBand, "r1", "A",
     "SelectCell(r1.A); RowActivate(r1); CellActivate(r1.A); Update"},
    {"r1", "D", "", VK_END, "s", hvKeyActionLastCellInBand, "r4", "D",
     "SelectCell(r4.D,shift); RowActivate(r4); CellActivate(r4.D); Update"},
    {"r3", "B", "", VK_HOME, "c", hvKeyActionFirstCellInGrid, "r1", "A",
     "SelectCell(r1.A,ctrl-released); RowActivate(r1); CellActivate(r1.A); Update"},
    {"r1", "B", "", VK_END, "cs", hvKeyActionLastCellInGrid, "r4", "D",
     "SelectCell(r4.D,ctrl-released); RowActivate(r4); CellActivate(r4.D); Update"},
    // Cell operations.
    {"r1", "B", "", VK_F2, "", hvKeyActionToggleEditMode, "r1", "B", "ToggleEditMode(r1.B)"},
    {"r1", "B", "e", VK_ESCAPE, "", hvKeyActionUndoCell, "r1", "B", "CancelUpdate(r1.B)"},
    {"r1", "B", "", VK_SPACE, "", hvKeyActionToggleCellSel, "r1", "B", "SelectCell(r1.B,ctrl-held); Update"},
    {"r1", "B", "ek", VK_SPACE, "", hvKeyActionToggleCheckbox, "r1", "B", "ToggleCheckBox(r1.B)"},
    {"r1", "B", "", VK_SPACE, "c", hvKeyActionDeactivateCell, "r1", "", "CellDeactivate(r1.B)"},
    {"r1", "B", "d", VK_F4, "", hvKeyActionEnterEditModeAndDropdown, "r1", "B", "EnterEditMode(r1.B,dropdown)"},
    {"r1", "B", "d", VK_DOWN, "a", hvKeyActionEnterEditModeAndDropdown, "r1", "B", "EnterEditMode(r1.B,dropdown)"},
    {"r1", "B", "de", VK_F4, "", hvKeyActionToggleDropdown, "r1", "B", "ToggleDropDown(r1.B)"},
    {"r1", "B", "des", VK_ESCAPE, "", hvKeyActionCloseDropdown, "r1", "B", "CloseDropDown(r1.B)"},
};

void RunCase(const KeyCase& c)
{
    auto grid = FakeKeyGrid::Standard();
    grid->pages = {{grid->Row("r1"), grid->Row("r1a"), grid->Row("r2")}, {grid->Row("r3"), grid->Row("r4")}};
    if (*c.column) {
        GridCell* cell = grid->Cell(c.row, c.column);
        cell->editing = Has(c.flags, 'e');
        cell->dropDown = Has(c.flags, 'd');
        cell->dropDownShowing = Has(c.flags, 's');
        cell->checkBox = Has(c.flags, 'k');
        grid->SetActive(nullptr, cell);
    } else {
        grid->SetActive(grid->Row(c.row));
    }
    const auto press = grid->PressKey(c.key, Has(c.modifiers, 's'), Has(c.modifiers, 'c'), Has(c.modifiers, 'a'));

    CHECK(press.action == static_cast<std::uint32_t>(c.action));
    CHECK(press.handled);
    CHECK(grid->Log() == c.log);
    CHECK(grid->activeRow == grid->Row(c.afterRow));
    CHECK(grid->activeCell == (*c.afterColumn ? grid->Cell(c.afterRow, c.afterColumn) : nullptr));
    CHECK(grid->ctrlOverride == KeyCtrlOverride::None);
    CHECK(grid->endedActions == 1);
}

} // namespace

TEST_CASE("Keys on rows move, expand and operate on the active row")
{
    for (const KeyCase& c : kRowKeys) {
        CAPTURE(c.row);
        CAPTURE(c.key);
        CAPTURE(c.modifiers);
        RunCase(c);
    }
}

TEST_CASE("Keys on cells move, select and operate on the active cell")
{
    for (const KeyCase& c : kCellKeys) {
        CAPTURE(c.row);
        CAPTURE(c.column);
        CAPTURE(c.key);
        CAPTURE(c.modifiers);
        RunCase(c);
    }
}

TEST_CASE("Page keys go to the band's last or first visible row, scrolling a page when already there")
{
    struct PageCase {
        const char* row;
        const char* column;
        std::size_t page;
        std::uint16_t key;
        std::int32_t action;
        const char* afterRow;
        const char* log;
    };
    const PageCase cases[] = {
        {"r1", "B", 0, VK_NEXT, hvKeyActionPageDownCell, "r2",
         "SelectCell(r2.B); RowActivate(r2); CellActivate(r2.B); Update"},
        {"r2", "", 0, VK_NEXT, hvKeyActionPageDownRow, "r4", "ScrollPageDown; SelectRow(r4); RowActivate(r4); Update"},
        {"r3", "", 1, VK_PRIOR, hvKeyActionPageUpRow, "r1", "ScrollPageUp; SelectRow(r1); RowActivate(r1); Update"},
        {"r4", "A", 1, VK_PRIOR, hvKeyActionPageUpCell, "r3",
         "SelectCell(r3.A); RowActivate(r3); CellActivate(r3.A); Update"},
        // The region cannot scroll further: the active row stays selected.
        {"r4", "", 1, VK_NEXT, hvKeyActionPageDownRow, "r4", "ScrollPageDown; SelectRow(r4); Update"},
    };
    for (const PageCase& c : cases) {
        CAPTURE(c.row);
        CAPTURE(c.key);
        auto grid = FakeKeyGrid::Standard();
        grid->pages = {{grid->Row("r1"), grid->Row("r1a"), grid->Row("r2")}, {grid->Row("r3"), grid->Row("r4")}};
        grid->page = c.page;
        if (*c.column)
            grid->SetActive(nullptr, grid->Cell(c.row, c.column));
        else
            grid->SetActive(grid->Row(c.row));
        const auto press = grid->PressKey(c.key, false, false);
        CHECK(press.action == static_cast<std::uint32_t>(c.action));
        CHECK(press.handled);
        CHECK(grid->Log() == c.log);
        CHECK(grid->activeRow == grid->Row(c.afterRow));
    }
}
