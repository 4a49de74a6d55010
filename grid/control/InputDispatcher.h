// InputDispatcher: the one entry of every mouse and keyboard message of the
// grid. Mouse operations and key sinks register with a message mask; one
// mouse operation at a time may hold the capture, and then it alone hears
// mouse messages. The dispatcher fires the stock mouse and key events before
// it routes a message, runs a cursor tracking thread that synthesises
// WM_MOUSELEAVE and reports changes of the Ctrl key (message 1478), and in
// design mode a thread mouse hook that hands button messages to the grid.
#pragma once

#include "InputDispatcherHost.h"
#include "InputOperation.h"
#include "KeyMessageSink.h"

#include <atomic>
#include <cstdint>
#include <deque>

// Private messages of the grid window that mouse sinks may ask for.
constexpr UINT WM_HV_CTRLKEYCHANGED = 1478;
constexpr UINT WM_HV_ELEMENTSREPOSITIONED = 1479;

// The mask bit of a message: WM_MOUSEHOVER 0x4000, WM_MOUSELEAVE 0x8000,
// 1478 0x10000, 1479 0x20000, WM_SETCURSOR 0x800, any other the bit
// 1 << (message & 31).
std::uint32_t MessageMaskBit(UINT message);

class InputDispatcher
{
public:
    // Registration ids carry their kind in bit 24 (mouse) or 25 (key).
    static constexpr std::uint32_t MouseIdBit = 1u << 24;
    static constexpr std::uint32_t KeyIdBit = 1u << 25;

    explicit InputDispatcher(InputDispatcherHost& host);
    virtual ~InputDispatcher();
    InputDispatcher(const InputDispatcher&) = delete;
    InputDispatcher& operator=(const InputDispatcher&) = delete;

    // With capture, the sink becomes the capturing sink (replacing any
    // earlier one, which is not told) and the grid window takes the mouse
    // when no window holds it. False when the registration could not be
    // stored (nothing changes then).
    bool RegisterMouseSink(InputOperation* sink, std::uint32_t* id, bool capture, std::uint32_t mask);
    bool RegisterKeySink(KeyMessageSink* sink, std::uint32_t* id, std::uint32_t mask);
    // False when no registration has the id.
    bool Unregister(std::uint32_t id);
    bool HasCapture() const { return m_capture.sink != nullptr; }

    // The entry of every input message. wParam and lParam may come back
    // changed (a key code a handler replaced). original and window are given
    // by the grid's subclassed child windows; points are in grid client
    // coordinates.
    LRESULT FilterMessage(UINT message, WPARAM* wParam, LPARAM* lParam, bool* handled, WNDPROC original = nullptr,
                          HWND window = nullptr);

    // Set by the control's window procedure on WM_KILLFOCUS while the stock
    // MouseDown event is enabled: the next routed mouse message is dropped.
    void SetFocusLost(bool lost) { m_focusLost = lost; }
    bool IsTracking() const { return m_tracking.load(); }
    std::uint32_t UnionMask() const { return m_unionMask; }

    void InstallMouseHook();
    void RemoveMouseHook();
    bool UsesMouseHook() const { return m_hookUser; }
    // The number of dispatchers that use the module's mouse hook.
    static int MouseHookUsers();

    // Where the tracking threads read the cursor position: GetCursorPos
    // unless a reader is set (null restores it). A reader returns false when
    // it has no position; it is called on the tracking threads.
    using CursorReader = bool (*)(POINT& cursor);
    static void SetCursorReader(CursorReader reader);

private:
    struct Registration {
        void* sink = nullptr;
        std::uint32_t mask = 0;
        std::uint32_t id = 0;
    };

    static std::uint32_t NextId(std::uint32_t kindBit);
    void RecomputeMask();
    void SetCaptureRegistration(const Registration& registration);
    LRESULT DispatchSetCursor(HWND window, UINT hitTest, UINT mouseMessage);
    LRESULT DispatchKey(UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
    LRESULT DispatchMouse(UINT message, int wheelData, UINT keys, int x, int y, bool* handled);
    LRESULT DispatchMouseToSink(const Registration& registration, bool capturing, UINT message, int wheelData,
                                UINT keys, int x, int y, bool* handled);
    bool IsOverCalendar(int x, int y);

    void StartTrackingThread();
    void StopTrackingThread();
    static unsigned __stdcall TrackingThreadProc(void* argument);
    void TrackingLoop();
    bool KeepTracking();

    InputDispatcherHost& m_host;
    std::deque<Registration> m_mouseSinks;
    std::deque<Registration> m_keySinks;
    Registration m_capture;
    std::uint32_t m_unionMask = 0;
    std::atomic<bool> m_tracking{false};
    bool m_hookUser = false;
    bool m_focusLost = false;
    bool m_hoverPass = false;

    // Cursor tracking: the thread reads only these, the host's window and
    // grid area, and talks to the grid window by messages.
    std::atomic<bool> m_captureSet{false};
    CRITICAL_SECTION m_threadLock;
    HANDLE m_thread = nullptr;
    HANDLE m_stopEvent = nullptr;
    bool m_threadAlive = false;
    bool m_stopping = false;
};
