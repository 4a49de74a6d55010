// Selecting one item at a time.
#include "SelectSingleOperation.h"

void SelectSingleOperation::BeginMouseSelect(SelectableTarget* item, bool drag, bool, bool byTab)
{
    if (!item)
        return;
    TakeStartPoint();
    const bool ctrl = host_.IsCtrlDown();
    item_ = item;
    if (drag) {
        RegisterCapture();
        skipMove_ = false;
    }
    if (item->ActivateOnClick(drag, byTab)) {
        if (drag)
            EndMouseSelect();
        return;
    }
    if (item->GetKind() == SelectableTarget::Group) {
        if (drag)
            state_ = PressedMovable;
        return;
    }
    skipMove_ = true;
    if (drag && item->IsSelected()) {
        state_ = item->CanDragMove() ? PressedMovable : PressedSelected;
        return;
    }
    state_ = Selecting;
    const LONG kind = EventKind(item);
    const auto wouldBe = MakeSelection(item, host_.CurrentSelection(), ctrl);
    if (!wouldBe)
        return;
    const bool events = host_.CanFireSelectEvents(item);
    if (events && (host_.FireBeforeSelectChange(kind, *wouldBe) || !item->IsLive()))
        return;
    host_.ClearSelectionsForKind(kind, false, !ctrl);
    if (!item->ActivateByKey(byTab))
        item->SetSelected(true);
    host_.AdoptSelection(*wouldBe);
    if (events)
        host_.FireAfterSelectChange(kind);
}

bool SelectSingleOperation::MoveSelectionTo(SelectableTarget* item, bool keep)
{
    const LONG kind = EventKind(item);
    const auto wouldBe = MakeSelection(item, host_.CurrentSelection(), keep);
    if (!wouldBe)
        return false;
    const bool events = host_.CanFireSelectEvents(item);
    if (events && host_.FireBeforeSelectChange(kind, *wouldBe))
        return true;
    item_ = item;
    host_.ClearSelectionsForKind(kind, false, !keep);
    item->SetSelected(true);
    host_.AdoptSelection(*wouldBe);
    if (events)
        host_.FireAfterSelectChange(kind);
    skipMove_ = true;
    return false;
}

LRESULT SelectSingleOperation::OnMouseMove(UINT keys, int x, int y, bool&)
{
    if (!item_)
        return 0;
    if (state_ == PressedMovable && MovedFromStart()) {
        SelectableTarget* item = item_;
        EndMouseSelect();
        item->BeginHeaderDrag();
        return 0;
    }
    host_.ArmAutoScroll(x, y, IsHeader(item_));
    if (skipMove_ || !host_.IsPrimaryButtonDown()) {
        skipMove_ = false;
        return 0;
    }
    SelectableTarget* under = host_.SelectableItemAtPoint(x, y, item_);
    if (!under || under == item_ || under->GetKind() != item_->GetKind())
        return 0;
    return MoveSelectionTo(under, (keys & MK_CONTROL) != 0) ? 1 : 0;
}

LRESULT SelectSingleOperation::OnLButtonUp(UINT, int, int, bool&)
{
    skipMove_ = false;
    if (item_ && state_ == PressedSelected && item_->GetKind() == SelectableTarget::Cell)
        item_->EnterEditMode();
    SetState(Idle);
    return 0;
}

HRESULT SelectSingleOperation::SetObjectSelected(SelectableTarget* item, bool fireEvents)
{
    if (item->GetKind() == SelectableTarget::Group) {
        SelectionSet::List columns;
        item->GetGroupColumns(columns);
        if (columns.size() > 1)
            return host_.RaiseSelectError(item, SelectError, SingleGroupString);
        if (columns.empty())
            return S_OK;
    }
    return SelectWithEvents(item, false, fireEvents);
}
