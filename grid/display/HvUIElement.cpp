// HvUIElement: construction, the child list and its lazy positioning,
// geometry, liveness, context resolution and hit-testing.
#include "HvUIElement.h"

#include "AppearanceData.h"
#include "BorderStyleWidth.h"
#include "HvUIElements.h"
#include "HvUIRect.h"
#include "UIElementLayoutSeam.h"

HvUIElement::HvUIElement(UIElementLayoutSeam* layout, const RECT& rect, ULONG type)
    : HvObjectBaseImpl(ObjectType::HvUIElement), rect_(rect), layout_(layout), type_(type)
{
}

HvUIElement::HvUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect, ULONG type)
    : HvUIElement(layout, rect, type)
{
    parent_ = parent;
}

HvUIElement::~HvUIElement()
{
    Deactivate();
    if (children_)
        children_->Release();
    if (displayedRectObject_)
        displayedRectObject_->Release();
    if (rectObject_)
        rectObject_->Release();
}

HRESULT HvUIElement::Create(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect, ULONG type,
                            HvUIElement** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvUIElement(layout, parent, rect, type);
        return S_OK;
    });
}

HvUIElement* HvUIElement::FromObject(IUnknown* object)
{
    return dynamic_cast<HvUIElement*>(CAutomationObject::FromInterface(object, IID_IHvUIElement));
}

void HvUIElement::ReleaseReferences()
{
    // Children a client still holds must not reach back to this element.
    OrphanChildren();
    if (children_)
        CAutomationObject::Deactivate(children_);
}

void HvUIElement::OrphanChildren()
{
    if (!children_)
        return;
    for (const auto* node = children_->First(); node; node = children_->NextOf(node))
        if (auto* child = dynamic_cast<HvUIElement*>(node->item))
            child->Orphan();
}

// ---- the child list ----

HvUIElements* HvUIElement::GetChildElementList(bool create)
{
    if (!children_ && create)
        HvUIElements::Create(this, &children_);
    return children_;
}

std::vector<HvUIElement*> HvUIElement::ChildSnapshot()
{
    std::vector<HvUIElement*> children;
    if (!children_)
        return children;
    children.reserve(children_->ItemCount());
    for (const auto* node = children_->First(); node; node = children_->NextOf(node))
        if (auto* child = dynamic_cast<HvUIElement*>(node->item)) {
            child->AddRef();
            children.push_back(child);
        }
    return children;
}

namespace {

void ReleaseAll(std::vector<HvUIElement*>& elements)
{
    for (HvUIElement* element : elements)
        element->Release();
    elements.clear();
}

} // namespace

HvUIElement* HvUIElement::TakeChildOfType(HvUIElements* list, ULONG type, bool onlyUnheld)
{
    if (!list)
        return nullptr;
    for (auto* node = list->Head()->next; node != list->Head(); node = node->next) {
        auto* child = dynamic_cast<HvUIElement*>(node->item);
        if (!child || child->type_ != type || (onlyUnheld && child->held_))
            continue;
        list->ErasePointerListRange(node, node->next);
        return child;
    }
    return nullptr;
}

void HvUIElement::ReplaceChildren(std::vector<HvUIElement*>& fresh)
{
    HvUIElements* list = GetChildElementList(true);
    if (!list) {
        ReleaseAll(fresh);
        return;
    }
    // Elements not reused leave the tree. A client may still hold one: it
    // must neither reach back to this element nor to a layout that may go
    // before it, so it ends here.
    OrphanChildren();
    for (const auto* node = list->First(); node; node = list->NextOf(node))
        CAutomationObject::Deactivate(node->item->GetItemObject());
    list->ClearListCollection(true, 1);
    for (size_t i = 0; i < fresh.size(); ++i) {
        fresh[i]->parent_ = this;
        if (FAILED(list->InsertListCollectionItem(-1, fresh[i], false, 0)))
            fresh[i]->Release();
    }
    fresh.clear();
}

void HvUIElement::PositionChildElements()
{
    std::vector<HvUIElement*> children = ChildSnapshot();
    for (HvUIElement* child : children)
        if (!child->HasNoChildElements())
            child->PositionChildElements();
    ReleaseAll(children);
    childrenDirty_ = false;
}

HvUIElement* HvUIElement::TopmostDirtyOnPath()
{
    HvUIElement* parent = GetParent();
    if (parent)
        if (HvUIElement* above = parent->TopmostDirtyOnPath())
            return above;
    return childrenDirty_ ? this : nullptr;
}

void HvUIElement::VerifyChildElements()
{
    if (!IsAlive())
        return;
    HvUIElement* dirty = TopmostDirtyOnPath();
    if (!dirty)
        return;
    UIElementControlSeam* control = GetControl();
    if (dirty->type_ == UIElementType::Grid && control && control->IsCurrentLayout(layout_) &&
        layout_->GetRootUIElement() == dirty)
        layout_->FitToClientRect();
    if (dirty->IsAlive())
        dirty->PositionChildElements();
}

void HvUIElement::MarkChangedAndUpdate(bool invalidate)
{
    childrenDirty_ = true;
    if (invalidate)
        Invalidate(false, false);
    OnLayoutDirty();
}

void HvUIElement::OnLayoutDirty()
{
    if (HvUIElement* parent = GetParent())
        parent->OnLayoutDirty();
}

// ---- geometry ----

RECT HvUIElement::WindowRectInGrid(HWND window)
{
    RECT empty = {};
    UIElementControlSeam* control = GetControl();
    HWND grid = control ? control->GetGridWindow() : nullptr;
    if (!window || !grid || !IsWindow(window) || !IsWindow(grid) || !IsWindowVisible(window) ||
        !IsWindowVisible(grid))
        return empty;
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, grid, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT HvUIElement::GetRect()
{
    if (type_ == UIElementType::Edit)
        return WindowRectInGrid(layout_ ? layout_->GetEditWindow() : nullptr);
    if (type_ == UIElementType::DropDown)
        return WindowRectInGrid(layout_ ? layout_->GetActiveCellEditWindow() : nullptr);
    return rect_;
}

RECT HvUIElement::GetRectInsideBorders()
{
    RECT rect = GetRect();
    const int width = GetBorderWidth();
    if (width == 0)
        return rect;
    const UINT sides = GetBorderSides();
    if (sides & 1)
        rect.left += width;
    if (sides & 2)
        rect.top += width;
    if (sides & 4)
        rect.right -= width;
    if (sides & 8)
        rect.bottom -= width;
    return rect;
}

void HvUIElement::SetRect(const RECT& rect, bool invalidate)
{
    rect_ = rect;
    MarkChangedAndUpdate(invalidate);
    if (rectObject_)
        rectObject_->SetRect(rect_);
    if (displayedRectObject_)
        displayedRectObject_->SetRect(GetRectDisplayed());
}

void HvUIElement::ApplyAdjustment(int, int) {}

HvUIElement* HvUIElement::GetParent()
{
    if (type_ == UIElementType::Edit || type_ == UIElementType::DropDown) {
        UIElementControlSeam* control = GetControl();
        const bool byCell = control && (type_ == UIElementType::Edit ? control->IsInEditMode()
                                                                     : control->IsDroppedDown());
        if (byCell)
            if (HvUIElement* cell = control->GetActiveCellElement())
                return cell;
    }
    return parent_;
}

bool HvUIElement::PointInElement(POINT point)
{
    const RECT rect = GetRect();
    return PtInRect(&rect, point) != FALSE;
}

void HvUIElement::GetAdjustmentRange(AdjustmentRange& range)
{
    range = AdjustmentRange();
}

long HvUIElement::GetDrawState()
{
    HvUIElement* parent = GetParent();
    return parent ? parent->GetDrawState() : 0;
}

int HvUIElement::GetBorderWidth()
{
    return BorderStyleWidth(GetBorderStyle());
}

HCURSOR HvUIElement::GetCursor()
{
    HvUIElement* parent = GetParent();
    return parent ? parent->GetCursor() : nullptr;
}

HCURSOR HvUIElement::CursorFromAppearance(const AppearanceData& data)
{
    if (HCURSOR cursor = data.GetCursor())
        return cursor;
    HvUIElement* parent = GetParent();
    return parent ? parent->GetCursor() : nullptr;
}

RECT HvUIElement::GetClipRectFromParent()
{
    HvUIElement* parent = GetParent();
    if (!parent)
        return RECT{};
    if (parent->ClipsChildren())
        return parent->GetClipRectForChildren();
    if (parent->ClipsSelf())
        return parent->GetRectDisplayed();
    return parent->GetClipRectFromParent();
}

CAutomationObject* HvUIElement::GetContextObject()
{
    HvUIElement* parent = GetParent();
    return parent ? parent->GetContextObject() : nullptr;
}

void HvUIElement::OnMouseHover(POINT point)
{
    if (HvUIElement* parent = GetParent())
        parent->OnMouseHover(point);
}

RECT HvUIElement::GetRectDisplayed()
{
    RECT rect = GetRect();
    for (HvUIElement* ancestor = GetParent(); ancestor; ancestor = ancestor->GetParent()) {
        const RECT outer = ancestor->GetRect();
        if (!IntersectRect(&rect, &rect, &outer))
            return RECT{};
    }
    return rect;
}

void HvUIElement::Invalidate(bool erase, bool update)
{
    UIElementControlSeam* control = GetControl();
    HWND window = control ? control->GetGridWindow() : nullptr;
    if (!window || !IsWindow(window))
        return;
    const RECT rect = GetRectDisplayed();
    if (IsRectEmpty(&rect))
        return;
    InvalidateRect(window, &rect, erase);
    if (update)
        UpdateWindow(window);
}

// ---- liveness and context ----

UIElementControlSeam* HvUIElement::GetControl()
{
    return layout_ && layout_->IsLayoutActive() ? layout_->GetControl() : nullptr;
}

bool HvUIElement::IsAlive()
{
    try {
        if (!IsActive())
            return false;
        switch (type_) {
        case UIElementType::Grid:
            if (!layout_ || !layout_->IsLayoutActive() || !layout_->GetControl())
                return false;
            break;
        case UIElementType::RowColRegionIntersection: {
            CAutomationObject* rowRegion = ResolveRowScrollRegion();
            CAutomationObject* colRegion = ResolveColScrollRegion();
            if (!CAutomationObject::IsActive(rowRegion) || (colRegion && !CAutomationObject::IsActive(colRegion)))
                return false;
            break;
        }
        case UIElementType::Header:
            if (!CAutomationObject::IsActive(ResolveHeader()))
                return false;
            break;
        case UIElementType::Row:
            if (CAutomationObject* row = ResolveRow(); row && !CAutomationObject::IsActive(row))
                return false;
            break;
        case UIElementType::Cell:
            if (CAutomationObject* cell = ResolveCell(); cell && !CAutomationObject::IsActive(cell))
                return false;
            break;
        default:
            break;
        }
        HvUIElement* parent = GetParent();
        return !parent || parent->IsAlive();
    } catch (...) {
        return false;
    }
}

HvUIElement* HvUIElement::GetFirstAliveAncestor()
{
    for (HvUIElement* element = this; element; element = element->GetParent())
        if (element->IsAlive())
            return element;
    return nullptr;
}

HvUIElement* HvUIElement::ResolveUIElementOfType(ULONG type)
{
    for (HvUIElement* element = this; element; element = element->GetParent())
        if (element->type_ == type)
            return element;
    return nullptr;
}

CAutomationObject* HvUIElement::ResolveContext(CAutomationObject* (HvUIElement::*getter)())
{
    for (HvUIElement* element = this; element; element = element->GetParent())
        if (CAutomationObject* object = (element->*getter)())
            return object;
    return nullptr;
}

CAutomationObject* HvUIElement::ResolveRowScrollRegion() { return ResolveContext(&HvUIElement::GetRowScrollRegion); }
CAutomationObject* HvUIElement::ResolveColScrollRegion() { return ResolveContext(&HvUIElement::GetColScrollRegion); }
CAutomationObject* HvUIElement::ResolveRow() { return ResolveContext(&HvUIElement::GetRow); }
CAutomationObject* HvUIElement::ResolveHeader() { return ResolveContext(&HvUIElement::GetHeader); }
CAutomationObject* HvUIElement::ResolveCell() { return ResolveContext(&HvUIElement::GetCell); }
CAutomationObject* HvUIElement::ResolveBand() { return ResolveContext(&HvUIElement::GetBand); }

bool HvUIElement::ResolveWantsMouseHover()
{
    for (HvUIElement* element = this; element; element = element->GetParent())
        if (element->WantsMouseHover())
            return true;
    return false;
}

bool HvUIElement::IsDescendantOf(HvUIElement* other)
{
    for (HvUIElement* element = GetParent(); element; element = element->GetParent())
        if (element == other)
            return true;
    return false;
}

bool HvUIElement::IsEquivalentTo(HvUIElement* other)
{
    HvUIElement* a = this;
    HvUIElement* b = other;
    while (a && b) {
        if (a != b || a->GetParent() != b->GetParent() || a->GetRowScrollRegion() != b->GetRowScrollRegion() ||
            a->GetColScrollRegion() != b->GetColScrollRegion() || a->GetRow() != b->GetRow() ||
            a->GetHeader() != b->GetHeader() || a->GetCell() != b->GetCell() || a->GetBand() != b->GetBand())
            return false;
        a = a->GetParent();
        b = b->GetParent();
    }
    return a == b;
}

void HvUIElement::AddRefContextObjects()
{
    // Held twice, the objects of the first hold are let go first.
    ReleaseContextObjects();
    held_ = true;
    for (HvUIElement* element = this; element; element = element->GetParent())
        for (CAutomationObject* object : {element->GetRowScrollRegion(), element->GetColScrollRegion(),
                                          element->GetHeader(), element->GetCell(), element->GetBand(),
                                          element->GetRow()})
            if (object) {
                heldContext_.push_back(object);
                object->CUnknownObject::AddRef();
            }
}

void HvUIElement::ReleaseContextObjects()
{
    held_ = false;
    std::vector<CAutomationObject*> held;
    held.swap(heldContext_);
    for (CAutomationObject* object : held)
        object->CUnknownObject::Release();
}

// ---- hit-testing ----

HvUIElement* HvUIElement::ElementFromPoint(POINT point, ULONG type, bool fromConnector, bool skipPopups)
{
    if (type_ > type || !PointInElement(point))
        return nullptr;
    std::vector<HvUIElement*> children = ChildSnapshot();
    HvUIElement* found = nullptr;
    for (HvUIElement* child : children)
        if (!found && child->IsAlive())
            found = child->ElementFromPoint(point, type, fromConnector, skipPopups);
    ReleaseAll(children);
    if (found)
        return found;
    if (type_ != UIElementType::SiblingRowConnector)
        return this;
    if (fromConnector)
        return nullptr;
    if (type > UIElementType::SiblingRowConnector)
        if (HvUIElement* parent = GetParent()) {
            HvUIElement* below = parent->ElementFromPoint(point, type, true, skipPopups);
            if (below && below->type_ == UIElementType::ExpansionIndicator)
                return below;
        }
    return this;
}

HvUIElement* HvUIElement::AdjustableElementFromPoint(POINT point)
{
    if (!IsAlive())
        return nullptr;
    if (IsAdjustable() && PointInAdjustableArea(point))
        return this;
    RECT grown = GetRect();
    grown.right += 3;
    grown.bottom += 3;
    if (!PtInRect(&grown, point))
        return nullptr;
    std::vector<HvUIElement*> children = ChildSnapshot();
    HvUIElement* found = nullptr;
    for (HvUIElement* child : children)
        if (!found && child->IsAlive())
            found = child->AdjustableElementFromPoint(point);
    ReleaseAll(children);
    return found;
}

bool HvUIElement::ContextMatches(CAutomationObject* asked, CAutomationObject* actual) const
{
    return asked == MustBeNone ? actual == nullptr : asked == actual;
}

HvUIElement* HvUIElement::GetDescendant(const DescendantQuery& query)
{
    if (query.type < type_)
        return nullptr;
    struct Pair {
        CAutomationObject* asked;
        CAutomationObject* (HvUIElement::*own)();
        CAutomationObject* (HvUIElement::*resolved)();
    };
    const Pair pairs[] = {
        {query.rowScrollRegion, &HvUIElement::GetRowScrollRegion, &HvUIElement::ResolveRowScrollRegion},
        {query.colScrollRegion, &HvUIElement::GetColScrollRegion, &HvUIElement::ResolveColScrollRegion},
        {query.row, &HvUIElement::GetRow, &HvUIElement::ResolveRow},
        {query.header, &HvUIElement::GetHeader, &HvUIElement::ResolveHeader},
        {query.cell, &HvUIElement::GetCell, &HvUIElement::ResolveCell},
        {query.band, &HvUIElement::GetBand, &HvUIElement::ResolveBand},
    };
    for (const Pair& pair : pairs) {
        if (!pair.asked)
            continue;
        CAutomationObject* own = (this->*pair.own)();
        if (own && !ContextMatches(pair.asked, own))
            return nullptr;
    }
    if (query.type != type_) {
        // A part of the tree waiting to be placed again is placed first, as
        // a paint would.
        UIElementControlSeam* control = GetControl();
        if (childrenDirty_ && IsAlive() && !(control && control->IsPainting()))
            PositionChildElements();
        std::vector<HvUIElement*> children = ChildSnapshot();
        HvUIElement* found = nullptr;
        for (HvUIElement* child : children)
            if (!found)
                found = child->GetDescendant(query);
        ReleaseAll(children);
        return found;
    }
    for (const Pair& pair : pairs)
        if (pair.asked && !(this->*pair.own)() && !ContextMatches(pair.asked, (this->*pair.resolved)()))
            return nullptr;
    return this;
}

HvUIElement* HvUIElement::CellFromPoint(POINT point, CAutomationObject** cell)
{
    if (cell)
        *cell = nullptr;
    HvUIElement* element = ElementFromPoint(point, UIElementType::Cell, false, false);
    if (!element || element->type_ != UIElementType::Cell)
        return nullptr;
    if (cell)
        *cell = element->GetContextObject();
    return element;
}

HvUIElement* FindCommonAncestorUIElement(HvUIElement* a, HvUIElement* b)
{
    if (!a || !b)
        return nullptr;
    if (a->Type() == UIElementType::Grid)
        return a;
    while (b && b->Type() != UIElementType::Grid && !a->IsDescendantOf(b)) {
        if (b == a || b->IsDescendantOf(a))
            return a;
        if (a->Type() > b->Type()) {
            a = a->GetParent();
            if (!a)
                return b;
            if (a->Type() == UIElementType::Grid)
                return a;
        } else {
            b = b->GetParent();
        }
    }
    return b;
}
