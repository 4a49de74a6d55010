// Pressing items where nothing may be selected.
#include "SelectNoneOperation.h"

void SelectNoneOperation::BeginMouseSelect(SelectableTarget* item, bool drag, bool, bool byTab)
{
    if (!item)
        return;
    TakeStartPoint();
    if (drag)
        RegisterCapture();
    item->ActivateOnClick(drag, byTab);
    item_ = item;
}

LRESULT SelectNoneOperation::OnMouseMove(UINT, int, int, bool&)
{
    if (item_ && IsRegistered() && MovedFromStart()) {
        SelectableTarget* item = item_;
        // The header drag takes the mouse over.
        EndMouseSelect();
        item->BeginHeaderDrag();
    }
    return 0;
}

LRESULT SelectNoneOperation::OnLButtonUp(UINT, int, int, bool&)
{
    EndMouseSelect();
    return 0;
}

HRESULT SelectNoneOperation::SetObjectSelected(SelectableTarget* item, bool)
{
    return host_.RaiseSelectError(item, SelectError, NoneString);
}

LRESULT ControlSelectOperation::OnLButtonUp(UINT keys, int x, int y, bool& handled)
{
    const bool pressed = IsRegistered();
    SelectNoneOperation::OnLButtonUp(keys, x, y, handled);
    if (pressed && item_)
        item_->OnHeaderClick();
    return 0;
}
