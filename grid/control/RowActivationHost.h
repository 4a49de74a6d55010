// RowActivationHost: what the control's row activation needs of the grid
// control: the active cell, the row events, the update mode and commit,
// the look of the active row and the first band's rowset position. The
// control implements it; tests use stand-ins.
#pragma once

#include <windows.h>
#include <oaidl.h>

class ActivationRow;

class RowActivationHost
{
public:
    // The control is held across an operation that raises events.
    virtual void AddRefControl() = 0;
    virtual void ReleaseControl() = 0;
    // Deactivates the active cell without invalidation, not forced;
    // 0 done, 1 cancelled.
    virtual LONG DeactivateActiveCell() = 0;
    virtual void FireBeforeRowActivate(IDispatch* row) = 0;
    // True when a handler cancelled.
    virtual bool FireBeforeRowDeactivate() = 0;
    virtual void FireAfterRowActivate() = 0;
    // Constants_UpdateMode (2: hvUpdateOnUpdate, nothing committed here).
    virtual LONG UpdateMode() = 0;
    // Commits the pending changes of all rows, as Update does.
    virtual HRESULT CommitAllRows() = 0;
    virtual bool HasGridWindow() = 0;
    // Refreshes the row's cells, invalidates the AddNew box element and
    // marks the row's element in the active regions changed.
    virtual void RefreshRowLook(ActivationRow* row) = 0;
    // Refreshes the row's element in the active regions.
    virtual void RefreshRowElement(ActivationRow* row) = 0;
    // Scrolls the active row scroll region so that the row shows.
    virtual void BringRowIntoView(ActivationRow* row) = 0;

    // The layout has a first band.
    virtual bool HasFirstBand() = 0;
    virtual bool FirstBandKeepsPositionMark() = 0;
    // The row at the first band's rowset position, referenced, or null.
    virtual ActivationRow* FirstBandCurrentRow() = 0;
    // The first row of the first band's rowset, referenced, or null.
    virtual ActivationRow* FetchFirstRow() = 0;

protected:
    ~RowActivationHost() = default;
};
