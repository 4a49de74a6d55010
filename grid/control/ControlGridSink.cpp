// The root element's mouse sink.
#include "ControlGridSink.h"

#include "ControlInputHost.h"
#include "ElementSizeOperation.h"
#include "HvBand.h"
#include "HvColumnGroupImpl.h"
#include "HvGridUIElement.h"
#include "HvHeader.h"
#include "HvLayout.h"
#include "HvTavelle.h"
#include "InputDispatcher.h"
#include "InputState.h"
#include "MouseHoverOperation.h"
#include "ScrollRegionItem.h"

namespace {

HvSelectableItem* SelectableOf(CAutomationObject* object, HvColumnGroupImpl** header)
{
    *header = nullptr;
    if (auto* own = dynamic_cast<HvHeader*>(object)) {
        *header = own->Owner();
        return dynamic_cast<HvSelectableItem*>(own->Owner());
    }
    return dynamic_cast<HvSelectableItem*>(object);
}

} // namespace

ControlGridSink::ControlGridSink(HvTavelle& control) : control_(control)
{
    if (InputDispatcher* dispatcher = control_.Dispatcher())
        if (!dispatcher->RegisterMouseSink(this, &id_, false, Mask))
            id_ = 0;
}

ControlGridSink::~ControlGridSink()
{
    if (id_)
        if (InputDispatcher* dispatcher = control_.Dispatcher())
            dispatcher->Unregister(id_);
}

LRESULT ControlGridSink::OnLButtonDown(UINT keys, int x, int y, bool& handled)
{
    HvGridUIElement* root = control_.GetRootElement(false);
    const POINT point{x, y};
    HvUIElement* element = root ? root->ElementFromPoint(point, UIElementType::Any, false, false) : nullptr;
    if (!element)
        return 0;
    element->AddRef();
    if (auto* rows = dynamic_cast<ScrollRegionItem*>(element->ResolveRowScrollRegion()))
        if (auto* columns = dynamic_cast<ScrollRegionItem*>(element->ResolveColScrollRegion())) {
            control_.SetActiveRowScrollRegion(rows);
            control_.SetActiveColScrollRegion(columns);
        }
    bool consumed = false;
    if (HvUIElement* adjustable = root->AdjustableElementFromPoint(point)) {
        ElementSizeOperation* sizing = nullptr;
        consumed = StartElementSizing(control_.InputHost(), adjustable, point, &sizing);
    }
    if (!consumed) {
        consumed = element->OnMouseDown(point, keys);
        if (!consumed && !control_.IsDesignMode())
            PressObject(element, keys);
    }
    element->Release();
    if (consumed && control_.IsDesignMode()) {
        handled = true;
        return 1;
    }
    return 0;
}

void ControlGridSink::PressObject(HvUIElement* element, UINT keys)
{
    CAutomationObject* context = element->GetContextObject();
    HvColumnGroupImpl* header = nullptr;
    HvSelectableItem* item = SelectableOf(context, &header);
    if (!item || !CAutomationObject::IsActive(context))
        return;
    auto* band = dynamic_cast<HvBand*>(item->OwnerBand());
    const InputState state = CurrentInputState();
    switch (HvTavelle::SelectableKind(item)) {
    case 1:
        control_.ClickSelectCell(item, true, state.ctrl || (keys & MK_CONTROL) != 0);
        break;
    case 0:
        if (band)
            band->InvokeRowSelectStrategy(item, 1, 0);
        break;
    default:
        if (band && header)
            band->HandleHeaderClick(header, true);
        break;
    }
}

LRESULT ControlGridSink::OnLButtonUp(UINT, int x, int y, bool&)
{
    HvGridUIElement* root = control_.GetRootElement(false);
    const POINT point{x, y};
    if (HvUIElement* element = root ? root->ElementFromPoint(point, UIElementType::Any, false, false) : nullptr)
        element->OnMouseUp(point);
    return 0;
}

LRESULT ControlGridSink::OnLButtonDblClk(UINT keys, int x, int y, bool& handled)
{
    HvGridUIElement* root = control_.GetRootElement(false);
    const POINT point{x, y};
    HvUIElement* element = root ? root->ElementFromPoint(point, UIElementType::Any, false, false) : nullptr;
    if (element && element->OnDoubleClick(point))
        return 0;
    return OnLButtonDown(keys, x, y, handled);
}

LRESULT ControlGridSink::OnSetCursor(HWND, UINT, UINT)
{
    HWND window = control_.ControlWindow();
    HvGridUIElement* root = control_.GetRootElement(false);
    POINT point{};
    // While the layout is busy (it sorts) the wait cursor wins over
    // everything, elements or not.
    HvLayout* layout = control_.Layout();
    if (window && layout && layout->Sorting().IsSorting()) {
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514))); // IDC_WAIT
        return 1;
    }
    if (!window || !root || !GetCursorPos(&point) || !ScreenToClient(window, &point))
        return 0;
    // A child window of the grid (an editor) chooses its own cursor.
    HWND child = ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE);
    if (child && child != window)
        return 0;
    HCURSOR cursor = root->CursorAt(point);
    if (!cursor)
        return 0;
    SetCursor(cursor);
    return 1;
}

LRESULT ControlGridSink::OnCtrlKeyChange()
{
    MouseHoverOperation* hover = control_.Hover();
    HvUIElement* current = hover ? hover->CurrentElement() : nullptr;
    if (current && current->IsAlive())
        current->OnCtrlKeyChange(CurrentInputState().ctrl);
    return 0;
}

LRESULT ControlGridSink::OnElementsRepositioned()
{
    if (MouseHoverOperation* hover = control_.Hover())
        hover->Recheck();
    return 0;
}
