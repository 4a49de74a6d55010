// The control window: its creation under the container window (or the
// parking window, or inside a reflector window), its parent, and the window
// procedure that routes its messages to the control: painting, focus
// notices to the site, the simple-frame site's filters, and everything else
// to the control's message handler.
#include "ControlEmbedding.h"

#include "CriticalSectionLock.h"
#include "Module.h"
#include "ParkingWindow.h"
#include "ReflectorWindow.h"

namespace {

constexpr DISPID kAmbientMessageReflect = DISPID_AMBIENT_MESSAGEREFLECT;   // -706
constexpr int kTitleLength = 128;
// The user data of a window whose control has let go of it.
const LONG_PTR kWindowGone = -1;

// Set under the global critical section while CreateWindowExW runs, so that
// the first messages of the new window find their control.
CControlEmbedding* g_controlBeingCreated = nullptr;

// Holds a reference on the control while one message is handled.
class ControlReference {
public:
    explicit ControlReference(CControlEmbedding* control) : control_(control) { control_->AddRef(); }
    ~ControlReference() { control_->Release(); }
    ControlReference(const ControlReference&) = delete;
    ControlReference& operator=(const ControlReference&) = delete;

private:
    CControlEmbedding* control_;
};

} // namespace

void CControlEmbedding::SetParentWindow(HWND window)
{
    if (window == m_parentWindow)
        return;
    m_parentWindow = window;
    if (HWND outer = GetOuterWindow())
        SetParent(outer, window);
}

bool CControlEmbedding::ContainerReflectsMessages()
{
    if (!(m_ambient & AmbientState::ReflectRead)) {
        VARIANT_BOOL reflects = VARIANT_FALSE;
        if (!GetAmbientProperty(kAmbientMessageReflect, VT_BOOL, &reflects) || !reflects)
            m_ambient &= ~AmbientState::ContainerReflects;
        m_ambient |= AmbientState::ReflectRead;
    }
    return (m_ambient & AmbientState::ContainerReflects) != 0;
}

HWND CControlEmbedding::CreateInPlaceWindow(int x, int y, BOOL noRedraw)
{
    if (m_window)
        return m_window;
    ControlObjectInfo& info = ControlInfo();
    {
        CriticalSectionLock guard(GlobalCriticalSection());
        if (!info.windowClassRegistered) {
            if (!RegisterClassData())
                return nullptr;
            info.windowClassRegistered = 1;
        }
    }
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD extendedStyle = 0;
    wchar_t title[kTitleLength] = L"";
    if (!BeforeCreateWindow(&style, &extendedStyle, title))
        return nullptr;
    title[kTitleLength - 1] = L'\0';

    if (!m_parentWindow) {
        m_parentWindow = EnsureParkingWindow();
        if (!m_parentWindow)
            return nullptr;
    }
    const bool parked = m_parentWindow == EnsureParkingWindow();
    const bool parentVisible = IsWindowVisible(m_parentWindow) != FALSE;

    if (info.reflector && !parked && !ContainerReflectsMessages()) {
        m_reflector = EnsureReflectWindowClass(!parentVisible, m_parentWindow, x, y, m_extent, this);
        if (!m_reflector)
            return nullptr;
        style |= WS_VISIBLE;
    } else if (!parentVisible) {
        style |= WS_VISIBLE;
    }

    HWND window = nullptr;
    {
        CriticalSectionLock guard(GlobalCriticalSection());
        g_controlBeingCreated = this;
        m_state |= ControlState::CreatingWindow;
        window = CreateWindowExW(extendedStyle, info.windowClassName, title, style, m_reflector ? 0 : x,
                                 m_reflector ? 0 : y, m_extent.cx, m_extent.cy,
                                 m_reflector ? m_reflector : m_parentWindow, nullptr, ModuleInstance(), nullptr);
        m_state &= ~ControlState::CreatingWindow;
        g_controlBeingCreated = nullptr;
    }
    m_window = window;
    if (!window) {
        DestroyControlWindows();
        return nullptr;
    }
    if (!AfterCreateWindow()) {
        DestroyControlWindows();
        return nullptr;
    }
    if (parentVisible)
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW | (noRedraw ? SWP_NOREDRAW : 0));
    return window;
}

LRESULT CControlEmbedding::ReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_window ? SendMessageW(m_window, message, wParam, lParam) : 0;
}

LRESULT CALLBACK CControlEmbedding::ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LONG_PTR stored = GetWindowLongPtrW(window, GWLP_USERDATA);
    if (stored == kWindowGone)
        return DefWindowProcW(window, message, wParam, lParam);
    auto* control = reinterpret_cast<CControlEmbedding*>(stored);
    if (!control) {
        control = g_controlBeingCreated;
        if (!control)
            return DefWindowProcW(window, message, wParam, lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
        control->m_window = window;
    }
    try {
        ControlReference hold(control);
        return control->RouteWindowMessage(window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT CControlEmbedding::RouteWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    DWORD cookie = 0;
    if (m_simpleFrameSite && WantsPreMessageFilter(window, message, wParam, lParam) &&
        m_simpleFrameSite->PreMessageFilter(window, message, wParam, lParam, &result, &cookie) == S_FALSE)
        return result;

    if (message == WM_DESTROY)
        BeforeDestroyWindow();
    if (message == WM_PAINT) {
        result = PaintWindow(window, reinterpret_cast<HDC>(wParam));
    } else {
        result = WindowProc(message, wParam, lParam);
        switch (message) {
        case WM_SIZE:
            if (!(m_state & ControlState::CreatingWindow))
                ViewChanged();
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if ((m_state & ControlState::InPlaceActive) && m_controlSite)
                m_controlSite->OnFocus(message == WM_SETFOCUS);
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, kWindowGone);
            if (m_window == window)
                m_window = nullptr;
            break;
        default:
            break;
        }
    }

    if (m_simpleFrameSite && WantsPostMessageFilter(window, message, wParam, lParam))
        m_simpleFrameSite->PostMessageFilter(window, message, wParam, lParam, &result, cookie);
    return result;
}

LRESULT CControlEmbedding::PaintWindow(HWND window, HDC given)
{
    if (!WantsPaint(given))
        return DefWindowProcW(window, WM_PAINT, reinterpret_cast<WPARAM>(given), 0);
    PAINTSTRUCT paint{};
    HDC dc = given;
    if (given) {
        GetClipBox(given, &m_paintClip);
    } else {
        dc = BeginPaint(window, &paint);
        m_paintClip = paint.rcPaint;
    }
    RECT client{};
    GetClientRect(window, &client);
    const RECTL bounds = {client.left, client.top, client.right, client.bottom};
    if (dc)
        OnDraw(DVASPECT_CONTENT, dc, &bounds, nullptr, nullptr, TRUE);
    if (!given)
        EndPaint(window, &paint);
    return 0;
}
