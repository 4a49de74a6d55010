// Automatic scrolling while a drag holds the mouse button: timer 398 for
// rows and 399 for columns, at the interval the active scroll region asks
// for at the cursor.
#include "HvTavelle.h"

#include "InputState.h"

namespace {

HvTavelle::AutoScrollHooks g_hooks;

bool PrimaryButtonDown()
{
    return CurrentInputState().primaryButton;
}

} // namespace

HvTavelle::AutoScrollHooks HvTavelle::SetAutoScrollHooks(const AutoScrollHooks& hooks)
{
    AutoScrollHooks previous = g_hooks;
    g_hooks = hooks;
    return previous;
}

void HvTavelle::StartRowAutoScrollTimer(UINT period)
{
    StopRowAutoScrollTimer();
    rowPeriod_ = period;
    if (m_window && SetTimer(m_window, RowScrollTimer, period, nullptr))
        rowTimer_ = RowScrollTimer;
}

void HvTavelle::StartColAutoScrollTimer(UINT period)
{
    StopColAutoScrollTimer();
    colPeriod_ = period;
    if (m_window && SetTimer(m_window, ColScrollTimer, period, nullptr))
        colTimer_ = ColScrollTimer;
}

void HvTavelle::StopRowAutoScrollTimer()
{
    if (rowTimer_ && m_window)
        KillTimer(m_window, rowTimer_);
    rowTimer_ = 0;
}

void HvTavelle::StopColAutoScrollTimer()
{
    if (colTimer_ && m_window)
        KillTimer(m_window, colTimer_);
    colTimer_ = 0;
}

void HvTavelle::ArmAutoScroll(int x, int y, bool noRows)
{
    viewFlags_ |= ViewAutoScrollArmed;
    dragPoint_ = POINT{x, y};
    hasDragPoint_ = true;
    UINT interval = 0;
    if (!rowTimer_ && !noRows && g_hooks.interval && GetActiveRowScrollRegion() &&
        g_hooks.interval(GetActiveRowScrollRegion(), true, x, y, &interval))
        AutoScrollTick(true, false, interval);
    if (!colTimer_ && g_hooks.interval && GetActiveColScrollRegion(false) &&
        g_hooks.interval(GetActiveColScrollRegion(false), false, x, y, &interval))
        AutoScrollTick(false, false, interval);
}

void HvTavelle::DisarmAutoScroll()
{
    StopRowAutoScrollTimer();
    StopColAutoScrollTimer();
    viewFlags_ &= static_cast<BYTE>(~ViewAutoScrollArmed);
    hasDragPoint_ = false;
}

POINT HvTavelle::AutoScrollCursor()
{
    if (hasDragPoint_)
        return dragPoint_;
    POINT cursor = {};
    GetCursorPos(&cursor);
    if (m_window)
        ScreenToClient(m_window, &cursor);
    return cursor;
}

void HvTavelle::AutoScrollTick(bool rows, bool fromTimer, UINT period)
{
    if (!PrimaryButtonDown()) {
        rows ? StopRowAutoScrollTimer() : StopColAutoScrollTimer();
        return;
    }
    ScrollRegionItem* rowRegion = GetActiveRowScrollRegion();
    ScrollRegionItem* colRegion = GetActiveColScrollRegion(false);
    if (!rowRegion || !colRegion || !m_window)
        return;
    ScrollRegionItem* region = rows ? rowRegion : colRegion;
    const POINT cursor = AutoScrollCursor();
    if (!fromTimer) {
        if (g_hooks.toward)
            g_hooks.toward(region, rows, cursor.x, cursor.y, period);
        rows ? StartRowAutoScrollTimer(period) : StartColAutoScrollTimer(period);
        return;
    }
    UINT interval = 0;
    if (!g_hooks.interval || !g_hooks.interval(region, rows, cursor.x, cursor.y, &interval)) {
        rows ? StopRowAutoScrollTimer() : StopColAutoScrollTimer();
        return;
    }
    if (g_hooks.toward)
        g_hooks.toward(region, rows, cursor.x, cursor.y, interval);
    if (interval != (rows ? rowPeriod_ : colPeriod_))
        rows ? StartRowAutoScrollTimer(interval) : StartColAutoScrollTimer(interval);
    SendSyntheticMouseMove();
}

// A mouse move at the cursor with the key states of a real one, so that
// the operation that drags follows what scrolled under it.
void HvTavelle::SendSyntheticMouseMove()
{
    if (!m_window)
        return;
    const POINT cursor = AutoScrollCursor();
    WPARAM keys = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        keys |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0)
        keys |= MK_CONTROL;
    SendMessageW(m_window, WM_MOUSEMOVE, keys, MAKELPARAM(cursor.x, cursor.y));
}
