// The input dispatcher's cursor tracking thread and design-time mouse hook.
#include "InputDispatcher.h"

#include "ControlBase.h"

#include <objbase.h>
#include <process.h>

namespace {

// Module-wide tracking state: one mutex keeps the tracking threads of all
// grids of the process apart, its handle guarded by a critical section
// that lives as long as the module.
struct TrackingState {
    TrackingState() { InitializeCriticalSection(&lock); }
    ~TrackingState()
    {
        if (mutex)
            CloseHandle(mutex);
        DeleteCriticalSection(&lock);
    }
    HANDLE Mutex()
    {
        EnterCriticalSection(&lock);
        if (!mutex)
            mutex = CreateMutexW(nullptr, FALSE, nullptr);
        HANDLE result = mutex;
        LeaveCriticalSection(&lock);
        return result;
    }
    CRITICAL_SECTION lock;
    HANDLE mutex = nullptr;
    std::atomic<bool> ctrlUp{true};
};

TrackingState& Tracking()
{
    static TrackingState state;
    return state;
}

// Module-wide mouse hook of the thread that first painted a grid in design
// mode, and the last message it forwarded.
struct HookState {
    HHOOK hook = nullptr;
    int users = 0;
    UINT lastMessage = 0;
    POINT lastPoint{-99, -99};
    HWND lastWindow = nullptr;
};

HookState g_hook;

std::atomic<InputDispatcher::CursorReader> g_cursorReader{nullptr};

bool ReadCursor(POINT& cursor)
{
    if (InputDispatcher::CursorReader reader = g_cursorReader.load())
        return reader(cursor);
    return GetCursorPos(&cursor) != FALSE;
}

bool CtrlIsUp()
{
    return (GetAsyncKeyState(VK_CONTROL) & 0x8000) == 0;
}

bool PrimaryButtonDown()
{
    const int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (GetAsyncKeyState(button) & 0x8000) != 0;
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    const UINT message = static_cast<UINT>(wParam);
    auto* info = reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam);
    if (code != HC_ACTION || (GetAsyncKeyState(VK_CONTROL) & 0x8000) || (GetAsyncKeyState(VK_MENU) & 0x8000))
        return CallNextHookEx(g_hook.hook, code, wParam, lParam);
    const bool wanted = message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
                        (message == WM_MOUSEMOVE && PrimaryButtonDown());
    if (!wanted || !info || !info->hwnd)
        return CallNextHookEx(g_hook.hook, 0, wParam, lParam);

    // The grid marks its window with the property "TV_Win".
    HWND target = info->hwnd;
    bool fromChild = false;
    CControlBase* control = nullptr;
    for (HWND w = target; w; w = GetParent(w)) {
        if (HANDLE property = GetPropW(w, L"TV_Win")) {
            control = static_cast<CControlBase*>(property);
            fromChild = w != target;
            break;
        }
    }
    if (!control || !IsValidObjectPointer(control) || !control->IsDesignMode())
        return CallNextHookEx(g_hook.hook, 0, wParam, lParam);

    POINT point = info->pt;
    ScreenToClient(target, &point);
    if (message == WM_LBUTTONDOWN && fromChild && g_hook.lastMessage == WM_LBUTTONDOWN &&
        g_hook.lastPoint.x == point.x && g_hook.lastPoint.y == point.y && g_hook.lastWindow == target)
        return 1;
    g_hook.lastMessage = message;
    g_hook.lastPoint = point;
    g_hook.lastWindow = target;
    const WPARAM keys = message == WM_LBUTTONUP ? 0 : MK_LBUTTON;
    const LPARAM where = MAKELPARAM(point.x, point.y);
    if (fromChild && message != WM_LBUTTONDOWN) {
        PostMessageA(target, message, keys, where);
        return 1;
    }
    if (SendMessageA(target, message, keys, where) != 0 || fromChild)
        return 1;
    return CallNextHookEx(g_hook.hook, code, wParam, lParam);
}

} // namespace

void InputDispatcher::StartTrackingThread()
{
    if (m_tracking.exchange(true))
        return;
    EnterCriticalSection(&m_threadLock);
    // A thread that has not yet decided to stop picks the flag up again.
    if (m_threadAlive || m_stopping) {
        LeaveCriticalSection(&m_threadLock);
        return;
    }
    if (m_thread) {
        // The previous thread no longer touches this dispatcher.
        CloseHandle(m_thread);
        m_thread = nullptr;
    }
    if (!m_stopEvent)
        m_stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE mutex = Tracking().Mutex();
    const bool owned = mutex && WaitForSingleObject(mutex, 40) == WAIT_OBJECT_0;
    if (m_stopEvent && IsValidObjectPointer(m_host.InputControl())) {
        // _beginthreadex rather than _beginthread: the handle stays valid so
        // that the destructor can wait for the thread to end.
        const uintptr_t thread = _beginthreadex(nullptr, 0, &InputDispatcher::TrackingThreadProc, this, 0, nullptr);
        if (thread) {
            m_thread = reinterpret_cast<HANDLE>(thread);
            m_threadAlive = true;
        }
    }
    if (!m_threadAlive)
        m_tracking = false;
    if (owned)
        ReleaseMutex(mutex);
    LeaveCriticalSection(&m_threadLock);
}

void InputDispatcher::StopTrackingThread()
{
    EnterCriticalSection(&m_threadLock);
    m_stopping = true;
    m_tracking = false;
    if (m_stopEvent)
        SetEvent(m_stopEvent);
    HANDLE thread = m_thread;
    m_thread = nullptr;
    LeaveCriticalSection(&m_threadLock);
    if (thread) {
        // The thread may be sending WM_MOUSELEAVE to a window of this
        // thread: serve sent messages while waiting.
        while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
            MSG message;
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        CloseHandle(thread);
    }
    if (m_stopEvent) {
        CloseHandle(m_stopEvent);
        m_stopEvent = nullptr;
    }
}

unsigned __stdcall InputDispatcher::TrackingThreadProc(void* argument)
{
    static_cast<InputDispatcher*>(argument)->TrackingLoop();
    return 0;
}

bool InputDispatcher::KeepTracking()
{
    EnterCriticalSection(&m_threadLock);
    const bool keep = !m_stopping && (m_tracking.load() || m_captureSet.load());
    if (!keep)
        m_threadAlive = false;
    LeaveCriticalSection(&m_threadLock);
    return keep;
}

void InputDispatcher::TrackingLoop()
{
    TrackingState& state = Tracking();
    state.ctrlUp = CtrlIsUp();
    HANDLE mutex = state.Mutex();
    const bool owned = mutex && WaitForSingleObject(mutex, 10) == WAIT_OBJECT_0;
    const HRESULT com = CoInitialize(nullptr);
    HANDLE stop = m_stopEvent;

    bool lostControl = false;
    while (KeepTracking()) {
        if (WaitForSingleObject(stop, 55) == WAIT_OBJECT_0)
            continue;
        HWND grid = m_host.GetGridWindow();
        if (!IsValidObjectPointer(m_host.InputControl()) || !grid || !IsWindow(grid)) {
            lostControl = true;
            break;
        }
        HWND parent = GetParent(grid);
        if (!parent || !IsWindow(parent))
            continue;
        const bool ctrlUp = CtrlIsUp();
        if (ctrlUp != state.ctrlUp.load()) {
            PostMessageA(grid, WM_HV_CTRLKEYCHANGED, 0, 0);
            state.ctrlUp = ctrlUp;
        }
        POINT cursor;
        if (!ReadCursor(cursor))
            continue;
        POINT inParent = cursor;
        ScreenToClient(parent, &inParent);
        POINT inGrid = cursor;
        ScreenToClient(grid, &inGrid);
        HWND child = ChildWindowFromPointEx(parent, inParent, CWP_SKIPINVISIBLE);
        if (child != grid && !m_host.IsPointInGridArea(inGrid.x, inGrid.y) && IsWindow(grid) &&
            !m_captureSet.load() && WaitForSingleObject(stop, 0) != WAIT_OBJECT_0)
            SendMessageA(grid, WM_MOUSELEAVE, 0, 0);
    }

    // Ended by the control's death or the loss of its window: let a later
    // mouse move start a new thread. Otherwise KeepTracking has already
    // let the dispatcher go, and this thread must not touch it again.
    if (lostControl) {
        EnterCriticalSection(&m_threadLock);
        m_threadAlive = false;
        m_tracking = false;
        LeaveCriticalSection(&m_threadLock);
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    if (owned)
        ReleaseMutex(mutex);
}

void InputDispatcher::InstallMouseHook()
{
    if (m_hookUser)
        return;
    if (!g_hook.hook) {
        g_hook.hook = SetWindowsHookExA(WH_MOUSE, MouseHookProc, nullptr, GetCurrentThreadId());
        if (!g_hook.hook)
            return;
        g_hook.users = 1;
    } else {
        ++g_hook.users;
    }
    m_hookUser = true;
}

void InputDispatcher::RemoveMouseHook()
{
    if (!m_hookUser)
        return;
    m_hookUser = false;
    if (--g_hook.users <= 0) {
        g_hook.users = 0;
        if (g_hook.hook)
            UnhookWindowsHookEx(g_hook.hook);
        g_hook.hook = nullptr;
    }
}

int InputDispatcher::MouseHookUsers()
{
    return g_hook.users;
}

void InputDispatcher::SetCursorReader(CursorReader reader)
{
    g_cursorReader = reader;
}
