// ActiveRowManager: the control's active row and the operations that
// change it, with the row events and the data source's row position. Rows
// of a band whose binding keeps a row-position mark are activated through
// the data source: the control moves the position and the source's notice
// calls ActivateFirstRow. The control holds one.
#pragma once

#include "ActivationRow.h"
#include "RowActivationHost.h"

class ActiveRowManager
{
public:
    // Results of the operations that the user can cancel.
    static constexpr LONG Done = 0;
    static constexpr LONG Cancelled = 1;

    // host is not owned.
    explicit ActiveRowManager(RowActivationHost& host) : m_host(host) {}
    ~ActiveRowManager();
    ActiveRowManager(const ActiveRowManager&) = delete;
    ActiveRowManager& operator=(const ActiveRowManager&) = delete;

    // The live active row (not referenced for the caller), or null; a dead
    // one is forgotten.
    ActivationRow* GetActiveRow();

    // ActiveRow put: 0 done, 1 cancelled, negative failure.
    LONG ChangeActiveRow(ActivationRow* row);
    // 0 done, 1 cancelled, or the commit's failure.
    LONG DeactivateActiveRow(bool commit, bool failureIsCancel);
    // 0 done, 1 refused (null or unreachable row).
    LONG SetActiveRowInternal(ActivationRow* row);
    // Activates the row at the first band's rowset position.
    void ActivateFirstRow(bool scrollIntoView);

    // Forgets the active row without events (the control's teardown and
    // rebinding).
    void Clear();
    // Holds a row as the active one without events (a cell activated with
    // its row already announced).
    void Replace(ActivationRow* row);

    bool ScrollsIntoView() const { return m_scrollIntoView; }

private:
    // Leaves the active row of band with a position mark or by events.
    LONG LeaveActiveRow();
    void SyncParentPosition(ActivationRow* row);

    RowActivationHost& m_host;
    ActivationRow* m_activeRow = nullptr; // one reference
    bool m_scrollIntoView = true;
};
