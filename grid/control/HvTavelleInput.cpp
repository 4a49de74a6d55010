// The grid control's members that its input parts share: items that
// selection passes over, a cell's column, the start of a header drag, the
// drag tracker and the shared drop-down list, the point of the mouse message
// being handled, and the selection changes of single objects (deselecting,
// header presses).
#include "HvTavelle.h"

#include "CControlDropDown.h"
#include "ColumnBandSeam.h"
#include "ControlSwapList.h"
#include "ColumnMoveOperation.h"
#include "ControlHeaderDragHost.h"
#include "ControlSelectionHost.h"
#include "DragTracker.h"
#include "EventEnableMask.h"
#include "GroupMoveOperation.h"
#include "HvBand.h"
#include "HvCell.h"
#include "HvColumn.h"
#include "HvGroup.h"
#include "HvHeader.h"
#include "HvLayout.h"
#include "HvSelected.h"
#include "SelectNoneOperation.h"

namespace {

constexpr LONG kActivationDisabled = 2;
constexpr LONG kGroupKind = 99;

} // namespace

bool HvTavelle::IsItemHiddenOrDisabled(HvSelectableItem* item)
{
    if (!item)
        return true;
    if (auto* row = dynamic_cast<HvRow*>(item))
        return row->IsHidden() || row->GetActivation() == kActivationDisabled;
    if (auto* cell = dynamic_cast<HvCell*>(item))
        return cell->ResolvedActivation() == kActivationDisabled ||
               IsItemHiddenOrDisabled(cell->RowItem());
    if (auto* column = dynamic_cast<HvColumn*>(item))
        return column->IsHiddenItem() || column->IsDisabledItem();
    if (auto* group = dynamic_cast<HvGroup*>(item))
        return group->IsHiddenItem() || group->IsDisabledItem();
    return false;
}

HvSelectableItem* HvTavelle::ColumnOfCell(HvSelectableItem* cell)
{
    auto* own = cell ? dynamic_cast<HvCell*>(cell) : nullptr;
    IHvColumn* column = nullptr;
    if (!own || FAILED(own->get_Column(&column)) || !column)
        return nullptr;
    HvSelectableItem* item = HvSelectableItem::FromKeyed(HvKeyedItem::FromObject(column));
    column->Release(); // the cell's column lives while the cell does
    return item;
}

POINT HvTavelle::MessageCursorPos()
{
    POINT point{};
    if (messagePointKnown_ && m_window) {
        point = messagePoint_;
        ClientToScreen(m_window, &point);
        return point;
    }
    GetCursorPos(&point);
    return point;
}

CDragTracker* HvTavelle::GetDragTracker()
{
    if (!dragTracker_ && dispatcher_)
        dragTracker_ = std::make_unique<CDragTracker>(headerDrags_.get(), dispatcher_.get());
    return dragTracker_.get();
}

CSimpleDropDown* HvTavelle::GetDropDownList(bool create)
{
    if (!dropDownList_ && create && m_window) {
        if (!swapList_)
            swapList_ = std::make_unique<ControlSwapList>();
        auto list = std::make_unique<CControlDropDown>(m_window, swapList_.get());
        if (list->IsCreated())
            dropDownList_ = std::move(list);
    }
    return dropDownList_.get();
}

void HvTavelle::PressSwapButton(HvColumnGroupImpl* item, const RECT& header)
{
    if (!item || !m_window)
        return;
    // An editor that refuses to leave keeps the press.
    if (LeaveEditMode(false))
        return;
    HvHeader* owned = item->Header();
    if (!owned || !owned->IsSwappingAvailable() || !item->CanSwap())
        return;
    CSimpleDropDown* list = GetDropDownList(true);
    ColumnBandSeam* band = item->Band();
    if (list && swapList_)
        swapList_->Toggle(*list, item, header, band ? band->HeaderFont() : nullptr, m_window);
}

bool HvTavelle::IsSwapListOpenFor(HvColumnGroupImpl* item)
{
    return swapList_ && swapList_->IsOpenFor(item);
}

void HvTavelle::BeginHeaderDrag(HvSelectableItem* item)
{
    const LONG kind = SelectableKind(item);
    auto* header = dynamic_cast<HvColumnGroupImpl*>(item);
    auto* band = item ? dynamic_cast<HvBand*>(item->OwnerBand()) : nullptr;
    CDragTracker* tracker = GetDragTracker();
    if (!header || !band || !tracker || !m_window || (kind != 2 && kind != kGroupKind))
        return;
    HeaderDragOperation* operation = nullptr;
    if (kind == kGroupKind)
        operation = new GroupMoveOperation(band, headerDrags_.get());
    else
        operation = new ColumnMoveOperation(band, headerDrags_.get());
    // The operation lives by its reference count: the tracker takes one.
    if (operation->Begin(header) && tracker->SetOperation(operation, false, m_window))
        tracker->Start();
    operation->Release();
}

void HvTavelle::PressHeader(HvSelectableItem* item)
{
    if (SelectableTarget* target = selection_->Targets().For(item))
        selection_->HeaderOperation().BeginMouseSelect(target, true, true, false);
}

// Unselecting one object: the selection without it is offered to
// BeforeSelectChange, then taken; a group's columns leave together.
HRESULT HvTavelle::DeselectItem(HvSelectableItem* item, bool fireEvents)
{
    const LONG kind = SelectableKind(item);
    SelectableTarget* target = selection_->Targets().For(item);
    if (kind < 0 || !target)
        return E_INVALIDARG;
    if (!GetSelectedObject(true) || GetSelectedObject(false) != selected_)
        return E_OUTOFMEMORY;
    CUnknownObject::AddRef();
    struct Hold {
        HvTavelle* control;
        CAutomationObject* item;
        ~Hold()
        {
            item->Release();
            control->CUnknownObject::Release();
        }
    } hold{this, item->KeyedItem()->GetItemObject()};
    hold.item->AddRef();

    SelectionSet wouldBe = selection_->CurrentSelection();
    wouldBe.Remove(target);
    const bool events = fireEvents && layout_ && gate_ && layout_->CanFireEvents(false);
    if (events && selection_->FireBeforeSelectChange(kind, wouldBe))
        return 1;
    if (!CAutomationObject::IsActive(hold.item))
        return S_OK;
    item->SetSelected(false);
    selection_->AdoptSelection(wouldBe);
    if (events)
        selection_->FireAfterSelectChange(kind);
    return S_OK;
}
