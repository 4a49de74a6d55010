// The input dispatcher: registrations and the routing of messages.
#include "InputDispatcher.h"

#include "ControlBase.h"

#include <commctrl.h>

#include <new>
#include <vector>

namespace {

// Module-wide, shared by every grid of the process.
std::atomic<std::uint32_t> g_registrationCounter{1};

bool IsKeyMessage(UINT message)
{
    return message >= WM_KEYFIRST && message <= WM_SYSDEADCHAR;
}

bool IsRoutedMouseMessage(UINT message)
{
    return message == WM_CANCELMODE || (message >= WM_MOUSEMOVE && message <= WM_MOUSEWHEEL) ||
           message == WM_MOUSEHOVER || message == WM_MOUSELEAVE || message == WM_HV_CTRLKEYCHANGED ||
           message == WM_HV_ELEMENTSREPOSITIONED;
}

} // namespace

std::uint32_t MessageMaskBit(UINT message)
{
    switch (message) {
    case WM_MOUSEHOVER:
        return 0x4000;
    case WM_MOUSELEAVE:
        return 0x8000;
    case WM_HV_CTRLKEYCHANGED:
        return 0x10000;
    case WM_HV_ELEMENTSREPOSITIONED:
        return 0x20000;
    case WM_SETCURSOR:
        return 0x800;
    default:
        return 1u << (message & 31);
    }
}

InputDispatcher::InputDispatcher(InputDispatcherHost& host) : m_host(host)
{
    InitializeCriticalSection(&m_threadLock);
}

InputDispatcher::~InputDispatcher()
{
    StopTrackingThread();
    RemoveMouseHook();
    m_mouseSinks.clear();
    m_keySinks.clear();
    DeleteCriticalSection(&m_threadLock);
}

std::uint32_t InputDispatcher::NextId(std::uint32_t kindBit)
{
    std::uint32_t counter = g_registrationCounter.fetch_add(1) & 0xFFFFFFu;
    if (counter == 0)
        counter = g_registrationCounter.fetch_add(1) & 0xFFFFFFu;
    return kindBit | counter;
}

void InputDispatcher::RecomputeMask()
{
    std::uint32_t mask = m_capture.sink ? m_capture.mask : 0;
    for (const Registration& r : m_mouseSinks)
        mask |= r.mask;
    m_unionMask = mask;
}

void InputDispatcher::SetCaptureRegistration(const Registration& registration)
{
    m_capture = registration;
    m_captureSet = registration.sink != nullptr;
}

bool InputDispatcher::RegisterMouseSink(InputOperation* sink, std::uint32_t* id, bool capture, std::uint32_t mask)
{
    const Registration registration{sink, mask, NextId(MouseIdBit)};
    if (capture) {
        SetCaptureRegistration(registration);
        if (!GetCapture()) {
            if (HWND grid = m_host.GetGridWindow())
                SetCapture(grid);
        }
    } else {
        try {
            m_mouseSinks.push_back(registration);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    if (id)
        *id = registration.id;
    RecomputeMask();
    return true;
}

bool InputDispatcher::RegisterKeySink(KeyMessageSink* sink, std::uint32_t* id, std::uint32_t mask)
{
    const Registration registration{sink, mask, NextId(KeyIdBit)};
    try {
        m_keySinks.push_back(registration);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (id)
        *id = registration.id;
    return true;
}

bool InputDispatcher::Unregister(std::uint32_t id)
{
    if (id & MouseIdBit) {
        if (m_capture.sink && m_capture.id == id) {
            SetCaptureRegistration({});
            RecomputeMask();
            HWND grid = m_host.GetGridWindow();
            if (grid && GetCapture() == grid)
                ReleaseCapture();
            return true;
        }
        for (auto it = m_mouseSinks.begin(); it != m_mouseSinks.end(); ++it) {
            if (it->id == id) {
                m_mouseSinks.erase(it);
                RecomputeMask();
                return true;
            }
        }
        return false;
    }
    if (id & KeyIdBit) {
        for (auto it = m_keySinks.begin(); it != m_keySinks.end(); ++it) {
            if (it->id == id) {
                m_keySinks.erase(it);
                return true;
            }
        }
    }
    return false;
}

LRESULT InputDispatcher::FilterMessage(UINT message, WPARAM* wParam, LPARAM* lParam, bool* handled,
                                       WNDPROC original, HWND window)
{
    bool ignored = false;
    if (!handled)
        handled = &ignored;
    *handled = false;
    CControlBase* control = m_host.InputControl();

    if (message == WM_SETCURSOR) {
        if (control && control->IsDesignMode() && (GetAsyncKeyState(VK_CONTROL) & 0x8000))
            return 0;
        if (DispatchSetCursor(reinterpret_cast<HWND>(*wParam), LOWORD(*lParam), HIWORD(*lParam))) {
            *handled = true;
            return 1;
        }
        return 0;
    }

    if (IsKeyMessage(message)) {
        if (control) {
            // An Esc character, or any character while a masked editor is
            // active, is delivered by the filter itself to the control.
            if ((message == WM_CHAR && *wParam == VK_ESCAPE) || m_host.ActiveCellHasMaskEngine()) {
                original = nullptr;
                window = nullptr;
            }
            DWORD eaten = 0;
            const LRESULT result =
                CControlBase::ChildKeyFilterProc(control, message, wParam, lParam, &eaten, original, window);
            if (eaten == 0xFFFF) {
                *handled = true;
                return result;
            }
        }
        return DispatchKey(message, *wParam, *lParam, handled);
    }

    if (!IsRoutedMouseMessage(message))
        return 0;

    if (message == WM_MOUSEMOVE && !HasCapture())
        StartTrackingThread();
    else if (message == WM_MOUSELEAVE)
        m_tracking = false;

    if (control)
        control->FireStockEventsForMessage(message, *wParam, *lParam, FALSE);

    if (m_focusLost) {
        if (!m_hoverPass) {
            m_focusLost = false;
            return 0;
        }
        m_hoverPass = false;
    }

    if (message == WM_CANCELMODE && HasCapture()) {
        static_cast<InputOperation*>(m_capture.sink)->CancelMode();
        SetCaptureRegistration({});
        RecomputeMask();
        return 0;
    }
    if (message != WM_CANCELMODE && !(m_unionMask & MessageMaskBit(message)))
        return 0;

    const int x = static_cast<short>(LOWORD(*lParam));
    const int y = static_cast<short>(HIWORD(*lParam));
    if (IsOverCalendar(x, y))
        return 0;
    const int wheel = message == WM_MOUSEWHEEL ? static_cast<short>(HIWORD(*wParam)) : 0;
    return DispatchMouse(message, wheel, LOWORD(*wParam), x, y, handled);
}

bool InputDispatcher::IsOverCalendar(int x, int y)
{
    HWND calendar = m_host.GetDropDownCalendar();
    if (!calendar || !IsWindowVisible(calendar))
        return false;
    POINT point{x, y};
    MapWindowPoints(m_host.GetGridWindow(), calendar, &point, 1);
    // Points beyond the calendar are not its concern, whatever the
    // control's hit test makes of them.
    RECT client;
    if (!GetClientRect(calendar, &client) || !PtInRect(&client, point))
        return false;
    MCHITTESTINFO info = {};
    info.cbSize = MCHITTESTINFO_V1_SIZE;
    info.pt = point;
    SendMessageW(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
    return (info.uHit & MCHT_CALENDAR) == MCHT_CALENDAR;
}

LRESULT InputDispatcher::DispatchSetCursor(HWND window, UINT hitTest, UINT mouseMessage)
{
    const std::uint32_t bit = MessageMaskBit(WM_SETCURSOR);
    if (HasCapture()) {
        if (!(m_capture.mask & bit))
            return 0;
        return static_cast<InputOperation*>(m_capture.sink)->OnSetCursor(window, hitTest, mouseMessage);
    }
    // Sinks may register or unregister while they run: walk a snapshot of
    // the ids and skip those that went away.
    std::vector<std::uint32_t> ids;
    for (const Registration& r : m_mouseSinks)
        ids.push_back(r.id);
    for (std::uint32_t id : ids) {
        for (const Registration& r : m_mouseSinks) {
            if (r.id != id)
                continue;
            if (r.mask & bit) {
                if (const LRESULT result = static_cast<InputOperation*>(r.sink)->OnSetCursor(window, hitTest,
                                                                                             mouseMessage))
                    return result;
            }
            break;
        }
    }
    return 0;
}

LRESULT InputDispatcher::DispatchKey(UINT message, WPARAM wParam, LPARAM lParam, bool* handled)
{
    std::vector<std::uint32_t> ids;
    for (const Registration& r : m_keySinks)
        ids.push_back(r.id);
    LRESULT result = 0;
    const std::uint32_t bit = 1u << (message & 31);
    for (std::uint32_t id : ids) {
        KeyMessageSink* sink = nullptr;
        for (const Registration& r : m_keySinks) {
            if (r.id == id) {
                if (r.mask & bit)
                    sink = static_cast<KeyMessageSink*>(r.sink);
                break;
            }
        }
        if (!sink)
            continue;
        switch (message) {
        case WM_KEYDOWN: result = sink->OnKeyDown(wParam, lParam, *handled); break;
        case WM_KEYUP: result = sink->OnKeyUp(wParam, lParam, *handled); break;
        case WM_CHAR: result = sink->OnChar(wParam, lParam, *handled); break;
        case WM_DEADCHAR: result = sink->OnDeadChar(wParam, lParam, *handled); break;
        case WM_SYSKEYDOWN: result = sink->OnSysKeyDown(wParam, lParam, *handled); break;
        case WM_SYSKEYUP: result = sink->OnSysKeyUp(wParam, lParam, *handled); break;
        case WM_SYSCHAR: result = sink->OnSysChar(wParam, lParam, *handled); break;
        case WM_SYSDEADCHAR: result = sink->OnSysDeadChar(wParam, lParam, *handled); break;
        default: break;
        }
        if (*handled)
            break;
    }
    return result;
}

LRESULT InputDispatcher::DispatchMouse(UINT message, int wheelData, UINT keys, int x, int y, bool* handled)
{
    if (HasCapture())
        return DispatchMouseToSink(m_capture, true, message, wheelData, keys, x, y, handled);
    std::vector<std::uint32_t> ids;
    for (const Registration& r : m_mouseSinks)
        ids.push_back(r.id);
    LRESULT result = 0;
    for (std::uint32_t id : ids) {
        const Registration* found = nullptr;
        for (const Registration& r : m_mouseSinks) {
            if (r.id == id) {
                found = &r;
                break;
            }
        }
        if (!found)
            continue;
        const Registration registration = *found;
        result = DispatchMouseToSink(registration, false, message, wheelData, keys, x, y, handled);
        if (*handled || HasCapture())
            break;
    }
    return result;
}

LRESULT InputDispatcher::DispatchMouseToSink(const Registration& registration, bool capturing, UINT message,
                                             int wheelData, UINT keys, int x, int y, bool* handled)
{
    InputOperation* sink = static_cast<InputOperation*>(registration.sink);
    if (!capturing) {
        RECT active;
        if (sink->GetActiveRect(&active) && !PtInRect(&active, POINT{x, y}))
            return 0;
    }
    if (!(registration.mask & MessageMaskBit(message)))
        return 0;
    bool& h = *handled;
    switch (message) {
    case WM_MOUSEMOVE: return sink->OnMouseMove(keys, x, y, h);
    case WM_LBUTTONDOWN: return sink->OnLButtonDown(keys, x, y, h);
    case WM_LBUTTONUP: return sink->OnLButtonUp(keys, x, y, h);
    case WM_LBUTTONDBLCLK: return sink->OnLButtonDblClk(keys, x, y, h);
    case WM_RBUTTONDOWN: return sink->OnRButtonDown(keys, x, y, h);
    case WM_RBUTTONUP: return sink->OnRButtonUp(keys, x, y, h);
    case WM_RBUTTONDBLCLK: return sink->OnRButtonDblClk(keys, x, y, h);
    case WM_MBUTTONDOWN: return sink->OnMButtonDown(keys, x, y, h);
    case WM_MBUTTONUP: return sink->OnMButtonUp(keys, x, y, h);
    case WM_MBUTTONDBLCLK: return sink->OnMButtonDblClk(keys, x, y, h);
    case WM_MOUSEWHEEL: return sink->OnMouseWheel(wheelData, keys, x, y, h);
    case WM_MOUSELEAVE: return sink->OnMouseLeave(keys, x, y, h);
    case WM_MOUSEHOVER: {
        const LRESULT result = sink->OnMouseHover(keys, x, y, h);
        if (result == 0)
            m_hoverPass = true;
        return result;
    }
    case WM_HV_CTRLKEYCHANGED: return sink->OnCtrlKeyChange();
    case WM_HV_ELEMENTSREPOSITIONED: return sink->OnElementsRepositioned();
    default: return 0;
    }
}
