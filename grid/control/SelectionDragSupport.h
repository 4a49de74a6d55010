// SelectionDragSupport: the control's part in a mouse selection: the
// selected look of the visible rows repainted once per step, the timer
// that starts a selection drag, and the two bytes the window procedure
// reads while one runs. The control holds one.
#pragma once

#include <windows.h>

class SelectionDragHost
{
public:
    virtual HWND GetGridWindow() = 0;
    // Starts and ends the deferred update of the selected look of the
    // active row scroll region's visible rows; nothing without a region.
    virtual void BeginDeferredSelectedLook() = 0;
    virtual void EndDeferredSelectedLook() = 0;

protected:
    ~SelectionDragHost() = default;
};

class SelectionDragSupport
{
public:
    static constexpr UINT_PTR TimerId = 1481;
    static constexpr UINT TimerInterval = 500;

    // host is not owned.
    explicit SelectionDragSupport(SelectionDragHost& host) : m_host(host) {}

    void BeginVisibleRowsSelectionUpdate() { m_host.BeginDeferredSelectedLook(); }
    void EndVisibleRowsSelectionUpdate() { m_host.EndDeferredSelectedLook(); }
    // Clears the two drag bytes and starts the timer on the grid window;
    // false without a window or when the timer could not be set.
    bool StartSelectionDragTimer();

    // Read and set by the window procedure.
    BYTE dragStarted = 0;
    BYTE dragMoved = 0;

private:
    SelectionDragHost& m_host;
};

class ListLink;

// Moves position count nodes forward (positive) or back (negative); the
// caller keeps the count within the list.
void AdvanceListPosition(ListLink*& position, short count);
