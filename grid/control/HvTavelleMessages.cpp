// The grid window's message handler, its focus tail and the key
// pre-translation for the in-place editors.
#include "HvTavelle.h"

#include "CSimpleDropDown.h"
#include "ControlEditor.h"
#include "ControlSelectionHost.h"
#include "ErrorReporter.h"
#include "EventEnableMask.h"
#include "HvGridUIElement.h"
#include "HvLayout.h"
#include "InputDispatcher.h"
#include "OleDragDrop.h"
#include "ScrollBar.h"
#include "ToolTipTool.h"

namespace {

constexpr wchar_t kChildProperty[] = L"HvTavelleProp";
constexpr DISPID BeforeColRegionScrollId = 1025;
constexpr DISPID BeforeRowRegionScrollId = 1039;
constexpr DISPID MouseDownId = -605;

HWND CaptionedAncestor(HWND window)
{
    const HWND desktop = GetDesktopWindow();
    for (HWND current = window; current && current != desktop; current = GetParent(current))
        if (GetWindowLongPtrW(current, GWL_STYLE) & WS_CAPTION)
            return current;
    return nullptr;
}

} // namespace

LRESULT HvTavelle::Route(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (dispatcher_) {
        bool handled = false;
        const LRESULT result = dispatcher_->FilterMessage(message, &wParam, &lParam, &handled);
        if (handled)
            return result;
    }
    return Default(message, wParam, lParam);
}

LRESULT HvTavelle::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = OnDefaultMessage(message, wParam, lParam);
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS)
        FocusTail(message, wParam);
    return result;
}

LRESULT HvTavelle::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A top-level message without a capture is a quiet moment for the
    // selection; mouse messages tell where the cursor is.
    const bool mouse = message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
    if (messageDepth_ == 0 && selection_ && (mouse || message == WM_KEYDOWN))
        selection_->Quiesce();
    if (mouse && message != WM_MOUSEWHEEL) {
        messagePoint_ = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        messagePointKnown_ = true;
    }
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
    } depth(messageDepth_);
    try {
        switch (message) {
        case MsgBuildLayout:
            return OnBuildLayoutMessage();
        case MsgBindingFailed:
            // A binding failure met while events could not be raised.
            Reporter().ReportBindingError(static_cast<HRESULT>(lParam));
            return Default(message, wParam, lParam);
        case MsgEndEditMode:
            editor_->OnLeaveEditMessage();
            return Default(message, wParam, lParam);
        case MsgPostMessage:
            return OnPostedMessage(wParam, lParam);
        case WM_HSCROLL:
        case WM_VSCROLL:
            return CScrollBar::ReflectScroll(message, wParam, reinterpret_cast<HWND>(lParam));
        case WM_LBUTTONDOWN:
            return OnLeftButtonDown(wParam, lParam);
        case WM_PRINTCLIENT:
            return OnPrintClient(reinterpret_cast<HDC>(wParam));
        case WM_SIZE:
            editor_->OnGridSized();
            if (layout_)
                layout_->DirtyRootUIElement(true, true);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SHOWWINDOW:
            dragDrop_->RegisterDropTarget(wParam != 0);
            return Default(message, wParam, lParam);
        case WM_DRAWITEM:
        case WM_MEASUREITEM: {
            LRESULT result = 1;
            editor_->OnOwnerDraw(message, lParam, &result);
            return result;
        }
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            LRESULT result = 0;
            if (editor_->OnControlColor(message, wParam, lParam, &result))
                return result;
            return Default(message, wParam, lParam);
        }
        case WM_NOTIFY:
            return OnNotify(wParam, lParam);
        case WM_COMMAND:
            editor_->OnCommand(wParam, lParam);
            return Default(message, wParam, lParam);
        case WM_TIMER:
            return OnTimer(static_cast<UINT_PTR>(wParam));
        default:
            if (message > MsgPostMessage)
                return Route(message, wParam, lParam);
            return Route(message, wParam, lParam);
        }
    } catch (...) {
        return 0;
    }
}

LRESULT HvTavelle::OnBuildLayoutMessage()
{
    if (viewFlags_ & ViewLayoutBuilt)
        return 0;
    if (!layout_ || !gate_) {
        viewFlags_ |= ViewLayoutBuilt;
        return 0;
    }
    if (!CanFireEvents()) {
        if (m_window)
            SetTimer(m_window, BuildLayoutTimer, 200, nullptr);
        return 0;
    }
    viewFlags_ |= ViewLayoutBuilt;
    IDispatch* layout = nullptr;
    layout_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&layout));
    gate_->Fire_InitializeLayout(0, layout);
    if (layout)
        layout->Release();
    RefreshAfterRebuild();
    return 0;
}

LRESULT HvTavelle::OnPostedMessage(WPARAM wParam, LPARAM lParam)
{
    // Only data this control posted is taken (and freed here); any other
    // lParam is someone else's and the values are reported missing.
    const PostedMessageData::Pair pair = postedData_.Take(lParam);
    VARIANT missing[2];
    for (VARIANT& value : missing) {
        VariantInit(&value);
        value.vt = VT_ERROR;
        value.scode = DISP_E_PARAMNOTFOUND;
    }
    const VARIANT* values = pair ? pair.get() : missing;
    if (gate_)
        gate_->Fire_PostMessageReceived(static_cast<std::int32_t>(wParam), values[0], values[1]);
    return 0;
}

LRESULT HvTavelle::OnLeftButtonDown(WPARAM wParam, LPARAM lParam)
{
    if (IsDesignMode())
        return Route(WM_LBUTTONDOWN, wParam, lParam);
    if (!(m_state & ControlState::UIActive))
        InPlaceActivate(OLEIVERB_UIACTIVATE);
    if (!HasFocus())
        SetControlFocus(TRUE);
    if (!HasFocus())
        return 0;
    return Route(WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT HvTavelle::OnPrintClient(HDC dc)
{
    if (!GetRootElement(false) || !dc)
        return 1;
    RECT clip = {};
    GetClipBox(dc, &clip);
    PaintRoot(dc, clip, clip);
    return 1;
}

LRESULT HvTavelle::OnNotify(WPARAM wParam, LPARAM lParam)
{
    if (lParam)
        editor_->OnNotify(lParam);
    if (toolTipTool_ && lParam) {
        const LRESULT result = toolTipTool_->OnShow(reinterpret_cast<const NMHDR*>(lParam), 0);
        if (result)
            return result;
    }
    return Default(WM_NOTIFY, wParam, lParam);
}

LRESULT HvTavelle::OnTimer(UINT_PTR id)
{
    switch (id) {
    case RowScrollTimer:
        AutoScrollTick(true, true, rowPeriod_);
        return 0;
    case ColScrollTimer:
        AutoScrollTick(false, true, colPeriod_);
        return 0;
    case BuildLayoutTimer:
        KillTimer(m_window, BuildLayoutTimer);
        SendMessageW(m_window, MsgBuildLayout, 0, 0);
        return 0;
    case SelectionDragTimer: {
        KillTimer(m_window, SelectionDragTimer);
        const bool cancelled = gate_ && gate_->Fire_OnSelectionDrag();
        selectionDragResult_ = cancelled ? 1 : 0;
        if (!cancelled)
            selectionDragPending_ = 1;
        SendSyntheticMouseMove();
        return 0;
    }
    default:
        return 0;
    }
}

void HvTavelle::ShowActiveFocus(bool show)
{
    HvUIElement* element = GetActiveCellElement();
    if (element)
        element->Invalidate(false, false);
    (void)show;
}

// Whether the window that takes the focus lies outside the grid, in the
// same captioned window (so that the grid loses the focus for real).
bool HvTavelle::KillFocusLeavesGrid(HWND gaining)
{
    wchar_t className[11] = {};
    if (gaining)
        GetClassNameW(gaining, className, 11);
    const bool mdiClient = lstrcmpiW(className, L"MDIClient") == 0;
    if (!gaining || !CanFireEvents())
        return false;
    if ((IsChild(m_window, gaining) && !mdiClient) || GetParent(gaining) == m_window ||
        GetPropW(gaining, kChildProperty))
        return false;
    return mdiClient || CaptionedAncestor(gaining) == CaptionedAncestor(m_window);
}

void HvTavelle::FocusTail(UINT message, WPARAM wParam)
{
    if (message == WM_SETFOCUS) {
        if (!(viewFlags_ & ViewHasFocus) && wParam) {
            viewFlags_ |= ViewHasFocus;
            ShowActiveFocus(true);
            if (gate_)
                gate_->Fire_OnSetFocus(reinterpret_cast<HWND>(wParam));
        }
    } else {
        if (gate_ && gate_->IsEventFiring(MouseDownId) && dispatcher_)
            dispatcher_->SetFocusLost(true);
        const HWND gaining = reinterpret_cast<HWND>(wParam);
        if (KillFocusLeavesGrid(gaining)) {
            if (!(viewFlags_ & ViewHasFocus) || IsFocusInControl())
                return;
            viewFlags_ &= static_cast<BYTE>(~ViewHasFocus);
            ShowActiveFocus(false);
            if (gate_)
                gate_->Fire_OnKillFocus(gaining);
            return;
        }
        if (gate_ && (gate_->IsEventFiring(BeforeColRegionScrollId) || gate_->IsEventFiring(BeforeRowRegionScrollId)))
            if (HvGridUIElement* root = GetRootElement(false))
                root->Invalidate(false, false);
    }
    if (HvUIElement* element = GetActiveCellElement())
        element->Invalidate(false, false);
}

BOOL HvTavelle::PreTranslateMessage(MSG* message)
{
    if (!message || !dispatcher_ || (message->message != WM_KEYDOWN && message->message != WM_KEYUP))
        return FALSE;
    if (editor_->PreTranslateKey(*message))
        return TRUE;
    // An open swap list takes the keys: arrows choose, Enter takes, Esc
    // closes.
    if (dropDownList_ && dropDownList_->IsDroppedDown()) {
        SendMessageW(dropDownList_->Window(), message->message, message->wParam, message->lParam);
        return TRUE;
    }
    const WPARAM key = message->wParam;
    switch (key) {
    case VK_TAB:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_F2: {
        bool handled = false;
        WPARAM wParam = message->wParam;
        LPARAM lParam = message->lParam;
        dispatcher_->FilterMessage(message->message, &wParam, &lParam, &handled);
        return handled ? TRUE : FALSE;
    }
    default:
        return FALSE;
    }
}
