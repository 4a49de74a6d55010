// The grid control's side of its input parts.
#include "ControlInputHost.h"

#include "ControlEditor.h"
#include "EditColumnSeam.h"
#include "EventEnableMask.h"
#include "HvGridUIElement.h"
#include "HvLayout.h"
#include "HvTavelle.h"
#include "InputMask.h"
#include "ToolTipWindow.h"

namespace {

ControlInputHost::KeyActionPerformer g_performer = nullptr;

} // namespace

ControlInputHost::KeyActionPerformer ControlInputHost::SetKeyActionPerformer(KeyActionPerformer performer)
{
    KeyActionPerformer previous = g_performer;
    g_performer = performer;
    return previous;
}

CControlBase* ControlInputHost::InputControl()
{
    return &control_;
}

HWND ControlInputHost::GetGridWindow()
{
    return control_.ControlWindow();
}

bool ControlInputHost::ActiveCellHasMaskEngine()
{
    HvCell* cell = control_.GetActiveCell();
    EditColumnSeam* column = cell ? control_.Editor().ColumnOf(cell) : nullptr;
    InputMask* mask = column ? column->Mask() : nullptr;
    return mask && mask->IsMaskEngineReady();
}

HWND ControlInputHost::GetDropDownCalendar()
{
    return control_.Editor().Editor().Calendar().Handle();
}

bool ControlInputHost::IsPointInGridArea(int x, int y)
{
    HWND window = control_.ControlWindow();
    RECT client = {};
    if (!window || !GetClientRect(window, &client))
        return false;
    const POINT point = {x, y};
    return PtInRect(&client, point) != FALSE;
}

InputDispatcher* ControlInputHost::GetInputDispatcher()
{
    return control_.Dispatcher();
}

KeyCellQuery* ControlInputHost::GetActiveCell()
{
    return control_.GetActiveCell() ? this : nullptr;
}

KeyRowQuery* ControlInputHost::GetActiveRow()
{
    return control_.GetActiveRow() ? this : nullptr;
}

int ControlInputHost::GetTabNavigation()
{
    return control_.Layout() ? control_.Layout()->TabNavigation() : 0;
}

HWND ControlInputHost::GetEditWindow()
{
    return control_.Layout() ? control_.Layout()->EditWindow() : nullptr;
}

void ControlInputHost::PerformKeyActionFromKeyboard(std::uint32_t action, bool shift, bool ctrl, bool& handled)
{
    if (g_performer)
        g_performer(control_, action, shift, ctrl, handled);
}

bool ControlInputHost::IsDesignMode()
{
    return control_.IsDesignMode();
}

bool ControlInputHost::HasPainted()
{
    return !(control_.ViewFlags() & HvTavelle::ViewFirstPaintPending);
}

HvUIElement* ControlInputHost::GetRootUIElement()
{
    return control_.GetRootElement(false);
}

EventEnableMask& ControlInputHost::EventGate()
{
    return *control_.Gate();
}

bool ControlInputHost::RequestTipHover()
{
    if (!control_.GetControlToolTip() || !control_.Layout())
        return false;
    return control_.TipWindow() &&
           control_.TipWindow()->TrackMouseEvent(TME_HOVER, static_cast<DWORD>(control_.Layout()->TipDelay()));
}

bool ControlInputHost::IsInEditMode()
{
    HvCell* cell = control_.GetActiveCell();
    return cell && cell->IsInEditMode();
}

bool ControlInputHost::HasPrevSibling()
{
    HvRow* row = control_.GetActiveRow();
    return row && row->HasPrevSiblingCached(true);
}

bool ControlInputHost::HasPrevSiblingSpanningBands()
{
    HvRow* row = control_.GetActiveRow();
    return row && row->HasPrevSiblingSpanningBandsCached(true);
}

bool ControlInputHost::HasNextSibling()
{
    HvRow* row = control_.GetActiveRow();
    return row && row->HasNextSiblingCached(true);
}

bool ControlInputHost::HasNextSiblingSpanningBands()
{
    HvRow* row = control_.GetActiveRow();
    return row && row->HasNextSiblingSpanningBandsCached(true);
}

bool ControlInputHost::IsExpanded()
{
    HvRow* row = control_.GetActiveRow();
    return row && row->IsExpanded() && row->CanShowChildRows();
}

bool ControlInputHost::IsExpandable()
{
    HvRow* row = control_.GetActiveRow();
    return row && row->CanShowChildRows();
}

bool ControlInputHost::HasParentRow()
{
    HvRow* row = control_.GetActiveRow();
    return row && row->GetParentRow();
}
