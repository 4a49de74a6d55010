// Sizing a UI element with the mouse, with XOR feedback on the screen.
#include "ElementSizeOperation.h"

#include "HvUIElement.h"
#include "InputDispatcher.h"
#include "SizingHost.h"

#include <atomic>
#include <new>

namespace {

constexpr std::uint32_t kMouseMask = 0x805;  // WM_MOUSEMOVE, WM_LBUTTONUP, WM_SETCURSOR
constexpr std::uint32_t kKeyMask = 0x1;      // WM_KEYDOWN
constexpr DWORD kPatInvert = 0x5A0049;

// The 8 x 8 checkerboard that thick feedback bars are drawn with; made once
// and kept for the life of the module.
class HalftonePattern {
public:
    HalftonePattern()
    {
        static const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
        bitmap_ = CreateBitmap(8, 8, 1, 1, rows);
    }
    ~HalftonePattern()
    {
        if (bitmap_)
            DeleteObject(bitmap_);
    }
    HalftonePattern(const HalftonePattern&) = delete;
    HalftonePattern& operator=(const HalftonePattern&) = delete;
    HBITMAP Get() const { return bitmap_; }

private:
    HBITMAP bitmap_;
};

HBITMAP Halftone()
{
    static const HalftonePattern pattern;
    return pattern.Get();
}

std::atomic<HDC> g_feedbackSurface{nullptr};

// The screen (or the surface set in its place) with its origin at the grid
// window's client corner, so that grid client rectangles land where they
// are shown.
class GridScreenDC {
public:
    explicit GridScreenDC(HWND grid) : surface_(g_feedbackSurface.load()), dc_(surface_ ? surface_ : GetDC(nullptr))
    {
        POINT corner{0, 0};
        ClientToScreen(grid, &corner);
        if (dc_)
            OffsetViewportOrgEx(dc_, corner.x, corner.y, &previous_);
    }
    ~GridScreenDC()
    {
        if (!dc_)
            return;
        SetViewportOrgEx(dc_, previous_.x, previous_.y, nullptr);
        if (!surface_)
            ReleaseDC(nullptr, dc_);
    }
    GridScreenDC(const GridScreenDC&) = delete;
    GridScreenDC& operator=(const GridScreenDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC surface_;
    HDC dc_;
    POINT previous_ = {};
};

bool IsEmpty(const RECT& rect)
{
    return IsRectEmpty(&rect) != FALSE;
}

RECT Moved(RECT rect, int dx, int dy)
{
    OffsetRect(&rect, dx, dy);
    return rect;
}

// Copies the screen under the bar, inverts it through the pattern and puts
// it back: drawing the same bar twice restores the screen.
void DrawPatternedBar(HDC screen, const RECT& bar, HBITMAP pattern)
{
    const int width = bar.right - bar.left;
    const int height = bar.bottom - bar.top;
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HBRUSH brush = CreatePatternBrush(pattern);
    if (memory && bitmap && brush) {
        HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
        HGDIOBJ oldBrush = SelectObject(memory, brush);
        BitBlt(memory, 0, 0, width, height, screen, bar.left, bar.top, SRCCOPY);
        PatBlt(memory, 0, 0, width, height, kPatInvert);
        BitBlt(screen, bar.left, bar.top, width, height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, oldBrush);
        SelectObject(memory, oldBitmap);
    }
    if (brush)
        DeleteObject(brush);
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
}

} // namespace

ElementSizeOperation::ElementSizeOperation(HvUIElement* element, POINT start) : element_(element), start_(start)
{
    // A re-layout during the drag may drop the element from its tree: the
    // reference keeps the object until the release decides.
    element_->AddRef();
}

ElementSizeOperation::~ElementSizeOperation()
{
    element_->Release();
}

bool StartElementSizing(SizingHost& host, HvUIElement* element, POINT start, ElementSizeOperation** operation)
{
    if (operation)
        *operation = nullptr;
    if (!element || !element->IsAlive() || !element->GetControl())
        return false;
    auto* made = new (std::nothrow) ElementSizeOperation(element, start);
    if (!made)
        return false;
    if (!made->Begin(host)) {
        delete made;
        return false;
    }
    if (operation)
        *operation = made;
    made->UpdateFeedback(start.x, start.y);
    return true;
}

bool ElementSizeOperation::Begin(SizingHost& host)
{
    grid_ = host.GetGridWindow();
    dispatcher_ = host.SizingDispatcher();
    if (!grid_ || !IsWindow(grid_) || !IsWindowVisible(grid_) || !dispatcher_)
        return false;

    AdjustmentRange range;
    element_->GetAdjustmentRange(range);
    verticalShrink_ = range.limits[0];
    verticalGrow_ = range.limits[1];
    horizontalShrink_ = range.limits[2];
    horizontalGrow_ = range.limits[3];
    verticalBar_ = range.vertical;
    horizontalBar_ = range.horizontal;

    sizesVertically_ = (verticalShrink_ != 0 || verticalGrow_ != 0) && !IsEmpty(verticalBar_);
    verticalPatterned_ = verticalBar_.bottom - verticalBar_.top > 2;
    sizesHorizontally_ = (horizontalShrink_ != 0 || horizontalGrow_ != 0) && !IsEmpty(horizontalBar_);
    horizontalPatterned_ = horizontalBar_.right - horizontalBar_.left > 2;
    if (!sizesVertically_ && !sizesHorizontally_)
        return false;

    sizingCursor_ = element_->GetAdjustCursor();
    if (!dispatcher_->RegisterMouseSink(this, &mouseId_, true, kMouseMask))
        return false;
    if (!dispatcher_->RegisterKeySink(this, &keyId_, kKeyMask)) {
        dispatcher_->Unregister(mouseId_);
        return false;
    }
    return true;
}

int ElementSizeOperation::Clamp(int delta, long shrink, long grow)
{
    if (delta < 0 && delta < -shrink)
        return static_cast<int>(-shrink);
    if (delta > 0 && delta > grow)
        return static_cast<int>(grow);
    return delta;
}

int ElementSizeOperation::HorizontalDelta(int x) const
{
    return sizesHorizontally_ ? Clamp(x - start_.x, horizontalShrink_, horizontalGrow_) : 0;
}

int ElementSizeOperation::VerticalDelta(int y) const
{
    return sizesVertically_ ? Clamp(y - start_.y, verticalShrink_, verticalGrow_) : 0;
}

void ElementSizeOperation::DrawBar(HDC screen, const RECT& bar, bool patterned)
{
    HBITMAP pattern = patterned ? Halftone() : nullptr;
    if (pattern)
        DrawPatternedBar(screen, bar, pattern);
    else
        InvertRect(screen, &bar);
}

void ElementSizeOperation::UpdateFeedback(int x, int y)
{
    if (!IsWindow(grid_))
        return;
    const int horizontal = HorizontalDelta(x);
    const int vertical = VerticalDelta(y);
    const bool moveHorizontal = sizesHorizontally_ && horizontal != lastHorizontal_;
    const bool moveVertical = sizesVertically_ && vertical != lastVertical_;
    if (!moveHorizontal && !moveVertical)
        return;
    GridScreenDC screen(grid_);
    if (!screen.Get())
        return;
    if (moveHorizontal) {
        if (!IsEmpty(horizontalFeedback_))
            DrawBar(screen.Get(), horizontalFeedback_, horizontalPatterned_);
        horizontalFeedback_ = Moved(horizontalBar_, horizontal, 0);
        DrawBar(screen.Get(), horizontalFeedback_, horizontalPatterned_);
    }
    if (moveVertical) {
        if (!IsEmpty(verticalFeedback_))
            DrawBar(screen.Get(), verticalFeedback_, verticalPatterned_);
        verticalFeedback_ = Moved(verticalBar_, 0, vertical);
        DrawBar(screen.Get(), verticalFeedback_, verticalPatterned_);
    }
    lastHorizontal_ = horizontal;
    lastVertical_ = vertical;
}

void ElementSizeOperation::EraseFeedback()
{
    if (!IsWindow(grid_))
        return;
    GridScreenDC screen(grid_);
    if (!screen.Get())
        return;
    if (sizesHorizontally_ && !IsEmpty(horizontalFeedback_)) {
        DrawBar(screen.Get(), horizontalFeedback_, horizontalPatterned_);
        SetRectEmpty(&horizontalFeedback_);
    }
    if (sizesVertically_ && !IsEmpty(verticalFeedback_)) {
        DrawBar(screen.Get(), verticalFeedback_, verticalPatterned_);
        SetRectEmpty(&verticalFeedback_);
    }
}

void ElementSizeOperation::Unregister()
{
    if (keyId_)
        dispatcher_->Unregister(keyId_);
    if (mouseId_)
        dispatcher_->Unregister(mouseId_);
    keyId_ = 0;
    mouseId_ = 0;
}

LRESULT ElementSizeOperation::OnMouseMove(UINT, int x, int y, bool&)
{
    UpdateFeedback(x, y);
    return 0;
}

LRESULT ElementSizeOperation::OnLButtonUp(UINT, int x, int y, bool&)
{
    EraseFeedback();
    Unregister();
    const int horizontal = HorizontalDelta(x);
    const int vertical = VerticalDelta(y);
    HvUIElement* element = element_;
    element->AddRef();
    delete this;
    // An element that died during the drag stands for nothing any more.
    if (element->IsAlive())
        element->ApplyAdjustment(horizontal, vertical);
    element->Release();
    return 0;
}

LRESULT ElementSizeOperation::OnSetCursor(HWND, UINT, UINT)
{
    if (!sizingCursor_)
        return 0;
    HCURSOR previous = SetCursor(sizingCursor_);
    if (!cursorSet_) {
        replacedCursor_ = previous;
        cursorSet_ = true;
    }
    return 1;
}

LRESULT ElementSizeOperation::CancelMode()
{
    Cancel();
    return 0;
}

LRESULT ElementSizeOperation::OnKeyDown(WPARAM wParam, LPARAM, bool& handled)
{
    if (wParam != VK_ESCAPE)
        return 0;
    handled = true;
    Cancel();
    return 0;
}

void ElementSizeOperation::Cancel()
{
    EraseFeedback();
    Unregister();
    delete this;
}

void ElementSizeOperation::SetFeedbackSurface(HDC surface)
{
    g_feedbackSurface = surface;
}
