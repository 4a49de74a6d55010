// SelectableTarget: what the selection operations need of a row, cell,
// column or column group: its kind and band, its selected mark, and what a
// click, a key or a header press does with it. The grid's objects give it
// through the control; tests use stand-ins.
#pragma once

#include <windows.h>

#include <vector>

class SelectableTarget {
public:
    // The kinds, also the SelectChange value of the events (a group is sent
    // as a column).
    enum Kind : LONG { Row = 0, Cell = 1, Column = 2, Group = 99 };

    virtual ULONG AddRefTarget() = 0;
    virtual ULONG ReleaseTarget() = 0;
    // The object still belongs to the grid: a handler of a Before event may
    // have ended it (the data source taken away).
    virtual bool IsLive() { return true; }

    virtual LONG GetKind() = 0;
    // Identifies the band the object belongs to (compared only).
    virtual const void* GetBand() = 0;
    // Cells: the row (null for the others).
    virtual SelectableTarget* GetRow() = 0;
    // Groups: their columns (others: nothing).
    virtual void GetGroupColumns(std::vector<SelectableTarget*>& out) = 0;

    virtual bool IsSelected() = 0;
    virtual void SetSelected(bool selected) = 0;
    // Groups: counted as selected through their columns.
    virtual bool IsSelectedThroughColumns() = 0;
    // Marks a row or cell as part of the selection saved while a Ctrl drag
    // runs.
    virtual void SetSavedMark(bool saved) = 0;
    virtual bool IsTabStop() = 0;

    // True when a cell reached by Tab is to be edited rather than selected.
    virtual bool ActivateByKey(bool byTab) = 0;
    // True when the click was consumed (an activation that was cancelled).
    virtual bool ActivateOnClick(bool drag, bool byTab) = 0;
    // Cells: enters edit mode when the band's rowset is available.
    virtual void EnterEditMode() = 0;

    // Columns and groups: whether the band lets them be moved, the header
    // drag they start, and the header click action.
    virtual bool CanDragMove() = 0;
    virtual void BeginHeaderDrag() = 0;
    virtual void OnHeaderClick() = 0;

    // The band's limit on selected items of this kind (rows and cells);
    // below 1: none.
    virtual LONG SelectionLimit() = 0;

protected:
    ~SelectableTarget() = default;
};
