// CDragTracker: registration with the input dispatcher, the target search
// near the cursor, the drop guide, the cursors and the end of the drag.
#include "DragTracker.h"

#include "HeaderDragHost.h"
#include "HeaderDragOperation.h"
#include "HvDragEffectWnd.h"
#include "HvDropGuideWnd.h"
#include "InputDispatcher.h"

#include <new>

namespace {

// WM_MOUSEMOVE and WM_LBUTTONUP; WM_KEYDOWN.
constexpr std::uint32_t MouseMask = 0x5;
constexpr std::uint32_t KeyMask = 0x1;

bool ContainsInclusive(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x <= rect.right && point.y >= rect.top && point.y <= rect.bottom;
}

} // namespace

POINT DragEdgePoint(const RECT& rectangle, int side)
{
    return POINT{side == 1 ? rectangle.right : rectangle.left, rectangle.top};
}

CDragTracker::CDragTracker(HeaderDragHost* host, InputDispatcher* dispatcher)
    : m_effect(new (std::nothrow) HvDragEffectWnd), m_dispatcher(dispatcher), m_host(host),
      m_guide(new (std::nothrow) HvDropGuideWnd)
{
}

CDragTracker::~CDragTracker()
{
    Unregister();
    m_effect.reset();
    if (m_operation)
        m_operation->Release();
    m_guide.reset();
}

bool CDragTracker::SetOperation(HeaderDragOperation* operation, bool noImage, HWND gridWindow)
{
    if (m_operation)
        m_operation->Release();
    m_operation = operation;
    m_noImage = noImage;
    m_grid = gridWindow;
    if (m_effect)
        m_effect->ClearImage();
    if (!m_operation)
        return true;
    m_operation->AddRef();
    if (HvColumnGroupImpl* first = m_operation->FirstItem()) {
        if (m_host)
            m_host->PrepareDragImage(first, *this, m_operation->HasSeveralItems());
    }
    return true;
}

HDC CDragTracker::GetEffectWindowDC()
{
    if (m_noImage)
        return nullptr;
    if (!m_effect)
        m_effect.reset(new (std::nothrow) HvDragEffectWnd);
    if (!m_effect || !m_effect->Create())
        return nullptr;
    // The class keeps its own device context: nothing to release.
    return GetDC(m_effect->Window());
}

void CDragTracker::SetDragImage(HBITMAP bitmap, int width, int height, HRGN region)
{
    if (m_effect) {
        m_effect->SetImage(bitmap, width, height, region);
        return;
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (region)
        DeleteObject(region);
}

void CDragTracker::SetCursors(HCURSOR drop, HCURSOR noDrop)
{
    m_dropCursor = drop;
    m_noDropCursor = noDrop;
}

bool CDragTracker::Start()
{
    m_dropAllowed = false;
    Register();
    if (m_effect && m_effect->Create())
        m_effect->ShowAt(POINT{0, 0});
    if (!m_guide)
        m_guide.reset(new (std::nothrow) HvDropGuideWnd);
    if (m_guide) {
        m_guide->SetOwner(m_grid);
        m_guide->Create();
    }
    SetCursorState(CursorTarget);
    return true;
}

void CDragTracker::End()
{
    Unregister();
    if (m_host)
        m_host->DisarmAutoScroll();
    RestoreCursor();
    if (m_effect)
        m_effect->Hide();
    HideDropGuide();
}

void CDragTracker::Register()
{
    if (!m_dispatcher)
        return;
    if (!m_mouseId)
        m_dispatcher->RegisterMouseSink(static_cast<InputOperation*>(this), &m_mouseId, true, MouseMask);
    if (!m_keyId)
        m_dispatcher->RegisterKeySink(static_cast<KeyMessageSink*>(this), &m_keyId, KeyMask);
}

void CDragTracker::Unregister()
{
    if (m_mouseId && m_dispatcher)
        m_dispatcher->Unregister(m_mouseId);
    m_mouseId = 0;
    if (m_keyId && m_dispatcher)
        m_dispatcher->Unregister(m_keyId);
    m_keyId = 0;
}

bool CDragTracker::FindTarget(POINT point, HeaderDragTarget* target, RECT* rectangle)
{
    if (!m_operation)
        return false;
    const LONG h = m_effect ? m_effect->Height() : 0;
    const LONG tries[] = {point.y - h / 2, point.y, point.y - h};
    for (LONG y : tries) {
        target->Reset();
        SetRectEmpty(rectangle);
        if (m_operation->FindTarget(POINT{point.x, y}, target, rectangle))
            return true;
    }
    return false;
}

LRESULT CDragTracker::OnMouseMove(UINT, int x, int y, bool&)
{
    const POINT point{x, y};
    if (!IsRectEmpty(&m_quiet) && PtInRect(&m_quiet, point)) {
        FollowWithEffect(point);
        return 0;
    }
    HeaderDragTarget target;
    RECT rectangle{};
    if (!m_operation)
        return 0;
    if (m_host)
        m_host->ArmAutoScroll(x, y, true);
    if (!FindTarget(point, &target, &rectangle)) {
        SetCursorState(CursorNoTarget);
        HideDropGuide();
    } else {
        SetCursorState(CursorTarget);
        bool allowed = m_operation->CanDrop(point, &target, &rectangle);
        if (!allowed) {
            HideDropGuide();
        } else {
            m_operation->DropSide(&target, point, rectangle);
            const POINT anchor = DragEdgePoint(rectangle, target.side);
            if (m_host && m_host->HasColScrollRegions() && !m_host->ColScrollRegionAt(anchor.x))
                allowed = false;
        }
        UpdateGuide(&target, point, rectangle, allowed);
    }
    FollowWithEffect(point);
    return 0;
}

void CDragTracker::UpdateGuide(HeaderDragTarget* target, POINT point, const RECT& rectangle, bool allowed)
{
    if (target->IsEmpty()) {
        if (allowed)
            ShowDropGuide(target, point, rectangle);
        else
            HideDropGuide();
        return;
    }
    DragHeaderElement header;
    if (!m_host || !m_host->HeaderElementAt(point, &header))
        return;
    if (allowed && (header.whole || ContainsInclusive(header.clipped, DragEdgePoint(rectangle, target->side))))
        ShowDropGuide(target, point, rectangle);
    else
        HideDropGuide();
}

void CDragTracker::ShowDropGuide(HeaderDragTarget* target, POINT point, const RECT& rectangle)
{
    m_operation->DropSide(target, point, rectangle);
    const LONG half = (rectangle.right - rectangle.left) / 2;
    m_quiet.top = rectangle.top;
    m_quiet.bottom = rectangle.bottom;
    if (target->side == 0) {
        m_quiet.left = rectangle.left;
        m_quiet.right = rectangle.left + half;
    } else {
        m_quiet.right = rectangle.right;
        m_quiet.left = rectangle.right - half;
    }
    if (m_guide)
        m_guide->Place(ToScreen(DragEdgePoint(rectangle, target->side)), rectangle);
    m_dropAllowed = true;
}

void CDragTracker::HideDropGuide()
{
    if (m_guide)
        m_guide->Hide();
    SetRectEmpty(&m_quiet);
    m_dropAllowed = false;
}

void CDragTracker::FollowWithEffect(POINT client)
{
    if (m_effect)
        m_effect->MoveTo(ToScreen(client), true);
    if (m_grid)
        UpdateWindow(m_grid);
}

POINT CDragTracker::ToScreen(POINT client) const
{
    if (m_grid)
        ClientToScreen(m_grid, &client);
    return client;
}

LRESULT CDragTracker::OnLButtonUp(UINT, int x, int y, bool&)
{
    // Only where the last move showed the guide: not outside every column
    // scroll region, nor on a header shown too little to mark the place.
    if (m_operation && m_cursorState == CursorTarget && m_dropAllowed) {
        const POINT point{x, y};
        HeaderDragTarget target;
        RECT rectangle{};
        // A drop that would change nothing (onto a dragged header, or back
        // where the headers stand) moves nothing and fires no event.
        if (FindTarget(point, &target, &rectangle) && m_operation->CanDrop(point, &target, &rectangle))
            m_operation->PerformMove(point, &target, &rectangle);
    }
    End();
    return 0;
}

LRESULT CDragTracker::OnKeyDown(WPARAM key, LPARAM, bool& handled)
{
    if (key != VK_ESCAPE)
        return 0;
    End();
    handled = true;
    return 0;
}

LRESULT CDragTracker::OnSetCursor(HWND, UINT, UINT)
{
    return m_cursorState != CursorNone ? TRUE : 0;
}

LRESULT CDragTracker::CancelMode()
{
    End();
    return 0;
}

void CDragTracker::SetCursorState(int state)
{
    if (state == m_cursorState)
        return;
    HCURSOR cursor;
    if (state == CursorTarget)
        cursor = m_dropCursor ? m_dropCursor : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    else if (state == CursorNoTarget)
        cursor = m_noDropCursor ? m_noDropCursor : LoadCursorW(nullptr, MAKEINTRESOURCEW(32648));
    else
        return;
    HCURSOR previous = SetCursor(cursor);
    if (!m_cursorSaved) {
        m_savedCursor = previous;
        m_cursorSaved = true;
    }
    m_cursorState = state;
}

void CDragTracker::RestoreCursor()
{
    if (m_cursorSaved) {
        SetCursor(m_savedCursor);
        m_savedCursor = nullptr;
        m_cursorSaved = false;
    }
    m_cursorState = CursorNone;
}
