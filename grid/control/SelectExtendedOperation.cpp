// Selecting ranges and toggling items.
#include "SelectExtendedOperation.h"

#include <algorithm>
#include <new>
#include <unordered_set>

namespace {

bool IsRowOrCell(LONG kind)
{
    return kind == SelectableTarget::Row || kind == SelectableTarget::Cell;
}

} // namespace

SelectExtendedOperation::~SelectExtendedOperation()
{
    ReleaseDragEnd();
    DropSaved();
}

bool SelectExtendedOperation::CtrlInEffect()
{
    return (host_.IsCtrlDown() && !host_.CtrlReleasedFlag()) || host_.CtrlHeldFlag();
}

bool SelectExtendedOperation::MatchesPivot(SelectableTarget* item)
{
    SelectableTarget* pivot = host_.GetSelectionPivot(item);
    return !pivot || (pivot->GetKind() == item->GetKind() && pivot->GetBand() == item->GetBand());
}

bool SelectExtendedOperation::AcceptsKeyTarget(SelectableTarget* item, bool shift, bool ctrl)
{
    if (!SelectOperation::AcceptsKeyTarget(item, shift, ctrl))
        return false;
    return !(shift || ctrl) || MatchesPivot(item);
}

bool SelectExtendedOperation::LimitReached(SelectableTarget* item)
{
    const LONG kind = item->GetKind();
    if (!IsRowOrCell(kind))
        return false;
    const LONG limit = item->SelectionLimit();
    return limit >= 1 && static_cast<LONG>(host_.CurrentSelection().Of(kind).size()) >= limit;
}

void SelectExtendedOperation::SetDragEnd(SelectableTarget* item)
{
    if (item) {
        item->AddRefTarget();
        if (SelectableTarget* row = item->GetRow())
            row->AddRefTarget();
    }
    ReleaseDragEnd();
    dragEnd_ = item;
    dragEndRow_ = item ? item->GetRow() : nullptr;
}

void SelectExtendedOperation::ReleaseDragEnd()
{
    if (dragEndRow_)
        dragEndRow_->ReleaseTarget();
    if (dragEnd_)
        dragEnd_->ReleaseTarget();
    dragEnd_ = nullptr;
    dragEndRow_ = nullptr;
}

void SelectExtendedOperation::DropSaved()
{
    if (!saved_)
        return;
    for (SelectableTarget* item : saved_->rows)
        item->SetSavedMark(false);
    for (SelectableTarget* item : saved_->cells)
        item->SetSavedMark(false);
    saved_.reset();
}

void SelectExtendedOperation::SaveSelection(LONG kind)
{
    const SelectionSet& current = host_.CurrentSelection();
    if (current.Of(kind).empty())
        return;
    saved_.reset(new (std::nothrow) SelectionSet(current));
    if (!saved_)
        return;
    for (SelectableTarget* item : saved_->rows)
        item->SetSavedMark(true);
    for (SelectableTarget* item : saved_->cells)
        item->SetSavedMark(true);
}

std::unique_ptr<SelectionSet> SelectExtendedOperation::MakeSelection(SelectableTarget* item,
                                                                     const SelectionSet& current, bool keep)
{
    auto selection = std::unique_ptr<SelectionSet>(new (std::nothrow) SelectionSet);
    if (!selection)
        return nullptr;
    if (keep) {
        selection->Of(item->GetKind()) = current.Of(item->GetKind());
        selection->KeepOthers(current, item->GetKind());
    }
    if (selectMode_)
        selection->Add(item);
    else
        selection->Remove(item);
    return selection;
}

std::unique_ptr<SelectionSet> SelectExtendedOperation::RangeSelection(SelectableTarget* item,
                                                                      const SelectionSet& current, bool ctrl,
                                                                      SelectionSet* rangeLists)
{
    SelectableTarget* pivot = host_.GetSelectionPivot(item);
    auto selection = std::unique_ptr<SelectionSet>(new (std::nothrow) SelectionSet);
    if (!pivot || !selection)
        return nullptr;
    const LONG kind = item->GetKind();
    const bool merge = ctrl && saved_;
    const LONG counted = merge && IsRowOrCell(kind) ? static_cast<LONG>(saved_->Of(kind).size()) : 0;
    SelectionSet::List range;
    const HRESULT hr = host_.FillRange(pivot, item, counted, range);
    if (hr == TooManyItems)
        host_.ReportTooManyItems();
    if (FAILED(hr))
        return nullptr;
    if (ctrl)
        selection->KeepOthers(current, kind);
    if (rangeLists)
        rangeLists->Of(kind) = range;
    if (!merge) {
        selection->Of(kind) = range;
        return selection;
    }
    SelectionSet::List& list = selection->Of(kind);
    list = saved_->Of(kind);
    for (SelectableTarget* saved : list)
        saved->SetSelected(true);
    // Membership by set: a range of thousands merges in one pass.
    std::unordered_set<SelectableTarget*> listed(list.begin(), list.end());
    std::unordered_set<SelectableTarget*> leaving;
    for (SelectableTarget* ranged : range) {
        if (IsRowOrCell(kind) && ranged == pivot)
            continue;
        ranged->SetSelected(selectMode_);
        if (ranged->GetKind() == SelectableTarget::Group) {
            // A group stands for its columns.
            if (selectMode_)
                selection->Add(ranged);
            else
                selection->Remove(ranged);
            listed = std::unordered_set<SelectableTarget*>(list.begin(), list.end());
        } else if (selectMode_) {
            if (listed.insert(ranged).second)
                list.push_back(ranged);
        } else {
            leaving.insert(ranged);
        }
    }
    if (!leaving.empty())
        list.erase(std::remove_if(list.begin(), list.end(), [&](SelectableTarget* item) { return leaving.count(item) != 0; }),
                   list.end());
    return selection;
}

bool SelectExtendedOperation::PressState(SelectableTarget* item, bool shift, bool ctrl)
{
    const bool selected = item->IsSelected() || item->IsSelectedThroughColumns();
    const bool movable = selected && item->CanDragMove();
    if (!selected) {
        state_ = Extending;
    } else if (movable) {
        state_ = PressedMovable;
    } else if (ctrl) {
        state_ = Extending;
    } else {
        state_ = PressedUnmovable;
        host_.StartSelectionDragTimer();
    }
    if (shift && (state_ == PressedMovable || state_ == PressedUnmovable))
        return false;
    SelectableTarget* pivotBefore = host_.GetSelectionPivot(item);
    host_.SetSelectionPivot(item, shift);
    if (movable || (!ctrl && selected))
        return false;
    if (ctrl) {
        state_ = CtrlToggling;
        // Ctrl toggles the item; Shift+Ctrl gives the range the state of
        // the pivot it starts from.
        selectMode_ = shift && pivotBefore ? pivotBefore->IsSelected() : !item->IsSelected();
        host_.BeginVisibleRowsSelectionUpdate();
    }
    return true;
}

void SelectExtendedOperation::BeginMouseSelect(SelectableTarget* item, bool drag, bool shiftAllowed, bool byTab)
{
    if (!item)
        return;
    const bool shift = shiftAllowed && host_.IsShiftDown();
    const bool ctrl = CtrlInEffect();
    if ((shift || ctrl) && !MatchesPivot(item))
        return;
    ctrlMode_ = ctrl;
    SetDragEnd(item);
    selectMode_ = true;
    TakeStartPoint();
    item_ = item;
    if (drag)
        RegisterCapture();
    if (item->ActivateOnClick(drag, byTab)) {
        if (drag)
            EndMouseSelect();
        return;
    }
    skipMove_ = true;
    if (!drag) {
        host_.SetSelectionPivot(item, shift);
        if (host_.CtrlHeldFlag())
            selectMode_ = !item->IsSelected();
    } else if (!PressState(item, shift, ctrl)) {
        return;
    }
    PressSelect(item, drag, shift, ctrl, byTab);
}

void SelectExtendedOperation::PressSelect(SelectableTarget* item, bool drag, bool shift, bool ctrl, bool byTab)
{
    const LONG kind = item->GetKind();
    if (selectMode_ && ctrl && LimitReached(item)) {
        host_.ReportTooManyItems();
        if (drag) {
            host_.EndVisibleRowsSelectionUpdate();
            SetState(Idle);
        }
        return;
    }
    DropSaved();
    if (ctrl)
        SaveSelection(kind);

    const SelectionSet& current = host_.CurrentSelection();
    std::unique_ptr<SelectionSet> wouldBe;
    if (shift) {
        wouldBe = RangeSelection(item, current, ctrl, nullptr);
        if (!wouldBe)
            return;
        SelectableTarget* pivot = host_.GetSelectionPivot(item);
        if (pivot && pivot->IsSelected())
            wouldBe->Add(pivot);
        if (*wouldBe == current)
            return;
    } else {
        const SelectionSet::List& same = current.Of(kind);
        if (!ctrl && drag && same.size() == 1 && same.front() == item && item->IsSelected())
            return;
        wouldBe = MakeSelection(item, current, ctrl);
        if (!wouldBe)
            return;
    }

    const LONG eventKind = EventKind(item);
    const bool events = host_.CanFireSelectEvents(item);
    if (events && (host_.FireBeforeSelectChange(eventKind, *wouldBe) || !item->IsLive()))
        return;
    if (shift) {
        host_.ApplySelection(*wouldBe, selectMode_, nullptr);
    } else {
        host_.ClearSelectionsForKind(eventKind, ctrl, !ctrl);
        if (!ctrl || (!drag && !host_.CtrlHeldFlag())) {
            if (!item->ActivateByKey(byTab))
                item->SetSelected(true);
        } else {
            item->SetSelected(!item->IsSelected());
        }
        host_.AdoptSelection(*wouldBe);
    }
    if (events)
        host_.FireAfterSelectChange(eventKind);
}

LRESULT SelectExtendedOperation::OnMouseMove(UINT, int x, int y, bool&)
{
    if (!item_)
        return 0;
    if (state_ == PressedUnmovable && host_.SelectionDragCancelled()) {
        EndMouseSelect();
        state_ = Extending;
        return 0;
    }
    bool moved = false;
    if ((state_ == PressedMovable || state_ == PressedUnmovable) && MovedFromStart()) {
        if (state_ == PressedMovable) {
            SelectableTarget* item = item_;
            EndMouseSelect();
            state_ = Extending;
            item->BeginHeaderDrag();
            return 0;
        }
        host_.KillSelectionDragTimer();
        moved = true;
    }
    if (skipMove_ || !host_.IsPrimaryButtonDown()) {
        skipMove_ = false;
        return 0;
    }
    host_.ArmAutoScroll(x, y, IsHeader(item_));
    SelectableTarget* under = host_.SelectableItemAtPoint(x, y, item_);
    if (!under)
        return 0;
    if (moved || host_.SelectionDragPending()) {
        state_ = Extending;
        return Extend(under);
    }
    if (under == dragEnd_ || !host_.GetSelectionPivot(under) || !MatchesPivot(under))
        return 0;
    return Extend(under);
}

LRESULT SelectExtendedOperation::Extend(SelectableTarget* item)
{
    SetDragEnd(item);
    std::unique_ptr<SelectionSet> rangeLists;
    if (ctrlMode_) {
        rangeLists.reset(new (std::nothrow) SelectionSet);
        if (!rangeLists)
            return 0;
    }
    const SelectionSet& current = host_.CurrentSelection();
    const auto wouldBe = RangeSelection(item, current, ctrlMode_, rangeLists.get());
    if (!wouldBe)
        return 0;
    SelectableTarget* pivot = host_.GetSelectionPivot(item);
    if (pivot && pivot->IsSelected())
        wouldBe->Add(pivot);
    if (item->ActivateOnClick(true, false))
        return 1;
    if (*wouldBe == current)
        return 0;
    const LONG kind = EventKind(item);
    const bool events = host_.CanFireSelectEvents(item);
    if (events && host_.FireBeforeSelectChange(kind, *wouldBe))
        return 1;
    host_.ApplySelection(*wouldBe, selectMode_, rangeLists.get());
    if (events)
        host_.FireAfterSelectChange(kind);
    skipMove_ = true;
    return 0;
}

LRESULT SelectExtendedOperation::OnLButtonUp(UINT, int x, int y, bool&)
{
    skipMove_ = false;
    if (state_ != PressedMovable && state_ != PressedUnmovable) {
        EndMouseSelect();
        state_ = Extending;
        host_.EndVisibleRowsSelectionUpdate();
        return 0;
    }
    EndMouseSelect();
    if (state_ == PressedUnmovable)
        host_.KillSelectionDragTimer();
    ReleaseOnSelected(x, y);
    return 0;
}

// A press on a selected item that did not move: the item under the release
// becomes the selection (Ctrl: toggles).
void SelectExtendedOperation::ReleaseOnSelected(int x, int y)
{
    state_ = Idle;
    SelectableTarget* under = dragEnd_ ? host_.SelectableItemAtPoint(x, y, dragEnd_) : nullptr;
    if (!under || under->GetKind() != dragEnd_->GetKind())
        return;
    host_.SetSelectionPivot(under, false);
    if (ctrlMode_)
        selectMode_ = !under->IsSelected();
    const SelectionSet& current = host_.CurrentSelection();
    const auto wouldBe = MakeSelection(under, current, ctrlMode_);
    if (!wouldBe || *wouldBe == current)
        return;
    const LONG kind = EventKind(under);
    const bool events = host_.CanFireSelectEvents(under);
    if (events && host_.FireBeforeSelectChange(kind, *wouldBe))
        return;
    if (!ctrlMode_) {
        host_.ClearSelectionsForKind(kind, false, true);
        under->SetSelected(true);
    } else {
        under->SetSelected(selectMode_);
    }
    host_.AdoptSelection(*wouldBe);
    if (events)
        host_.FireAfterSelectChange(kind);
}

HRESULT SelectExtendedOperation::SetObjectSelected(SelectableTarget* item, bool fireEvents)
{
    if (item->GetKind() == SelectableTarget::Group) {
        SelectionSet::List columns;
        item->GetGroupColumns(columns);
        if (columns.empty())
            return S_OK;
    }
    if (item->IsSelected())
        return S_OK;
    if (LimitReached(item))
        return TooManyItems;
    SelectableTarget* pivot = host_.GetSelectionPivot(item);
    if (pivot && pivot->GetKind() == item->GetKind() && pivot->GetBand() != item->GetBand())
        return OtherBand;
    selectMode_ = true;
    return SelectWithEvents(item, true, fireEvents);
}
