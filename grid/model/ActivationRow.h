// ActivationRow: a row as the control's row activation sees it: held by
// reference, its band's row-position mark and rowset position, its pending
// changes and its parent chain. The grid's rows stand behind it.
#pragma once

#include <windows.h>
#include <oaidl.h>

class ActivationRow
{
public:
    virtual void AddRefRow() = 0;
    virtual void ReleaseRow() = 0;
    // The row object is still alive.
    virtual bool IsRowAlive() = 0;
    // The row's automation face for the events (not referenced).
    virtual IDispatch* Dispatch() = 0;
    // Stands for the row's band: equal for rows of one band.
    virtual const void* BandIdentity() = 0;
    // The band's rowset binding keeps a row-position mark: its rows are
    // activated through the data source.
    virtual bool BandKeepsPositionMark() = 0;
    // Clears the band's rowset position.
    virtual HRESULT FlushBandPosition() = 0;
    // Moves the band's rowset position to this row; the data source's
    // notice may activate a row before this returns.
    virtual HRESULT SyncBandPosition() = 0;
    // The row's record holds changes not yet written.
    virtual bool HasPendingChanges() = 0;
    // The parent row, null for a top-level row (not referenced).
    virtual ActivationRow* ParentRow() = 0;
    // Every parent up the chain is expanded in an expandable band.
    virtual bool IsReachable() = 0;

protected:
    ~ActivationRow() = default;
};
