// What the selection strategies share: the capture, the start point and
// selecting one item with the events.
#include "SelectOperation.h"

#include "InputDispatcher.h"
#include "InputState.h"

#include <cstdlib>
#include <new>

namespace {

constexpr std::uint32_t kDragMask = 0x5;  // WM_MOUSEMOVE, WM_LBUTTONUP
constexpr int kDragDistance = 4;

} // namespace

bool IsShiftDown()
{
    return CurrentInputState().shift;
}

bool IsCtrlDown()
{
    return CurrentInputState().ctrl;
}

bool IsPrimaryButtonDown()
{
    return CurrentInputState().primaryButton;
}

SelectOperation::~SelectOperation()
{
    if (id_)
        EndMouseSelect();
}

bool SelectOperation::AcceptsKeyTarget(SelectableTarget* item, bool, bool)
{
    return item && item->IsTabStop();
}

bool SelectOperation::AllowsStepAcrossBands(bool)
{
    return true;
}

void SelectOperation::EndMouseSelect()
{
    if (id_ && dispatcher_)
        dispatcher_->Unregister(id_);
    id_ = 0;
    dispatcher_ = nullptr;
    host_.DisarmAutoScroll();
}

LRESULT SelectOperation::CancelMode()
{
    const bool dragging = id_ != 0;
    EndMouseSelect();
    if (dragging) {
        host_.KillSelectionDragTimer();
        host_.EndVisibleRowsSelectionUpdate();
    }
    return 0;
}

void SelectOperation::RegisterCapture()
{
    EndMouseSelect();
    InputDispatcher* dispatcher = host_.SelectionDispatcher();
    if (dispatcher && dispatcher->RegisterMouseSink(this, &id_, true, kDragMask))
        dispatcher_ = dispatcher;
    else
        id_ = 0;
}

bool SelectOperation::MovedFromStart()
{
    const POINT now = host_.CursorPos();
    return std::abs(now.x - start_.x) >= kDragDistance || std::abs(now.y - start_.y) >= kDragDistance;
}

LONG SelectOperation::EventKind(SelectableTarget* item)
{
    const LONG kind = item->GetKind();
    return kind == SelectableTarget::Group ? SelectableTarget::Column : kind;
}

bool SelectOperation::IsHeader(SelectableTarget* item)
{
    const LONG kind = item->GetKind();
    return kind == SelectableTarget::Column || kind == SelectableTarget::Group;
}

std::unique_ptr<SelectionSet> SelectOperation::MakeSelection(SelectableTarget* item, const SelectionSet& current,
                                                             bool keep)
{
    auto selection = std::unique_ptr<SelectionSet>(new (std::nothrow) SelectionSet);
    if (!selection)
        return nullptr;
    selection->Add(item);
    if (keep)
        selection->KeepOthers(current, item->GetKind());
    return selection;
}

HRESULT SelectOperation::SelectWithEvents(SelectableTarget* item, bool keepSameKind, bool fireEvents)
{
    if (item->IsSelected())
        return S_OK;
    const LONG kind = EventKind(item);
    std::unique_ptr<SelectionSet> wouldBe;
    const bool events = fireEvents && host_.CanFireSelectEvents(item);
    try {
        if (events) {
            wouldBe = MakeSelection(item, host_.CurrentSelection(), true);
            if (!wouldBe)
                return E_OUTOFMEMORY;
            if (host_.FireBeforeSelectChange(kind, *wouldBe))
                return 1;
        }
        item_ = item;
        host_.ClearSelectionsForKind(kind, keepSameKind, false);
        item->SetSelected(true);
        if (!events) {
            // Items of the kind that were kept stay in the list too.
            host_.AddSelectedQuietly(item, !keepSameKind);
            return S_OK;
        }
        host_.AdoptSelection(*wouldBe);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    host_.FireAfterSelectChange(kind);
    return S_OK;
}

LRESULT SelectOperationEx::CancelMode()
{
    SelectOperation::CancelMode();
    state_ = Idle;
    return 0;
}

void SelectOperationEx::SetState(std::uint32_t state)
{
    state_ = state;
    if (state == Idle)
        EndMouseSelect();
}
