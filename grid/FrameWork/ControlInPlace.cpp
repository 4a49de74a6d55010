// In-place life of the control base: the negotiation with the container's
// in-place site (windowless, Ex or plain), the window context, UI
// activation, deactivation, the object rectangles with their window region,
// focus, capture and the modal state, and the in-place and active-object
// interfaces through which the container drives all of it.
#include "ControlEmbedding.h"

#include "ReleaseField.h"

namespace {

// The size of OLEINPLACEFRAMEINFO that containers expect in its cb field.
constexpr UINT kFrameInfoSize = 20;

// Holds one interface pointer for the length of a call.
template <class T>
class HeldInterface {
public:
    HeldInterface() = default;
    ~HeldInterface() { Reset(); }
    HeldInterface(const HeldInterface&) = delete;
    HeldInterface& operator=(const HeldInterface&) = delete;

    T* Get() const { return pointer_; }
    T** Out() { Reset(); return &pointer_; }
    void Reset() { ReleaseField(pointer_); }
    void Take(T* pointer)
    {
        Reset();
        pointer_ = pointer;
        if (pointer_)
            pointer_->AddRef();
    }

private:
    T* pointer_ = nullptr;
};

bool IsInside(const RECT& inner, const RECT& outer)
{
    return inner.left <= outer.left && inner.top <= outer.top && inner.right >= outer.right &&
           inner.bottom >= outer.bottom;
}

} // namespace

// --- Activation ----------------------------------------------------------

HRESULT CControlEmbedding::TakeInPlaceSite()
{
    if (m_inPlaceSite || m_windowlessSite)
        return S_OK;
    if (m_state & ControlState::WindowlessCapable)
        m_clientSite->QueryInterface(IID_IOleInPlaceSiteWindowless, reinterpret_cast<void**>(&m_windowlessSite));
    if (m_windowlessSite)
        return S_OK;
    const HRESULT hr = m_clientSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&m_inPlaceSite));
    if (FAILED(hr))
        m_inPlaceSite = nullptr;
    return hr;
}

// Asks the site whether the control may activate and tells it that it
// does. A windowless site that declines windowless activation is replaced
// by the plain in-place site of the same container.
HRESULT CControlEmbedding::TellSiteActivating(IOleInPlaceSiteEx* ex, BOOL* noRedraw)
{
    HRESULT hr;
    if (m_windowlessSite) {
        hr = m_windowlessSite->CanWindowlessActivate();
        if (FAILED(hr))
            return hr;
        if (hr == S_FALSE) {
            ReleaseField(m_windowlessSite);
            hr = m_clientSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&m_inPlaceSite));
            if (FAILED(hr)) {
                m_inPlaceSite = nullptr;
                return hr;
            }
        }
    } else {
        hr = m_inPlaceSite->CanInPlaceActivate();
        if (hr == S_FALSE)
            return S_FALSE;
        if (FAILED(hr))
            return E_FAIL;
    }
    if (ex)
        hr = ex->OnInPlaceActivateEx(noRedraw, m_windowlessSite ? ACTIVATE_WINDOWLESS : 0);
    else
        hr = m_inPlaceSite->OnInPlaceActivate();
    return FAILED(hr) ? hr : S_OK;
}

HRESULT CControlEmbedding::TakeWindowContext(RECT* clipOut)
{
    IOleInPlaceSite* site = m_windowlessSite ? m_windowlessSite : m_inPlaceSite;
    HWND parent = nullptr;
    // A container without a window yet leaves the control where it is
    // (under the parking window when it has a window of its own).
    if (SUCCEEDED(site->GetWindow(&parent)) && parent)
        SetParentWindow(parent);
    ReleaseField(m_frame);
    ReleaseField(m_document);
    RECT position{};
    RECT clip{};
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = kFrameInfoSize;
    const HRESULT hr = site->GetWindowContext(&m_frame, &m_document, &position, &clip, &frameInfo);
    if (FAILED(hr)) {
        m_frame = nullptr;
        m_document = nullptr;
        return hr;
    }
    const SIZE size = {position.right - position.left, position.bottom - position.top};
    if (OnSetExtent(size))
        m_extent = size;
    SetObjectRects(&position, &clip);
    *clipOut = clip;
    return S_OK;
}

HRESULT CControlEmbedding::InPlaceActivate(LONG verb)
{
    try {
        if (!m_clientSite)
            return S_OK;
        HRESULT hr = TakeInPlaceSite();
        if (FAILED(hr))
            return hr;
        HeldInterface<IOleInPlaceSiteEx> ex;
        if (m_windowlessSite)
            ex.Take(m_windowlessSite);
        else if (FAILED(m_clientSite->QueryInterface(IID_IOleInPlaceSiteEx, reinterpret_cast<void**>(ex.Out()))))
            *ex.Out() = nullptr;

        const bool wasActive = (m_state & ControlState::InPlaceActive) != 0;
        if (!wasActive || !(m_state & ControlState::Shown)) {
            BOOL noRedraw = FALSE;
            if (!wasActive) {
                hr = TellSiteActivating(ex.Get(), &noRedraw);
                if (hr != S_OK)
                    return hr;
                m_state |= ControlState::InPlaceActive;
            }
            RECT clip{};
            hr = TakeWindowContext(&clip);
            if (SUCCEEDED(hr) && !wasActive && !m_windowlessSite) {
                if (!CreateInPlaceWindow(m_position.left, m_position.top, noRedraw)) {
                    hr = E_FAIL;
                } else {
                    // The rectangles reached the control before its window
                    // existed: the new window takes its clipping now.
                    SetObjectRects(&m_position, &clip);
                    m_clientSite->ShowObject();
                }
            }
            if (FAILED(hr)) {
                UndoFailedActivation();
                return hr;
            }
        }
        ex.Reset();
        if (!(m_state & ControlState::Shown))
            ShowControlWindow(true);
        if ((verb == OLEIVERB_PRIMARY || verb == OLEIVERB_UIACTIVATE) && !(m_state & ControlState::UIActive))
            UIActivate();
        return S_OK;
    } catch (...) {
        UndoFailedActivation();
        return E_UNEXPECTED;
    }
}

// The container was told that the control is active: it must hear that it
// is not, and nothing of the activation may be left behind.
void CControlEmbedding::UndoFailedActivation()
{
    if (!(m_state & ControlState::InPlaceActive))
        return;
    IOleInPlaceSite* site = m_windowlessSite ? m_windowlessSite : m_inPlaceSite;
    if (site)
        site->OnInPlaceDeactivate();
    m_state &= ~(ControlState::InPlaceActive | ControlState::Shown | ControlState::UIActive);
    DestroyControlWindows();
    ReleaseField(m_frame);
    ReleaseField(m_document);
}

void CControlEmbedding::UIActivate()
{
    m_state |= ControlState::UIActive;
    IOleInPlaceSite* site = m_windowlessSite ? m_windowlessSite : m_inPlaceSite;
    if (site)
        site->OnUIActivate();
    SetControlFocus(TRUE);
    IOleInPlaceActiveObject* active = static_cast<IOleInPlaceActiveObject*>(this);
    if (m_frame)
        m_frame->SetActiveObject(active, nullptr);
    if (m_document)
        m_document->SetActiveObject(active, nullptr);
    if (m_frame)
        m_frame->SetBorderSpace(nullptr);
    if (m_document)
        m_document->SetBorderSpace(nullptr);
}

void CControlEmbedding::DestroyControlWindows()
{
    if (m_window) {
        HWND window = m_window;
        m_window = nullptr;
        DestroyWindow(window);
    }
    if (m_reflector) {
        HWND reflector = m_reflector;
        m_reflector = nullptr;
        SetWindowLongPtrW(reflector, GWLP_USERDATA, 0);
        DestroyWindow(reflector);
    }
}

// --- IOleInPlaceObject ----------------------------------------------------

STDMETHODIMP CControlEmbedding::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = nullptr;
    if (m_windowlessSite || !(m_state & ControlState::InPlaceActive))
        return E_FAIL;
    *window = GetOuterWindow();
    return *window ? S_OK : E_UNEXPECTED;
}

STDMETHODIMP CControlEmbedding::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
STDMETHODIMP CControlEmbedding::ReactivateAndUndo() { return E_NOTIMPL; }

STDMETHODIMP CControlEmbedding::GetDropTarget(IDropTarget** target)
{
    if (target)
        *target = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CControlEmbedding::InPlaceDeactivate()
{
    try {
        if (!(m_state & ControlState::InPlaceActive))
            return S_OK;
        if (m_state & ControlState::UIActive)
            UIDeactivate();
        IOleInPlaceSite* site = m_windowlessSite ? m_windowlessSite : m_inPlaceSite;
        if (site)
            site->OnInPlaceDeactivate();
        m_state &= ~(ControlState::InPlaceActive | ControlState::Shown);
        DestroyControlWindows();
        ReleaseField(m_frame);
        ReleaseField(m_document);
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CControlEmbedding::UIDeactivate()
{
    try {
        if (!(m_state & ControlState::UIActive))
            return S_OK;
        m_state &= ~ControlState::UIActive;
        if (m_document)
            m_document->SetActiveObject(nullptr, nullptr);
        if (m_frame)
            m_frame->SetActiveObject(nullptr, nullptr);
        IOleInPlaceSite* site = m_windowlessSite ? m_windowlessSite : m_inPlaceSite;
        if (site)
            site->OnUIDeactivate(FALSE);
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CControlEmbedding::SetObjectRects(LPCRECT position, LPCRECT clip)
{
    if (!position)
        return E_POINTER;
    try {
        HWND outer = GetOuterWindow();
        if (m_window && outer) {
            const LONG width = position->right - position->left;
            const LONG height = position->bottom - position->top;
            RECT visible{};
            const bool cut = clip && IntersectRect(&visible, position, clip) && !IsInside(visible, *position);
            if (cut) {
                OffsetRect(&visible, -position->left, -position->top);
                HRGN region = CreateRectRgnIndirect(&visible);
                // The window owns the region once it is set.
                if (region && !SetWindowRgn(outer, region, TRUE))
                    DeleteObject(region);
                m_ambient |= AmbientState::RegionSet;
            } else if (m_ambient & AmbientState::RegionSet) {
                SetWindowRgn(outer, nullptr, TRUE);
                m_ambient &= ~AmbientState::RegionSet;
            }
            RECT now{};
            GetWindowRect(outer, &now);
            MapWindowPoints(nullptr, GetParent(outer), reinterpret_cast<POINT*>(&now), 2);
            UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
            if (now.left == position->left && now.top == position->top)
                flags |= SWP_NOMOVE;
            if (now.right - now.left == width && now.bottom - now.top == height)
                flags |= SWP_NOSIZE;
            SetWindowPos(outer, nullptr, position->left, position->top, width, height, flags);
            if (m_reflector)
                SetWindowPos(m_window, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        m_position = *position;
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CControlEmbedding::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    try {
        if ((message == WM_SETFOCUS || message == WM_KILLFOCUS) && (m_state & ControlState::InPlaceActive) &&
            m_controlSite)
            m_controlSite->OnFocus(message == WM_SETFOCUS);
        const LRESULT answer = WindowProc(message, wParam, lParam);
        if (result)
            *result = answer;
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// --- IOleInPlaceActiveObject ------------------------------------------------

STDMETHODIMP CControlEmbedding::TranslateAccelerator(LPMSG message)
{
    try {
        if (PreTranslateMessage(message))
            return S_OK;
        if (!m_controlSite)
            return S_FALSE;
        return m_controlSite->TranslateAccelerator(message, GetModifierKeyState());
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CControlEmbedding::OnFrameWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP CControlEmbedding::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
STDMETHODIMP CControlEmbedding::EnableModeless(BOOL) { return S_OK; }

STDMETHODIMP CControlEmbedding::OnDocWindowActivate(BOOL activate)
{
    if ((m_state & ControlState::UIActive) && activate && m_frame)
        m_frame->SetBorderSpace(nullptr);
    return S_OK;
}

// --- Focus, capture and modal state -------------------------------------------

BOOL CControlEmbedding::SetControlFocus(BOOL take)
{
    if (m_windowlessSite) {
        if (take && !(m_state & ControlState::UIActive) && FAILED(InPlaceActivate(OLEIVERB_UIACTIVATE)))
            return FALSE;
        // Activation may have replaced the windowless site.
        return m_windowlessSite && m_windowlessSite->SetFocus(take) == S_OK;
    }
    if (!(m_state & ControlState::InPlaceActive))
        return FALSE;
    if (take && !(m_state & ControlState::UIActive))
        return SUCCEEDED(InPlaceActivate(OLEIVERB_UIACTIVATE));
    HWND target = take ? m_window : m_parentWindow;
    return target && ::SetFocus(target) != nullptr;
}

BOOL CControlEmbedding::HasFocus()
{
    if (m_windowlessSite)
        return m_windowlessSite->GetFocus() == S_OK;
    return (m_state & ControlState::InPlaceActive) && m_window && ::GetFocus() == m_window;
}

BOOL CControlEmbedding::SetControlCapture(BOOL capture)
{
    if (m_windowlessSite)
        return m_windowlessSite->SetCapture(capture) == S_OK;
    if (!(m_state & ControlState::InPlaceActive))
        return FALSE;
    if (capture) {
        if (m_window)
            ::SetCapture(m_window);
    } else {
        ReleaseCapture();
    }
    return TRUE;
}

void CControlEmbedding::SetModalState(bool modal)
{
    if (m_frame) {
        m_frame->EnableModeless(!modal);
        return;
    }
    if (!m_clientSite)
        return;
    try {
        IOleInPlaceSite* site = nullptr;
        if (FAILED(m_clientSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&site))) || !site)
            return;
        HWND window = nullptr;
        site->GetWindow(&window);
        site->Release();
        if (!window)
            return;
        HWND top = window;
        for (HWND up = GetParent(top); up; up = GetParent(top))
            top = up;
        if (HWND owner = ::GetWindow(top, GW_OWNER))
            top = owner;
        EnableWindow(top, !modal);
    } catch (...) {
        // The walk is a courtesy to the container; a fault in it changes nothing.
    }
}
