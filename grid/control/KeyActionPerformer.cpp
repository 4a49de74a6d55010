// The key actions: each code of Constants_KeyActions mapped onto the steps,
// the selection strategies and the cell, row and region operations.
#include "KeyActionPerformer.h"

#include "Tavelle.h"

namespace {

// Ends the host's action however the action returns.
class KeyActionScope
{
public:
    explicit KeyActionScope(KeyActionHost& host) : m_host(host) {}
    ~KeyActionScope() { m_host.EndKeyAction(); }
    KeyActionScope(const KeyActionScope&) = delete;
    KeyActionScope& operator=(const KeyActionScope&) = delete;

private:
    KeyActionHost& m_host;
};

// Ctrl without Shift moves the active object and leaves the selection.
bool OnlyActivates(bool shift, bool ctrl)
{
    return ctrl && !shift;
}

} // namespace

void KeyActionPerformer::PerformKeyAction(std::int32_t action, bool shift, bool ctrl, bool& handled)
{
    if (action < hvKeyActionNextRow || action > hvKeyActionExitEditMode)
        return;
    KeyActionScope scope(m_host);
    Perform(action, shift, ctrl, handled);
}

void KeyActionPerformer::MoveRow(bool forward, bool spanBands, bool shift, bool ctrl)
{
    KeyRow* row = m_host.ActiveRow();
    if (!row)
        return;
    const bool activateOnly = OnlyActivates(shift, ctrl);
    KeyRow* found = StepRow(forward, row, shift, ctrl, spanBands, true, !activateOnly);
    if (activateOnly)
        ActivateRowAndPivot(found, shift);
}

// Next or previous cell in header order, going on into following rows.
void KeyActionPerformer::MoveCell(bool forward, bool spanBands, bool crossParents, bool shift, bool ctrl)
{
    KeyRow* row = m_host.ActiveRow();
    KeyCell* cell = m_host.ActiveCell();
    if (!row || !cell)
        return;
    const bool activateOnly = OnlyActivates(shift, ctrl);
    KeyCell* found = StepCell(forward, row, cell, shift, ctrl, spanBands, true, crossParents, !activateOnly, false);
    if (activateOnly)
        ActivateCellAndPivot(found, shift);
}

void KeyActionPerformer::MoveCellVertical(bool below, bool shift, bool ctrl)
{
    KeyRow* row = m_host.ActiveRow();
    KeyCell* cell = m_host.ActiveCell();
    if (!row || !cell)
        return;
    const bool activateOnly = OnlyActivates(shift, ctrl);
    KeyCell* found = StepCellVertical(below, row, cell, shift, ctrl, false, true, !activateOnly);
    if (activateOnly)
        ActivateCellAndPivot(found, shift);
}

// Page up and down: the first or last row of the active row's band that is
// visible in the active row scroll region, scrolling a page first when the
// active row is that row already.
void KeyActionPerformer::Page(bool down, bool cells, bool shift)
{
    KeyRow* row = m_host.ActiveRow();
    KeyCell* cell = cells ? m_host.ActiveCell() : nullptr;
    if (!row || (cells && !cell))
        return;
    KeyRow* target = m_host.VisibleRowOfBand(row, down);
    if (!target || target == row) {
        m_host.ScrollActiveRowRegionPage(down);
        target = m_host.VisibleRowOfBand(row, down);
        if (!target)
            return;
    }
    if (!cells) {
        SelectRow(target, shift, KeyCtrlOverride::None);
        return;
    }
    if (KeyCell* found = m_host.CellOf(target, m_host.ColumnOf(cell)))
        SelectCell(found, shift, false, KeyCtrlOverride::None);
}

// The first enabled cell of the active row becomes active, selection aside.
void KeyActionPerformer::ActivateFirstEnabledCell(bool shift, bool ctrl)
{
    KeyRow* row = m_host.ActiveRow();
    if (!row)
        return;
    KeyColumn* column = m_host.FindHeaderAfter(row, true);
    KeyCell* candidate = column ? m_host.CellOf(row, column) : nullptr;
    while (candidate && m_host.IsCellDisabled(candidate) && candidate != m_host.ActiveCell())
        candidate = StepCell(true, row, candidate, shift, ctrl, false, false, false, false, false);
    if (!candidate)
        return;
    m_host.RequestActiveCell(candidate);
    if (m_host.ActiveCell() == candidate)
        m_host.UpdateGridWindow();
}

void KeyActionPerformer::Perform(std::int32_t action, bool shift, bool ctrl, bool& handled)
{
    KeyRow* const row = m_host.ActiveRow();
    KeyCell* const cell = m_host.ActiveCell();
    switch (action) {
    case hvKeyActionNextRow:
    case hvKeyActionPrevRow:
        MoveRow(action == hvKeyActionNextRow, true, shift, ctrl);
        break;
    case hvKeyActionAboveRow:
    case hvKeyActionBelowRow:
        MoveRow(action == hvKeyActionBelowRow, false, shift, ctrl);
        break;
    case hvKeyActionNextCell:
    case hvKeyActionPrevCell:
        MoveCell(action == hvKeyActionNextCell, m_host.CellStepMaySpanBands(shift || ctrl), true, shift, ctrl);
        break;
    case hvKeyActionNextCellInBand:
    case hvKeyActionPrevCellInBand:
        MoveCell(action == hvKeyActionNextCellInBand, false, false, shift, ctrl);
        break;
    case hvKeyActionNextCellByTab:
    case hvKeyActionPrevCellByTab:
        StepCell(action == hvKeyActionNextCellByTab, row, cell, shift, ctrl, true, true, true, true, true);
        break;
    case hvKeyActionAboveCell:
    case hvKeyActionBelowCell:
        MoveCellVertical(action == hvKeyActionBelowCell, shift, ctrl);
        break;
    case hvKeyActionFirstCellInRow:
    case hvKeyActionLastCellInRow:
        EndCellInRow(action == hvKeyActionFirstCellInRow, row, cell, shift, ctrl);
        break;
    case hvKeyActionFirstCellInBand:
    case hvKeyActionLastCellInBand:
        EndCellInBand(action == hvKeyActionFirstCellInBand, row, cell, shift, ctrl);
        break;
    case hvKeyActionFirstCellInGrid:
    case hvKeyActionLastCellInGrid:
        EndCellInGrid(action == hvKeyActionFirstCellInGrid, row, cell);
        break;
    case hvKeyActionFirstRowInBand:
    case hvKeyActionLastRowInBand:
        EndRowInBand(action == hvKeyActionFirstRowInBand, row, shift, ctrl);
        break;
    case hvKeyActionFirstRowInGrid:
    case hvKeyActionLastRowInGrid:
        EndRowInGrid(action == hvKeyActionFirstRowInGrid);
        break;
    case hvKeyActionPageDownCell:
    case hvKeyActionPageUpCell:
        Page(action == hvKeyActionPageDownCell, true, shift);
        break;
    case hvKeyActionPageDownRow:
    case hvKeyActionPageUpRow:
        Page(action == hvKeyActionPageDownRow, false, shift);
        break;
    case hvKeyActionUndoCell:
        if (!cell)
            return;
        m_host.CancelCellUpdate(cell);
        break;
    case hvKeyActionUndoRow:
        if (!row)
            return;
        m_host.CancelRowUpdate(row);
        break;
    case hvKeyActionNextRegion:
        m_host.ActivateNextScrollRegion();
        break;
    case hvKeyActionPrevRegion:
        m_host.ActivatePrevScrollRegion();
        break;
    case hvKeyActionExpandRow:
    case hvKeyActionCollapseRow:
        if (row)
            m_host.SetExpanded(row, action == hvKeyActionExpandRow);
        break;
    case hvKeyActionToggleCellSel:
        if (cell)
            SelectCell(cell, false, false, KeyCtrlOverride::Held);
        break;
    case hvKeyActionToggleRowSel:
        if (row)
            SelectRow(row, false, KeyCtrlOverride::Held);
        break;
    case hvKeyActionDeleteRows:
        m_host.DeleteSelectedRows();
        break;
    case hvKeyActionDeactivateCell:
        m_host.RequestActiveCell(nullptr);
        break;
    case hvKeyActionActivateCell:
        ActivateFirstEnabledCell(shift, ctrl);
        break;
    default:
        if (cell)
            PerformCellOperation(action, cell);
        break;
    }
    handled = true;
}

// The operations of the active cell itself.
void KeyActionPerformer::PerformCellOperation(std::int32_t action, KeyCell* cell)
{
    switch (action) {
    case hvKeyActionToggleEditMode:
        m_host.ToggleEditMode(cell);
        break;
    case hvKeyActionToggleDropdown:
        m_host.ToggleDropDown(cell);
        break;
    case hvKeyActionCloseDropdown:
        m_host.CloseDropDown(cell);
        break;
    case hvKeyActionEnterEditMode:
        m_host.EnterEditMode(cell, false);
        break;
    case hvKeyActionEnterEditModeAndDropdown:
        // A cell already being edited gets its list opened.
        if (!m_host.EnterEditMode(cell, true))
            m_host.OpenDropDown(cell);
        break;
    case hvKeyActionExitEditMode:
        m_host.ExitEditMode(cell);
        break;
    case hvKeyActionToggleCheckbox:
        m_host.ToggleCheckBox(cell);
        break;
    default:
        break;
    }
}
