// The selection drag timer and list stepping of the control.
#include "SelectionDragSupport.h"

#include "ListLink.h"

bool SelectionDragSupport::StartSelectionDragTimer()
{
    dragStarted = 0;
    dragMoved = 0;
    const HWND window = m_host.GetGridWindow();
    return window && SetTimer(window, TimerId, TimerInterval, nullptr) != 0;
}

void AdvanceListPosition(ListLink*& position, short count)
{
    for (; count > 0 && position; --count)
        position = position->Next();
    for (; count < 0 && position; ++count)
        position = position->Prev();
}
