// The stock key events from raw key messages: KeyDown and KeyUp with the
// control's key hooks, and KeyPress with the double-byte characters of an
// ANSI window (a lead byte and its trail byte make one character; a
// character the handler replaces is delivered byte by byte, the trail byte
// put at the head of the queue).
#include "ControlBase.h"

namespace {

// Posted ahead of a re-queued character to find the end of the messages
// that were already waiting.
constexpr UINT kQueueMarker = 0x379;
// More messages than a thread's queue can hold: a queue that does not come
// round to the marker within this many steps never will.
constexpr int kMostRequeuedMessages = 10000;
constexpr DWORD kHandled = 0xFFFF;

bool IsLeadByte(UINT character)
{
    return character <= 0xFF && IsDBCSLeadByte(static_cast<BYTE>(character));
}

// Double-byte characters exist only in the text of ANSI windows.
bool CarriesBytes(HWND window)
{
    return !window || !IsWindowUnicode(window);
}

// Takes the window's next character message off the queue, when there is one.
void RemoveNextChar(HWND window)
{
    MSG next;
    PeekMessageW(&next, window, WM_CHAR, WM_CHAR, PM_REMOVE | PM_NOYIELD);
}

} // namespace

bool PostCharAtQueueHead(HWND window, WPARAM character)
{
    const bool ansi = CarriesBytes(window);
    auto post = [ansi](HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
        return (ansi ? PostMessageA(target, message, wParam, lParam) : PostMessageW(target, message, wParam, lParam)) !=
               FALSE;
    };
    if (!post(window, kQueueMarker, 0, 0))
        return false;
    if (!post(window, WM_CHAR, character, 0)) {
        MSG marker;
        PeekMessageW(&marker, window, kQueueMarker, kQueueMarker, PM_REMOVE | PM_NOYIELD);
        return false;
    }
    MSG message;
    for (int step = 0; step < kMostRequeuedMessages; ++step) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD | PM_QS_POSTMESSAGE))
            break;
        if (message.message == kQueueMarker && message.hwnd == window)
            break;
        if (message.hwnd)
            PostMessageW(message.hwnd, message.message, message.wParam, message.lParam);
        else
            PostThreadMessageW(GetCurrentThreadId(), message.message, message.wParam, message.lParam);
    }
    return true;
}

LRESULT CControlBase::ChildKeyFilterProc(CControlBase* control, UINT message, WPARAM* wParam, LPARAM* lParam,
                                         DWORD* handled, WNDPROC original, HWND child)
{
    if (handled)
        *handled = 0;
    if (!control || !wParam || !lParam || !handled)
        return 0;
    const bool hold = control->ControlInfo().windowless != 0;
    if (hold)
        control->CUnknownObject::AddRef();
    LRESULT result = 0;
    const DWORD mask = control->m_stockEventMask;
    const SHORT shift = GetModifierKeyState();
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        if (!(mask & (down ? StockEventMask::KeyDown : StockEventMask::KeyUp)))
            break;
        SHORT code = static_cast<SHORT>(*wParam);
        if (down)
            control->Fire_KeyDown(&code, shift);
        else
            control->Fire_KeyUp(&code, shift);
        if (code) {
            if (down)
                control->OnKeyDownHook(&code, shift);
            else
                control->OnKeyUpHook(&code, shift);
        }
        *wParam = static_cast<WORD>(code);
        break;
    }
    case WM_CHAR:
        if (mask & StockEventMask::KeyPress)
            result = control->FilterKeyPress(wParam, *lParam, handled, original, child);
        break;
    default:
        break;
    }
    if (hold)
        control->CUnknownObject::Release();
    return result;
}

LRESULT CControlBase::FilterKeyPress(WPARAM* wParam, LPARAM lParam, DWORD* handled, WNDPROC original, HWND child)
{
    HWND window = m_window;
    const bool bytes = CarriesBytes(window);
    UINT character = static_cast<UINT>(*wParam & 0xFFFF);
    bool wasDouble = false;
    if (bytes && IsLeadByte(character)) {
        if (!window) {
            m_pendingLeadByte = static_cast<WORD>(character);
            *handled = kHandled;
            return 0;
        }
        MSG next;
        if (PeekMessageA(&next, window, WM_CHAR, WM_CHAR, PM_NOREMOVE | PM_NOYIELD)) {
            character = (character << 8) | (next.wParam & 0xFF);
            wasDouble = true;
        }
    } else if (bytes && !window && m_pendingLeadByte) {
        character = (static_cast<UINT>(m_pendingLeadByte) << 8) | (character & 0xFF);
        m_pendingLeadByte = 0;
        wasDouble = true;
    }

    *handled = kHandled;
    SHORT key = static_cast<SHORT>(character);
    Fire_KeyPress(&key);
    if (key == 0)
        return 0;
    OnKeyPressHook(&key);
    if (key == 0 || !window || m_window != window || !IsWindow(window))
        return 0;

    const UINT changed = static_cast<WORD>(key);
    WPARAM deliver = changed;
    // Whether the trail byte of a double-byte character still waits in the
    // queue once the character has been delivered.
    bool trailQueued = wasDouble;
    if (bytes) {
        deliver = wasDouble ? (changed >> 8) & 0xFF : changed & 0xFF;
        if (changed != character) {
            if (wasDouble)
                RemoveNextChar(window);
            if (IsLeadByte((changed >> 8) & 0xFF)) {
                PostCharAtQueueHead(window, changed & 0xFF);
                deliver = (changed >> 8) & 0xFF;
            } else {
                // A single byte in place of a double-byte character: the
                // byte itself goes on, its trail is gone already.
                deliver = changed & 0xFF;
                trailQueued = false;
            }
        }
    }
    const LRESULT result = DeliverChar(deliver, lParam, original, child);
    if (bytes && trailQueued) {
        wchar_t className[16] = L"";
        GetClassNameW(window, className, 16);
        if (lstrcmpiW(className, L"Edit") != 0 && lstrcmpiW(className, L"ListBox") != 0 &&
            lstrcmpiW(className, L"ComboBox") != 0)
            RemoveNextChar(window);
    }
    *wParam = deliver;
    return result;
}

LRESULT CControlBase::DeliverChar(WPARAM character, LPARAM lParam, WNDPROC original, HWND child)
{
    if (original)
        return CallWindowProcW(original, child, WM_CHAR, character, lParam);
    return DefaultWindowProc(WM_CHAR, character, lParam);
}
