// Hover tracking: MouseEnter and MouseExit along the element tree, elements
// that died between messages replaced by their live equivalents, and hover
// notices for the elements' tips.
#include "MouseHoverOperation.h"

#include "EventEnableMask.h"
#include "HoverHost.h"
#include "HvUIElement.h"
#include "InputDispatcher.h"

namespace {

// WM_MOUSEMOVE, WM_MOUSEHOVER and WM_MOUSELEAVE.
constexpr std::uint32_t kHoverMask = 0xC001;
constexpr ULONG kSwapButtonElement = 6400;

// A context object of the element, or a value that asks for none.
CAutomationObject* OrNone(CAutomationObject* object)
{
    return object ? object : MustBeNone;
}

// Holds an element for the length of a handler that may release it.
class ElementHold
{
public:
    explicit ElementHold(HvUIElement* element) : element_(element) { element_->AddRef(); }
    ~ElementHold() { element_->Release(); }
    ElementHold(const ElementHold&) = delete;
    ElementHold& operator=(const ElementHold&) = delete;

private:
    HvUIElement* element_;
};

} // namespace

MouseHoverOperation::MouseHoverOperation(HoverHost& host) : host_(host)
{
    if (InputDispatcher* dispatcher = host_.HoverDispatcher())
        registered_ = dispatcher->RegisterMouseSink(this, &id_, false, kHoverMask);
}

MouseHoverOperation::~MouseHoverOperation()
{
    if (registered_) {
        if (InputDispatcher* dispatcher = host_.HoverDispatcher())
            dispatcher->Unregister(id_);
    }
    SetCurrent(nullptr);
}

bool MouseHoverOperation::IsTracking()
{
    return registered_ && (host_.IsDesignMode() || host_.HasPainted());
}

void MouseHoverOperation::SetCurrent(HvUIElement* element)
{
    if (current_ == element)
        return;
    // The current element is referenced as well as its context objects: a
    // re-layout may drop it from the tree while it is current, and it must
    // stay readable to find its live equivalent.
    // A header's swap button looks raised while the pointer is over it.
    auto redrawSwapButton = [](HvUIElement* button) {
        if (button && button->Type() == kSwapButtonElement && button->IsAlive())
            button->Invalidate(false, false);
    };
    if (current_) {
        redrawSwapButton(current_);
        current_->ReleaseContextObjects();
        current_->Release();
    }
    current_ = element;
    if (current_) {
        current_->AddRef();
        current_->AddRefContextObjects();
        redrawSwapButton(current_);
    }
}

HvUIElement* MouseHoverOperation::FindEquivalent(HvUIElement* root, HvUIElement* element)
{
    DescendantQuery query;
    query.type = element->Type();
    query.rowScrollRegion = OrNone(element->ResolveRowScrollRegion());
    query.colScrollRegion = OrNone(element->ResolveColScrollRegion());
    query.row = OrNone(element->ResolveRow());
    query.header = OrNone(element->ResolveHeader());
    query.cell = OrNone(element->ResolveCell());
    query.band = OrNone(element->ResolveBand());
    return root->GetDescendant(query);
}

void MouseHoverOperation::FireEnterChain(HvUIElement* stop, HvUIElement* element)
{
    if (!element || element == stop)
        return;
    // Outermost first.
    FireEnterChain(stop, element->GetParent());
    ElementHold hold(element);
    element->OnMouseEnter();
    host_.EventGate().Fire_MouseEnter(element->Interface());
}

void MouseHoverOperation::FireExitChain(HvUIElement* stop, HvUIElement* element)
{
    // Innermost first.
    while (element && element != stop) {
        ElementHold hold(element);
        element->OnMouseLeave();
        host_.EventGate().Fire_MouseExit(element->Interface());
        element = element->GetParent();
    }
}

LRESULT MouseHoverOperation::OnMouseMove(UINT, int x, int y, bool&)
{
    if (!IsTracking())
        return 0;
    HvUIElement* root = host_.GetRootUIElement();
    if (!root)
        return 1;
    if (HWND window = host_.GetGridWindow())
        UpdateWindow(window);
    const POINT point{x, y};
    HvUIElement* hit = root->ElementFromPoint(point, UIElementType::Any, false, false);
    if (!hit)
        return 1;

    if (current_) {
        if (current_->IsEquivalentTo(hit))
            return RearmHover();
        HvUIElement* alive = current_->GetFirstAliveAncestor();
        if (!alive)
            return 1;
        HvUIElement* found = FindEquivalent(root, alive);
        if (found == hit)
            return RearmHover();
        if (found != current_) {
            SetCurrent(nullptr);
            if (found && found->IsAlive())
                SetCurrent(found);
        }
    }

    HvUIElement* old = current_;
    if (!old) {
        // The first move over the grid: the root alone is entered here.
        FireEnterChain(nullptr, root);
        old = root;
    }
    if (old != hit) {
        if (old->IsDescendantOf(hit)) {
            FireExitChain(hit, old);
        } else if (hit->IsDescendantOf(old)) {
            FireEnterChain(old, hit);
        } else {
            HvUIElement* ancestor = FindCommonAncestorUIElement(old, hit);
            FireExitChain(ancestor, old);
            FireEnterChain(ancestor, hit);
        }
    }

    // Handlers may have changed the grid: look again.
    root = host_.GetRootUIElement();
    if (!root) {
        SetCurrent(nullptr);
        return 1;
    }
    root->VerifyChildElements();
    HvUIElement* now = root->ElementFromPoint(point, UIElementType::Any, false, false);
    if (now == current_)
        return RearmHover();
    SetCurrent(now);
    hoverAwaited_ = current_ && current_->ResolveWantsMouseHover() && GridInActiveWindow();
    hoverRequested_ = false;
    if (hoverAwaited_ && !hovering_)
        ShowTip();
    return 0;
}

LRESULT MouseHoverOperation::RearmHover()
{
    // A hover request ends with its notice, and takes only while the
    // pointer the system knows lies over the tracked window: while the
    // element under the pointer wants notices, each move over it, and each
    // re-layout under a resting pointer, asks for the next one.
    if (hoverAwaited_ && !hoverRequested_)
        ShowTip();
    return 0;
}

LRESULT MouseHoverOperation::OnMouseLeave(UINT, int, int, bool&)
{
    if (!IsTracking())
        return 0;
    HvUIElement* root = host_.GetRootUIElement();
    if (!root)
        return 1;
    hoverAwaited_ = false;
    hoverRequested_ = false;
    if (!current_)
        return 0;
    HvUIElement* found = nullptr;
    for (HvUIElement* element = current_; element && !found;) {
        HvUIElement* alive = element->GetFirstAliveAncestor();
        if (alive)
            found = FindEquivalent(root, alive);
        element = alive ? alive->GetParent() : element->GetParent();
    }
    if (found)
        FireExitChain(nullptr, found);
    SetCurrent(nullptr);
    return 0;
}

LRESULT MouseHoverOperation::OnMouseHover(UINT keys, int x, int y, bool&)
{
    // The request is spent; the element still wants the next notice once
    // the pointer moves or the elements under it change.
    hoverRequested_ = false;
    if (!IsTracking())
        return 0;
    HvUIElement* root = host_.GetRootUIElement();
    if (!root)
        return 1;
    // The notice says where the pointer rests; a move message that trailed
    // behind it may have left another element current: follow the pointer
    // there first, without asking for another notice.
    HvUIElement* hit = root->ElementFromPoint(POINT{x, y}, UIElementType::Any, false, false);
    if (hit && (!current_ || !current_->IsEquivalentTo(hit))) {
        const bool wasHovering = hovering_;
        hovering_ = true;
        bool handled = false;
        OnMouseMove(keys, x, y, handled);
        hovering_ = wasHovering;
    }
    if (current_ && current_->IsAlive())
        current_->OnMouseHover(POINT{x, y});
    return 0;
}

void MouseHoverOperation::Recheck()
{
    HWND window = host_.GetGridWindow();
    POINT cursor;
    RECT screen;
    if (!window || !GetCursorPos(&cursor) || !GetWindowRect(window, &screen) || !PtInRect(&screen, cursor))
        return;
    ScreenToClient(window, &cursor);
    bool handled = false;
    OnMouseMove(0, cursor.x, cursor.y, handled);
}

void MouseHoverOperation::ShowTip()
{
    hoverRequested_ = host_.RequestTipHover() && PointerOverGrid();
}

bool MouseHoverOperation::PointerOverGrid()
{
    HWND window = host_.GetGridWindow();
    POINT cursor;
    return window && GetCursorPos(&cursor) && WindowFromPoint(cursor) == window;
}

bool MouseHoverOperation::GridInActiveWindow()
{
    HWND active = GetActiveWindow();
    if (!active)
        return false;
    if (HWND client = FindWindowExW(active, nullptr, L"MDIClient", nullptr))
        active = reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0));
    HWND grid = host_.GetGridWindow();
    return active && grid && IsChild(active, grid);
}
