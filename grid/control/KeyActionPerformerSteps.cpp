// The row and cell steps of the key action performer: hierarchical row
// navigation, cell steps in header order and the first/last searches.
#include "KeyActionPerformer.h"

namespace {

// Clears the layout's Ctrl flag however the strategy call ends.
class CtrlOverrideScope
{
public:
    CtrlOverrideScope(KeyActionHost& host, KeyCtrlOverride how) : m_host(host), m_set(how != KeyCtrlOverride::None)
    {
        if (m_set)
            m_host.SetCtrlOverride(how);
    }
    ~CtrlOverrideScope()
    {
        if (m_set)
            m_host.SetCtrlOverride(KeyCtrlOverride::None);
    }
    CtrlOverrideScope(const CtrlOverrideScope&) = delete;
    CtrlOverrideScope& operator=(const CtrlOverrideScope&) = delete;

private:
    KeyActionHost& m_host;
    bool m_set;
};

KeyHeaderStep Step(bool forward)
{
    return forward ? KeyHeaderStep::Next : KeyHeaderStep::Prev;
}

KeyHeaderStep End(bool first)
{
    return first ? KeyHeaderStep::First : KeyHeaderStep::Last;
}

KeyRowMode RowStep(bool forward)
{
    return forward ? KeyRowMode::Next : KeyRowMode::Prev;
}

} // namespace

bool KeyActionPerformer::AcceptableRow(KeyRow* row, bool shift, bool ctrl)
{
    return !m_host.IsRowDisabled(row) && m_host.AcceptsRow(row, shift, ctrl);
}

bool KeyActionPerformer::AcceptableCell(KeyCell* cell, bool shift, bool ctrl)
{
    return cell && !m_host.IsCellDisabled(cell) && m_host.AcceptsCell(cell, shift, ctrl);
}

void KeyActionPerformer::SelectRow(KeyRow* row, bool shift, KeyCtrlOverride how)
{
    {
        CtrlOverrideScope scope(m_host, how);
        m_host.SelectRow(row, shift);
    }
    if (m_host.ActiveRow() == row)
        m_host.UpdateGridWindow();
}

void KeyActionPerformer::SelectCell(KeyCell* cell, bool shift, bool byTab, KeyCtrlOverride how)
{
    {
        CtrlOverrideScope scope(m_host, how);
        m_host.SelectCell(cell, shift, byTab);
    }
    if (m_host.ActiveCell() == cell)
        m_host.UpdateGridWindow();
}

void KeyActionPerformer::ActivateRowAndPivot(KeyRow* row, bool shift)
{
    if (!row)
        return;
    m_host.RequestActiveRow(row);
    if (m_host.ActiveRow() != row)
        return;
    m_host.SetSelectionPivotRow(row, shift);
    m_host.UpdateGridWindow();
}

void KeyActionPerformer::ActivateCellAndPivot(KeyCell* cell, bool shift)
{
    if (!cell)
        return;
    m_host.RequestActiveCell(cell);
    if (m_host.ActiveCell() != cell)
        return;
    m_host.SetSelectionPivotCell(cell, shift);
    m_host.UpdateGridWindow();
}

// Row navigation.

KeyRow* KeyActionPerformer::FindAdjacentRow(KeyRow* row, KeyRowMode mode, bool spanBands, bool crossParents)
{
    if (!m_host.HasViewStyle())
        return nullptr;
    if ((mode == KeyRowMode::Above || mode == KeyRowMode::Below) && !m_host.LaysBandsSideBySide())
        mode = mode == KeyRowMode::Above ? KeyRowMode::Prev : KeyRowMode::Next;
    KeyRow* found = AdjacentOnce(row, mode, spanBands, crossParents);
    // Hidden rows are passed over in the same direction.
    if (mode == KeyRowMode::First)
        mode = KeyRowMode::Next;
    else if (mode == KeyRowMode::Last)
        mode = KeyRowMode::Prev;
    while (found && m_host.IsEffectivelyHidden(found))
        found = AdjacentOnce(found, mode, spanBands, crossParents);
    return found;
}

KeyRow* KeyActionPerformer::AdjacentOnce(KeyRow* row, KeyRowMode mode, bool spanBands, bool crossParents)
{
    switch (mode) {
    case KeyRowMode::First:
        return m_host.GridFirstRow();
    case KeyRowMode::Last: {
        KeyRow* last = m_host.GridLastRow();
        KeyRow* deepest = last ? m_host.LastShownDescendant(last) : nullptr;
        return deepest ? deepest : last;
    }
    case KeyRowMode::Next:
        return row ? NextRow(row, spanBands, crossParents) : nullptr;
    case KeyRowMode::Prev:
        return row ? PrevRow(row, spanBands, crossParents) : nullptr;
    case KeyRowMode::Above:
    case KeyRowMode::Below: {
        if (!row)
            return nullptr;
        const bool forward = mode == KeyRowMode::Below;
        if (KeyRow* sibling = SiblingRow(row, forward, spanBands))
            return sibling;
        return crossParents ? m_host.RelatedRow(row, forward, spanBands) : nullptr;
    }
    }
    return nullptr;
}

KeyRow* KeyActionPerformer::SiblingRow(KeyRow* row, bool forward, bool spanBands)
{
    const KeySibling which = forward ? KeySibling::Next : KeySibling::Prev;
    return m_host.HasSibling(row, which, spanBands) ? m_host.Sibling(row, which, spanBands) : nullptr;
}

KeyRow* KeyActionPerformer::NextRow(KeyRow* row, bool spanBands, bool crossParents)
{
    // A row that shows its children but has no child row goes on to its
    // sibling, as a collapsed row would.
    if (spanBands && crossParents && m_host.ShowsChildren(row)) {
        if (KeyRow* child = m_host.FirstChild(row))
            return child;
    }
    if (KeyRow* sibling = SiblingRow(row, true, spanBands))
        return sibling;
    if (!crossParents)
        return nullptr;
    if (!spanBands)
        return m_host.RelatedRow(row, true, false);
    for (KeyRow* ancestor = m_host.Parent(row); ancestor; ancestor = m_host.Parent(ancestor)) {
        if (KeyRow* sibling = SiblingRow(ancestor, true, true))
            return sibling;
    }
    return nullptr;
}

KeyRow* KeyActionPerformer::PrevRow(KeyRow* row, bool spanBands, bool crossParents)
{
    if (KeyRow* sibling = SiblingRow(row, false, spanBands)) {
        if (spanBands && m_host.ShowsChildren(sibling)) {
            if (KeyRow* deepest = m_host.LastShownDescendant(sibling))
                return deepest;
        }
        return sibling;
    }
    if (spanBands)
        return m_host.Parent(row);
    return crossParents ? m_host.RelatedRow(row, false, false) : nullptr;
}

KeyRow* KeyActionPerformer::StepRow(bool forward, KeyRow* row, bool shift, bool ctrl, bool spanBands,
                                    bool crossParents, bool select)
{
    KeyRow* found = row;
    do {
        found = FindAdjacentRow(found, RowStep(forward), spanBands, crossParents);
    } while (found && !AcceptableRow(found, shift, ctrl));
    if (select && found)
        SelectRow(found, shift, KeyCtrlOverride::None);
    return found;
}

// Cell steps.

KeyCell* KeyActionPerformer::StepFromColumn(bool forward, KeyRow* row, KeyColumn* column, bool shift, bool ctrl,
                                            bool spanBands, bool crossRows, bool crossParents)
{
    for (;;) {
        KeyColumn* next = m_host.StepHeaders(row, column, Step(forward));
        // Rows without a column reached are passed.
        while (!next) {
            if (!crossRows)
                return nullptr;
            row = FindAdjacentRow(row, RowStep(forward), spanBands, crossParents);
            if (!row)
                return nullptr;
            next = m_host.StepHeaders(row, column, End(forward));
        }
        column = next;
        KeyCell* candidate = m_host.CellOf(row, column);
        if (AcceptableCell(candidate, shift, ctrl))
            return candidate;
    }
}

KeyCell* KeyActionPerformer::StepCell(bool forward, KeyRow* row, KeyCell* cell, bool shift, bool ctrl,
                                      bool spanBands, bool crossRows, bool crossParents, bool select, bool byTab)
{
    if (!row || !cell)
        return nullptr;
    KeyCell* found =
        StepFromColumn(forward, row, m_host.ColumnOf(cell), shift, ctrl, spanBands, crossRows, crossParents);
    if (select && found)
        SelectCell(found, shift, byTab, KeyCtrlOverride::None);
    return found;
}

KeyCell* KeyActionPerformer::StepCellVertical(bool below, KeyRow* row, KeyCell* cell, bool shift, bool ctrl,
                                              bool spanBands, bool crossParents, bool select)
{
    if (!row || !cell)
        return nullptr;
    KeyColumn* column = m_host.ColumnOf(cell);
    const KeyRowMode mode = below ? KeyRowMode::Below : KeyRowMode::Above;
    KeyCell* found = nullptr;
    while (!found) {
        row = FindAdjacentRow(row, mode, spanBands, crossParents);
        if (!row)
            return nullptr;
        KeyCell* candidate = m_host.CellOf(row, column);
        if (AcceptableCell(candidate, shift, ctrl))
            found = candidate;
    }
    if (select)
        SelectCell(found, shift, false, KeyCtrlOverride::None);
    return found;
}

// First and last searches.

// From a candidate in the row: the candidate when acceptable or already
// active, else the next acceptable cell of the row in the search direction.
KeyCell* KeyActionPerformer::EndCellLoop(bool first, KeyRow* row, KeyCell* candidate, bool shift, bool ctrl)
{
    while (candidate) {
        if (AcceptableCell(candidate, shift, ctrl) || candidate == m_host.ActiveCell())
            return candidate;
        candidate = StepCell(first, row, candidate, shift, ctrl, false, false, false, false, false);
    }
    return nullptr;
}

KeyCell* KeyActionPerformer::EndCellInRow(bool first, KeyRow* row, KeyCell* cell, bool shift, bool ctrl)
{
    if (!row || !cell)
        return nullptr;
    KeyColumn* column = m_host.StepHeaders(row, m_host.ColumnOf(cell), End(first));
    if (!column)
        return nullptr;
    KeyCell* taken = EndCellLoop(first, row, m_host.CellOf(row, column), shift, ctrl);
    if (taken)
        SelectCell(taken, shift, false, KeyCtrlOverride::None);
    return taken;
}

KeyRow* KeyActionPerformer::EndSibling(bool first, KeyRow* row)
{
    const KeySibling towards = first ? KeySibling::Prev : KeySibling::Next;
    if (!m_host.HasSibling(row, towards, false))
        return row;
    KeyRow* end = m_host.Sibling(row, first ? KeySibling::First : KeySibling::Last, false);
    return end ? end : row;
}

KeyCell* KeyActionPerformer::EndCellInBand(bool first, KeyRow* row, KeyCell* cell, bool shift, bool ctrl)
{
    if (!row || !cell)
        return nullptr;
    KeyRow* target = EndSibling(first, row);
    KeyCell* taken = EndCellLoop(first, target, m_host.CellOf(target, m_host.ColumnOf(cell)), shift, ctrl);
    if (taken)
        SelectCell(taken, shift, false, KeyCtrlOverride::None);
    return taken;
}

KeyCell* KeyActionPerformer::EndCellInGrid(bool first, KeyRow* row, KeyCell* cell)
{
    if (!row || !cell)
        return nullptr;
    KeyRow* target = nullptr;
    KeyColumn* column = nullptr;
    if (first) {
        target = m_host.GridFirstRow();
        column = target ? m_host.FindHeaderAfter(target, false) : nullptr;
    } else if (m_host.HasViewStyle()) {
        target = m_host.ViewLastRow();
        column = target ? m_host.FindHeaderBefore(target) : nullptr;
    }
    if (!column)
        return nullptr;
    // The selection is replaced whatever the modifiers.
    KeyCell* taken = EndCellLoop(first, target, m_host.CellOf(target, column), false, false);
    if (taken)
        SelectCell(taken, false, false, KeyCtrlOverride::Released);
    return taken;
}

KeyRow* KeyActionPerformer::EndRowInBand(bool first, KeyRow* row, bool shift, bool ctrl)
{
    if (!row)
        return nullptr;
    KeyRow* target = EndSibling(first, row);
    while (target && !AcceptableRow(target, shift, ctrl) && target != m_host.ActiveRow())
        target = StepRow(first, target, shift, ctrl, false, false, false);
    if (target)
        SelectRow(target, shift, KeyCtrlOverride::None);
    return target;
}

KeyRow* KeyActionPerformer::EndRowInGrid(bool first)
{
    KeyRow* target = nullptr;
    if (first)
        target = m_host.GridFirstRow();
    else if (m_host.HasViewStyle())
        target = m_host.ViewLastRow();
    // Only a shown row may become active: hidden ones are passed over.
    if (target && m_host.IsEffectivelyHidden(target))
        target = FindAdjacentRow(target, first ? KeyRowMode::Next : KeyRowMode::Prev, true, true);
    if (target)
        SelectRow(target, false, KeyCtrlOverride::Released);
    return target;
}
