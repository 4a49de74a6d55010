// KeyActionPerformer: carries out one keyboard action (Constants_KeyActions)
// on the grid through KeyActionHost, and the row and cell steps the actions
// are built from. It fires no event itself: activation, selection and the
// cell and row operations it calls do. It keeps no state between calls.
#pragma once

#include "KeyActionHost.h"

#include <cstdint>

// Modes of KeyActionPerformer::FindAdjacentRow.
enum class KeyRowMode { First = 0, Last = 1, Next = 2, Prev = 3, Above = 4, Below = 5 };

class KeyActionPerformer
{
public:
    explicit KeyActionPerformer(KeyActionHost& host) : m_host(host) {}
    KeyActionPerformer(const KeyActionPerformer&) = delete;
    KeyActionPerformer& operator=(const KeyActionPerformer&) = delete;

    // Performs the action and sets handled for every code 1 to 44, also when
    // there was nothing to do; the undo actions without their active object
    // and unknown codes leave it unchanged.
    void PerformKeyAction(std::int32_t action, bool shift, bool ctrl, bool& handled);
    // The keyboard handler's entry.
    void PerformKeyActionFromKeyboard(std::int32_t action, bool shift, bool ctrl, bool& handled)
    {
        PerformKeyAction(action, shift, ctrl, handled);
    }

    // The steps. Rows and cells they return are host handles, valid until
    // the host's EndKeyAction; null when nothing was found. With select the
    // object found is selected by its band's strategy.
    KeyRow* FindAdjacentRow(KeyRow* row, KeyRowMode mode, bool spanBands, bool crossParents);
    KeyRow* StepRow(bool forward, KeyRow* row, bool shift, bool ctrl, bool spanBands, bool crossParents,
                    bool select);
    KeyCell* StepCell(bool forward, KeyRow* row, KeyCell* cell, bool shift, bool ctrl, bool spanBands,
                      bool crossRows, bool crossParents, bool select, bool byTab);
    KeyCell* StepCellVertical(bool below, KeyRow* row, KeyCell* cell, bool shift, bool ctrl, bool spanBands,
                              bool crossParents, bool select);
    // The end steps select what they find.
    KeyCell* EndCellInRow(bool first, KeyRow* row, KeyCell* cell, bool shift, bool ctrl);
    KeyCell* EndCellInBand(bool first, KeyRow* row, KeyCell* cell, bool shift, bool ctrl);
    KeyCell* EndCellInGrid(bool first, KeyRow* row, KeyCell* cell);
    KeyRow* EndRowInBand(bool first, KeyRow* row, bool shift, bool ctrl);
    KeyRow* EndRowInGrid(bool first);

    // Makes the object active without a selection change; when it did
    // become active it is the selection pivot and the window is updated.
    void ActivateRowAndPivot(KeyRow* row, bool shift);
    void ActivateCellAndPivot(KeyCell* cell, bool shift);

private:
    bool AcceptableRow(KeyRow* row, bool shift, bool ctrl);
    bool AcceptableCell(KeyCell* cell, bool shift, bool ctrl);
    void SelectRow(KeyRow* row, bool shift, KeyCtrlOverride how);
    void SelectCell(KeyCell* cell, bool shift, bool byTab, KeyCtrlOverride how);

    KeyRow* AdjacentOnce(KeyRow* row, KeyRowMode mode, bool spanBands, bool crossParents);
    KeyRow* NextRow(KeyRow* row, bool spanBands, bool crossParents);
    KeyRow* PrevRow(KeyRow* row, bool spanBands, bool crossParents);
    KeyRow* SiblingRow(KeyRow* row, bool forward, bool spanBands);
    KeyRow* EndSibling(bool first, KeyRow* row);
    KeyCell* StepFromColumn(bool forward, KeyRow* row, KeyColumn* column, bool shift, bool ctrl,
                            bool spanBands, bool crossRows, bool crossParents);
    KeyCell* EndCellLoop(bool first, KeyRow* row, KeyCell* candidate, bool shift, bool ctrl);

    void Perform(std::int32_t action, bool shift, bool ctrl, bool& handled);
    void PerformCellOperation(std::int32_t action, KeyCell* cell);
    void MoveRow(bool forward, bool spanBands, bool shift, bool ctrl);
    void MoveCell(bool forward, bool spanBands, bool crossParents, bool shift, bool ctrl);
    void MoveCellVertical(bool below, bool shift, bool ctrl);
    void Page(bool down, bool cells, bool shift);
    void ActivateFirstEnabledCell(bool shift, bool ctrl);

    KeyActionHost& m_host;   // not owned: the control outlives its performer
};
