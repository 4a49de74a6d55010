// The view of the control base: drawing for a container that has not
// activated the control (or wants a picture of it), the colour set, the
// view advise, the extent and rectangle, the view status and the hit tests
// of a windowless control; the inactive-pointer interface; and the
// transform between HIMETRIC and container coordinates.
#include "ControlEmbedding.h"

#include "ReleaseField.h"
#include "TargetDevice.h"
#include "Units.h"

#include <memory>
#include <new>

namespace {

// A target device context made for one drawing, deleted when it ends.
class OwnedDC {
public:
    OwnedDC() = default;
    ~OwnedDC()
    {
        if (dc_)
            DeleteDC(dc_);
    }
    OwnedDC(const OwnedDC&) = delete;
    OwnedDC& operator=(const OwnedDC&) = delete;
    void Reset(HDC dc) { dc_ = dc; }
    HDC Get() const { return dc_; }

private:
    HDC dc_ = nullptr;
};

// The mapping of a screen device context, set to plain device pixels for
// one drawing and put back afterwards. The mode goes back before the
// extents: extents set under MM_TEXT would be ignored and lost.
class DeviceMapping {
public:
    explicit DeviceMapping(HDC dc) : dc_(dc)
    {
        SetViewportOrgEx(dc, 0, 0, &viewportOrigin_);
        SetWindowOrgEx(dc, 0, 0, &windowOrigin_);
        GetWindowExtEx(dc, &windowExtent_);
        GetViewportExtEx(dc, &viewportExtent_);
        mode_ = SetMapMode(dc, MM_TEXT);
    }
    ~DeviceMapping()
    {
        if (mode_)
            SetMapMode(dc_, mode_);
        SetWindowExtEx(dc_, windowExtent_.cx, windowExtent_.cy, nullptr);
        SetViewportExtEx(dc_, viewportExtent_.cx, viewportExtent_.cy, nullptr);
        SetWindowOrgEx(dc_, windowOrigin_.x, windowOrigin_.y, nullptr);
        SetViewportOrgEx(dc_, viewportOrigin_.x, viewportOrigin_.y, nullptr);
    }
    DeviceMapping(const DeviceMapping&) = delete;
    DeviceMapping& operator=(const DeviceMapping&) = delete;

private:
    HDC dc_;
    POINT viewportOrigin_{};
    POINT windowOrigin_{};
    SIZE windowExtent_{};
    SIZE viewportExtent_{};
    int mode_ = 0;
};

bool IsDrawAspect(DWORD aspect)
{
    return aspect == DVASPECT_CONTENT || aspect == DVASPECT_OPAQUE || aspect == DVASPECT_TRANSPARENT;
}

} // namespace

// --- IViewObject, IViewObject2, IViewObjectEx ------------------------------

STDMETHODIMP CControlEmbedding::Draw(DWORD aspect, LONG, void* aspectInfo, DVTARGETDEVICE* device, HDC targetDevice,
                                     HDC draw, LPCRECTL bounds, LPCRECTL windowBounds,
                                     BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR)
{
    if (!IsDrawAspect(aspect))
        return DV_E_DVASPECT;
    if (!draw)
        return E_INVALIDARG;
    try {
        const int technology = GetDeviceCaps(draw, TECHNOLOGY);
        const bool offscreen = technology == DT_METAFILE || technology == DT_RASPRINTER;
        OwnedDC madeTarget;
        if (offscreen) {
            if (!targetDevice) {
                madeTarget.Reset(CreateTargetDC(device));
                targetDevice = madeTarget.Get();
            }
        } else if (m_window && (m_state & ControlState::WindowlessCapable)) {
            // The control's own window paints it.
            return S_OK;
        }

        BOOL optimize = FALSE;
        const auto* info = static_cast<const DVASPECTINFO*>(aspectInfo);
        if (info && info->cb == sizeof(DVASPECTINFO))
            optimize = (info->dwFlags & DVASPECTINFOFLAG_CANOPTIMIZE) ? TRUE : FALSE;

        RECTL area = {m_position.left, m_position.top, m_position.right, m_position.bottom};
        std::unique_ptr<DeviceMapping> mapping;
        if (bounds) {
            area = *bounds;
            if (!offscreen) {
                POINT corners[2] = {{bounds->left, bounds->top}, {bounds->right, bounds->bottom}};
                LPtoDP(draw, corners, 2);
                area = RECTL{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
                mapping = std::make_unique<DeviceMapping>(draw);
            }
        }

        RECT clip{};
        if (GetClipBox(draw, &clip) == ERROR || IsRectEmpty(&clip))
            clip = RECT{area.left, area.top, area.right, area.bottom};
        m_paintClip = clip;

        return OnDraw(aspect, draw, &area, windowBounds, targetDevice, optimize);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CControlEmbedding::GetColorSet(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC targetDevice,
                                            LOGPALETTE** colors)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!colors)
        return E_POINTER;
    *colors = nullptr;
    try {
        if (!OnGetPalette(targetDevice, colors))
            return E_NOTIMPL;
        return *colors ? S_OK : S_FALSE;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CControlEmbedding::Freeze(DWORD, LONG, void*, DWORD*) { return E_NOTIMPL; }
STDMETHODIMP CControlEmbedding::Unfreeze(DWORD) { return E_NOTIMPL; }

STDMETHODIMP CControlEmbedding::GetNaturalExtent(DWORD, LONG, DVTARGETDEVICE*, HDC, DVEXTENTINFO*, LPSIZEL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CControlEmbedding::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink)
{
    if (!(aspects & DVASPECT_CONTENT))
        return DV_E_DVASPECT;
    m_ambient &= ~(AmbientState::AdvisePrimeFirst | AmbientState::AdviseOnlyOnce);
    if (flags & ADVF_PRIMEFIRST)
        m_ambient |= AmbientState::AdvisePrimeFirst;
    if (flags & ADVF_ONLYONCE)
        m_ambient |= AmbientState::AdviseOnlyOnce;
    if (sink)
        sink->AddRef();
    ReleaseField(m_viewAdviseSink);
    m_viewAdviseSink = sink;
    if (flags & ADVF_PRIMEFIRST)
        ViewChanged();
    return S_OK;
}

STDMETHODIMP CControlEmbedding::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink)
{
    if (aspects)
        *aspects = DVASPECT_CONTENT;
    if (flags) {
        *flags = 0;
        if (m_ambient & AmbientState::AdvisePrimeFirst)
            *flags |= ADVF_PRIMEFIRST;
        if (m_ambient & AmbientState::AdviseOnlyOnce)
            *flags |= ADVF_ONLYONCE;
    }
    if (sink) {
        *sink = m_viewAdviseSink;
        if (m_viewAdviseSink)
            m_viewAdviseSink->AddRef();
    }
    return S_OK;
}

STDMETHODIMP CControlEmbedding::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size)
{
    return GetExtent(aspect, size);
}

STDMETHODIMP CControlEmbedding::GetRect(DWORD aspect, LPRECTL rectangle)
{
    if (!rectangle)
        return E_POINTER;
    try {
        if (!OnGetRect(aspect, rectangle))
            return DV_E_DVASPECT;
    } catch (...) {
        return E_UNEXPECTED;
    }
    SIZE topLeft{}, bottomRight{};
    PixelsToHimetric(SIZE{rectangle->left, rectangle->top}, topLeft);
    PixelsToHimetric(SIZE{rectangle->right, rectangle->bottom}, bottomRight);
    *rectangle = RECTL{topLeft.cx, topLeft.cy, bottomRight.cx, bottomRight.cy};
    return S_OK;
}

STDMETHODIMP CControlEmbedding::GetViewStatus(DWORD* status)
{
    if (!status)
        return E_POINTER;
    *status = (m_state & ControlState::Opaque) ? VIEWSTATUS_OPAQUE : 0;
    return S_OK;
}

STDMETHODIMP CControlEmbedding::QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT location, LONG, DWORD* hitResult)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!bounds || !hitResult)
        return E_POINTER;
    *hitResult = PtInRect(bounds, location) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

STDMETHODIMP CControlEmbedding::QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT location, LONG,
                                             DWORD* hitResult)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!bounds || !location || !hitResult)
        return E_POINTER;
    RECT common{};
    *hitResult = IntersectRect(&common, bounds, location) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

// --- IPointerInactive -------------------------------------------------------

STDMETHODIMP CControlEmbedding::GetActivationPolicy(DWORD* policy)
{
    if (!policy)
        return E_POINTER;
    *policy = ControlInfo().pointerActivationPolicy;
    return S_OK;
}

STDMETHODIMP CControlEmbedding::OnInactiveMouseMove(LPCRECT, LONG, LONG, DWORD) { return S_OK; }
STDMETHODIMP CControlEmbedding::OnInactiveSetCursor(LPCRECT, LONG, LONG, DWORD, BOOL) { return S_OK; }

// --- Coordinates --------------------------------------------------------------

HRESULT CControlEmbedding::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags)
{
    if (!himetric || !container)
        return E_POINTER;
    if (m_controlSite && SUCCEEDED(m_controlSite->TransformCoords(himetric, container, flags)))
        return S_OK;
    // No container that scales: its units are HIMETRIC.
    if (flags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
        himetric->x = static_cast<LONG>(container->x);
        himetric->y = static_cast<LONG>(container->y);
    } else {
        container->x = static_cast<float>(himetric->x);
        container->y = static_cast<float>(himetric->y);
    }
    return S_OK;
}
