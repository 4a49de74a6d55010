// The stock mouse events from raw mouse messages: MouseDown, MouseMove,
// MouseUp, Click only for a release inside the control after a press in it
// (and not after a double click or a what's-this help click), DblClick, and
// the capture taken on a left press.
#include "ControlBase.h"

namespace {

constexpr SHORT kLeft = 1;
constexpr SHORT kRight = 2;
constexpr SHORT kMiddle = 4;

// The buttons whose last press was a double click, shared by every control
// of the process (a double click can only happen in one place at a time).
WORD g_doubleClickButtons = 0;

SHORT HeldButtons(WPARAM keys)
{
    SHORT buttons = 0;
    if (keys & MK_LBUTTON)
        buttons |= kLeft;
    if (keys & MK_RBUTTON)
        buttons |= kRight;
    if (keys & MK_MBUTTON)
        buttons |= kMiddle;
    return buttons;
}

// Holds a windowless control while its handlers run: it has no window to
// keep it alive.
class WindowlessHold {
public:
    explicit WindowlessHold(CControlBase& control)
        : control_(control), held_(control.ControlInfo().windowless != 0)
    {
        if (held_)
            control_.CUnknownObject::AddRef();
    }
    ~WindowlessHold()
    {
        if (held_)
            control_.CUnknownObject::Release();
    }
    WindowlessHold(const WindowlessHold&) = delete;
    WindowlessHold& operator=(const WindowlessHold&) = delete;

private:
    CControlBase& control_;
    bool held_;
};

} // namespace

void CControlBase::FireStockEventsForMessage(UINT message, WPARAM wParam, LPARAM lParam, BOOL captureOnPress)
{
    WindowlessHold hold(*this);
    const POINT raw = {static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
    POINT point = raw;
    WindowlessPointToControl(&point);
    const SHORT shift = GetModifierKeyState();
    switch (message) {
    case WM_MOUSEMOVE:
        if (m_stockEventMask & StockEventMask::MouseMove)
            Fire_MouseMove(HeldButtons(wParam), shift, point.x, point.y);
        break;
    case WM_LBUTTONDOWN: FireButtonPress(kLeft, shift, point, captureOnPress); break;
    case WM_RBUTTONDOWN: FireButtonPress(kRight, shift, point, captureOnPress); break;
    case WM_MBUTTONDOWN: FireButtonPress(kMiddle, shift, point, captureOnPress); break;
    case WM_LBUTTONUP: FireButtonRelease(kLeft, shift, point, raw, captureOnPress); break;
    case WM_RBUTTONUP: FireButtonRelease(kRight, shift, point, raw, captureOnPress); break;
    case WM_MBUTTONUP: FireButtonRelease(kMiddle, shift, point, raw, captureOnPress); break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
        const SHORT button = message == WM_LBUTTONDBLCLK ? kLeft : message == WM_RBUTTONDBLCLK ? kRight : kMiddle;
        g_doubleClickButtons |= button;
        if (m_stockEventMask & StockEventMask::DblClick)
            Fire_DblClick();
        break;
    }
    default:
        break;
    }
}

void CControlBase::FireButtonPress(SHORT button, SHORT shift, const POINT& point, BOOL captureOnPress)
{
    m_buttonDown = 1;
    if (button == kLeft && captureOnPress)
        SetControlCapture(TRUE);
    g_doubleClickButtons &= ~button;
    if (m_stockEventMask & StockEventMask::MouseDown)
        Fire_MouseDown(button, shift, point.x, point.y);
}

void CControlBase::FireButtonRelease(SHORT button, SHORT shift, const POINT& point, const POINT& raw,
                                     BOOL captureOnPress)
{
    if (button == kLeft && captureOnPress)
        SetControlCapture(FALSE);
    if (m_stockEventMask & StockEventMask::MouseUp)
        Fire_MouseUp(button, shift, point.x, point.y);
    if ((m_stockEventMask & StockEventMask::Click) && !(g_doubleClickButtons & button)) {
        if (m_helpClick)
            m_helpClick = 0;
        else if (m_buttonDown && ReleaseInsideControl(raw))
            Fire_Click();
    }
    g_doubleClickButtons &= ~button;
    m_buttonDown = 0;
}

// The release point is in the control window's client coordinates, or in
// the container window's for a control without a window.
bool CControlBase::ReleaseInsideControl(const POINT& raw) const
{
    RECT area{};
    GetControlRect(&area);
    if (!HasNoWindow() && m_window)
        MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&area), 2);
    return PtInRect(&area, raw) != FALSE;
}

LRESULT CControlBase::OnDefaultMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HELP) {
        const int primary = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
        if (GetAsyncKeyState(primary) & 0x8000)
            m_helpClick = 1;
    }
    return DefaultWindowProc(message, wParam, lParam);
}
