// SelectionHost: what the selection operations need of the grid control:
// its dispatcher and its selection management (the current selection, the
// pivot, clearing, adopting and applying selections, ranges), the selection
// events, the items under the mouse, automatic scrolling, the
// selection-drag timer, the error report, and the keyboard and mouse state.
#pragma once

#include <windows.h>

class InputDispatcher;
class SelectableTarget;
#include "SelectionSet.h"

class SelectionHost
{
public:
    // Null when the control has none.
    virtual InputDispatcher* SelectionDispatcher() = 0;

    // Events may fire for the layout of the item's band.
    virtual bool CanFireSelectEvents(SelectableTarget* item) = 0;
    // True when a handler cancelled.
    virtual bool FireBeforeSelectChange(LONG kind, const SelectionSet& wouldBe) = 0;
    virtual void FireAfterSelectChange(LONG kind) = 0;

    // The control's selection as it stands.
    virtual const SelectionSet& CurrentSelection() = 0;
    // Clears the selection of a kind (unless keepSameKind) and, with
    // clearOthers, of the other kinds, unmarking the items.
    virtual void ClearSelectionsForKind(LONG kind, bool keepSameKind, bool clearOthers) = 0;
    // Makes the set the control's selection (the marks are already set).
    virtual void AdoptSelection(const SelectionSet& selection) = 0;
    // Marks the set's items selected (or not, without rangeMode) and makes
    // it the selection; rangeLists, when given, holds the plain ranges.
    virtual void ApplySelection(const SelectionSet& selection, bool rangeMode, const SelectionSet* rangeLists) = 0;
    // Adds the item to the selection without events, first emptying the
    // list of its kind with clearFirst.
    virtual void AddSelectedQuietly(SelectableTarget* item, bool clearFirst) = 0;

    // The pivot that applies to the item's kind (columns and groups: the
    // column region's, rows and cells: the row region's), or null.
    virtual SelectableTarget* GetSelectionPivot(SelectableTarget* item) = 0;
    virtual void SetSelectionPivot(SelectableTarget* item, bool keepExisting) = 0;
    // The items from the pivot to target in their band's order, limited by
    // the band with alreadyCounted items counted in; 0x800A9C5E when the
    // limit would be passed.
    virtual HRESULT FillRange(SelectableTarget* pivot, SelectableTarget* target, LONG alreadyCounted,
                              SelectionSet::List& out) = 0;

    // The selectable item of current's kind under a grid client point (a
    // cell mapped through its band's click handler), or null.
    virtual SelectableTarget* SelectableItemAtPoint(int x, int y, SelectableTarget* current) = 0;

    virtual void ArmAutoScroll(int x, int y, bool excludeRows) = 0;
    virtual void DisarmAutoScroll() = 0;
    // The 500 ms timer after which a press on a selected item may start a
    // selection drag; the control records what came of it.
    virtual void StartSelectionDragTimer() = 0;
    virtual void KillSelectionDragTimer() = 0;
    virtual bool SelectionDragCancelled() = 0;
    virtual bool SelectionDragPending() = 0;
    virtual void BeginVisibleRowsSelectionUpdate() = 0;
    virtual void EndVisibleRowsSelectionUpdate() = 0;

    // "Too Many Items" through the control's error report.
    virtual void ReportTooManyItems() = 0;
    // Raises an automation error with a string of the control on the item's
    // band; returns the HRESULT.
    virtual HRESULT RaiseSelectError(SelectableTarget* item, HRESULT code, UINT stringId) = 0;

    // The cursor in screen coordinates, the keys, the primary button.
    virtual POINT CursorPos() = 0;
    virtual bool IsShiftDown() = 0;
    virtual bool IsCtrlDown() = 0;
    virtual bool IsPrimaryButtonDown() = 0;
    // The layout's flags set by the key action performer around one call:
    // Ctrl counts as held, or as released.
    virtual bool CtrlHeldFlag() = 0;
    virtual bool CtrlReleasedFlag() = 0;

protected:
    ~SelectionHost() = default;
};
