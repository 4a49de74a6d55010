// Changing the control's active row: deactivation with its events and
// commit, activation with its events, and the rows that the data source's
// row position decides.
#include "ActiveRowManager.h"

namespace {

// Holds the control for the rest of an operation that raises events.
class ControlHolder
{
public:
    explicit ControlHolder(RowActivationHost& host) : m_host(host) { m_host.AddRefControl(); }
    ~ControlHolder() { m_host.ReleaseControl(); }
    ControlHolder(const ControlHolder&) = delete;
    ControlHolder& operator=(const ControlHolder&) = delete;

private:
    RowActivationHost& m_host;
};

// A row reference that the caller was given and must release.
class RowReference
{
public:
    explicit RowReference(ActivationRow* row) : m_row(row) {}
    ~RowReference()
    {
        if (m_row)
            m_row->ReleaseRow();
    }
    RowReference(const RowReference&) = delete;
    RowReference& operator=(const RowReference&) = delete;
    ActivationRow* Get() const { return m_row; }

private:
    ActivationRow* m_row;
};

bool StopsChange(LONG result)
{
    return result < 0 || result == ActiveRowManager::Cancelled;
}

} // namespace

ActiveRowManager::~ActiveRowManager()
{
    Clear();
}

void ActiveRowManager::Clear()
{
    Replace(nullptr);
}

void ActiveRowManager::Replace(ActivationRow* row)
{
    if (row)
        row->AddRefRow();
    ActivationRow* old = m_activeRow;
    m_activeRow = row;
    if (old)
        old->ReleaseRow();
}

ActivationRow* ActiveRowManager::GetActiveRow()
{
    if (m_activeRow && !m_activeRow->IsRowAlive())
        Clear();
    return m_activeRow;
}

LONG ActiveRowManager::DeactivateActiveRow(bool commit, bool failureIsCancel)
{
    if (m_host.DeactivateActiveCell() == Cancelled)
        return Cancelled;
    ActivationRow* row = GetActiveRow();
    if (!row)
        return Done;
    if (m_host.FireBeforeRowDeactivate())
        return Cancelled;
    if (commit && m_host.UpdateMode() != 2) {
        const HRESULT hr = m_host.CommitAllRows();
        if (FAILED(hr))
            return failureIsCancel ? Cancelled : hr;
    }
    // A handler may have let the row go.
    row = GetActiveRow();
    if (row && m_host.HasGridWindow())
        m_host.RefreshRowLook(row);
    Clear();
    return Done;
}

LONG ActiveRowManager::SetActiveRowInternal(ActivationRow* row)
{
    if (!row)
        return Cancelled;
    ControlHolder hold(m_host);
    m_host.FireBeforeRowActivate(row->Dispatch());
    if (!row->IsReachable())
        return Cancelled;
    Replace(row);
    if (m_host.HasGridWindow())
        m_host.RefreshRowLook(row);
    if (m_scrollIntoView)
        m_host.BringRowIntoView(row);
    m_host.FireAfterRowActivate();
    return Done;
}

LONG ActiveRowManager::LeaveActiveRow()
{
    ActivationRow* active = GetActiveRow();
    if (!active)
        return Done;
    if (active->BandKeepsPositionMark())
        return active->FlushBandPosition();
    return DeactivateActiveRow(true, false);
}

void ActiveRowManager::SyncParentPosition(ActivationRow* row)
{
    for (ActivationRow* parent = row->ParentRow(); parent; parent = parent->ParentRow()) {
        if (!parent->BandKeepsPositionMark())
            continue;
        if (!parent->HasPendingChanges()) {
            // The parent becomes current in its band without scrolling to it.
            m_scrollIntoView = false;
            parent->SyncBandPosition();
            m_scrollIntoView = true;
        }
        m_host.RefreshRowElement(parent);
        return;
    }
}

LONG ActiveRowManager::ChangeActiveRow(ActivationRow* row)
{
    ActivationRow* active = GetActiveRow();
    if (row == active)
        return Done;
    if (!row)
        return LeaveActiveRow();
    if (active && active->BandIdentity() != row->BandIdentity() && !active->BandKeepsPositionMark() &&
        row->HasPendingChanges()) {
        const LONG result = DeactivateActiveRow(true, false);
        return StopsChange(result) ? result : SetActiveRowInternal(row);
    }
    if (row->BandKeepsPositionMark() && active && active->BandKeepsPositionMark() && active->HasPendingChanges()) {
        // The provider takes no update from inside its own position notice:
        // a changed row is left, and written, before the position moves.
        const LONG left = DeactivateActiveRow(true, false);
        if (StopsChange(left))
            return left;
    }
    if (row->BandKeepsPositionMark()) {
        const HRESULT hr = row->SyncBandPosition();
        if (hr != S_OK)
            return hr;
        // The source's notice has activated the row at the new position.
        ActivationRow* now = GetActiveRow();
        if (now && now != active)
            return Done;
        SetActiveRowInternal(row);
        return Done;
    }
    const LONG left = LeaveActiveRow();
    if (StopsChange(left))
        return left;
    SyncParentPosition(row);
    return SetActiveRowInternal(row);
}

void ActiveRowManager::ActivateFirstRow(bool scrollIntoView)
{
    if (!m_host.HasFirstBand())
        return;
    RowReference current(m_host.FirstBandCurrentRow());
    ActivationRow* row = current.Get();
    if (!row) {
        if (m_host.FirstBandKeepsPositionMark()) {
            RowReference first(m_host.FetchFirstRow());
            if (first.Get())
                first.Get()->SyncBandPosition();
        }
        return;
    }
    ControlHolder hold(m_host);
    Clear();
    m_host.FireBeforeRowActivate(row->Dispatch());
    Replace(row);
    if (scrollIntoView)
        m_host.BringRowIntoView(row);
    m_host.FireAfterRowActivate();
}
