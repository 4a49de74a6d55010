// HvGridUIElement: placing the three areas, the popups' hit-tests, the
// grid's appearance and cursor, and the road of one paint.
#include "HvGridUIElement.h"

#include "AppearanceData.h"
#include "BorderStyleWidth.h"
#include "DrawContext.h"
#include "GridElementSeam.h"
#include "HvAddNewBoxUIElement.h"
#include "HvCaptionAreaUIElement.h"
#include "HvDataAreaUIElement.h"
#include "HvUIElements.h"
#include "UIElementLayoutSeam.h"

#include <new>

namespace {

// Every appearance setting but MousePointer and MouseIcon.
constexpr std::uint32_t GridAppearanceMask = 0x7FFFF;
constexpr std::uint32_t CursorMask = AppearanceBit::MousePointer | AppearanceBit::MouseIcon;

bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

} // namespace

HvGridUIElement::HvGridUIElement(UIElementLayoutSeam* layout, GridElementLayoutSeam* grid, const RECT& rect)
    : HvUIElement(layout, rect, UIElementType::Grid), grid_(grid)
{
    const RECT empty = {};
    HvUIElement::Create(layout, this, empty, UIElementType::Edit, &edit_);
    HvUIElement::Create(layout, this, empty, UIElementType::DropDown, &dropDown_);
    UIElementControlSeam* control = layout ? layout->GetControl() : nullptr;
    if (control && control->IsCurrentLayout(layout) && grid_)
        designMode_ = grid_->IsDesignMode();
}

HvGridUIElement::~HvGridUIElement()
{
    // A client may still hold a popup: it must not reach back here.
    for (HvUIElement* popup : {edit_, dropDown_}) {
        if (!popup)
            continue;
        popup->Deactivate();
        popup->Release();
    }
}

HvGridUIElement* HvGridUIElement::Make(UIElementLayoutSeam* layout, GridElementLayoutSeam* grid, const RECT& rect)
{
    HvGridUIElement* element = new (std::nothrow) HvGridUIElement(layout, grid, rect);
    if (element && (!element->edit_ || !element->dropDown_)) {
        element->Release();
        return nullptr;
    }
    return element;
}

// ---- hit-tests ----

HvUIElement* HvGridUIElement::ElementFromPoint(POINT point, ULONG type, bool fromConnector, bool skipPopups)
{
    if (!skipPopups) {
        if (type >= UIElementType::Edit && edit_ && edit_->PointInElement(point))
            return edit_;
        if (type >= UIElementType::DropDown && dropDown_ && dropDown_->PointInElement(point))
            return dropDown_;
    }
    return HvUIElement::ElementFromPoint(point, type, fromConnector, false);
}

HvUIElement* HvGridUIElement::AdjustableElementFromPoint(POINT point)
{
    if ((edit_ && edit_->PointInElement(point)) || (dropDown_ && dropDown_->PointInElement(point)))
        return nullptr;
    return HvUIElement::AdjustableElementFromPoint(point);
}

HvUIElement* HvGridUIElement::GetDescendant(const DescendantQuery& query)
{
    if (query.type == UIElementType::Edit)
        return edit_;
    if (query.type == UIElementType::DropDown)
        return dropDown_;
    return HvUIElement::GetDescendant(query);
}

// ---- the three areas ----

void HvGridUIElement::SetRect(const RECT& rect, bool invalidate)
{
    HvUIElement::SetRect(rect, invalidate);
    HvUIElements* old = GetChildElementList(true);
    if (!old || !grid_)
        return;
    std::vector<HvUIElement*> fresh;

    RECT work = rect;
    const int border = BorderStyleWidth(grid_->ResolveBorderStyle());
    if (border > 0)
        InflateRect(&work, -border, -border);

    RECT caption = {};
    const long captionHeight = grid_->CaptionHeight();
    if (captionHeight > 0) {
        caption = RECT{work.left, work.top, work.right, work.top + captionHeight};
        work.top = caption.bottom;
    }
    RECT box = {};
    const bool boxShown = grid_->IsAddNewBoxVisible();
    if (boxShown) {
        // The data area keeps room for a horizontal scroll bar at least.
        LONG top = work.bottom - grid_->AddNewBoxExtent();
        const LONG lowest = work.top + GetSystemMetrics(SM_CYHSCROLL);
        if (top < lowest)
            top = lowest;
        if (top > work.bottom)
            top = work.bottom;
        box = RECT{work.left, top, work.right, work.bottom};
        work.bottom = top;
    }
    if (captionHeight > 0)
        PlaceChild(old, UIElementType::CaptionArea, caption, fresh);
    PlaceChild(old, UIElementType::DataArea, work, fresh);
    if (boxShown)
        PlaceChild(old, UIElementType::AddNewBox, box, fresh);
    ReplaceChildren(fresh);
}

void HvGridUIElement::PlaceChild(HvUIElements* old, ULONG type, const RECT& rect, std::vector<HvUIElement*>& fresh)
{
    RECT overlap;
    const RECT own = StoredRect();
    if (!IntersectRect(&overlap, &rect, &own))
        return;
    HvUIElement* child = TakeChildOfType(old, type, false);
    if (!child) {
        switch (type) {
        case UIElementType::CaptionArea:
            child = HvCaptionAreaUIElement::Make(GetLayout(), this, grid_, rect);
            break;
        case UIElementType::DataArea:
            child = HvDataAreaUIElement::Make(GetLayout(), this, rect);
            break;
        default:
            child = HvAddNewBoxUIElement::Make(GetLayout(), this, rect);
            break;
        }
    }
    if (!child)
        return; // left out until the next SetRect
    child->SetRect(rect, false);
    fresh.push_back(child);
}

// ---- appearance and cursor ----

long HvGridUIElement::GetBorderStyle()
{
    return grid_ ? grid_->ResolveBorderStyle() : 1;
}

void HvGridUIElement::InitAppearance(AppearanceData& own, const AppearanceData&)
{
    if (grid_)
        grid_->ResolveGridAppearance(own, GridAppearanceMask);
}

HCURSOR HvGridUIElement::GetCursor()
{
    if (!grid_)
        return nullptr;
    AppearanceData data;
    grid_->ResolveGridAppearance(data, CursorMask);
    return data.GetCursor();
}

HCURSOR HvGridUIElement::CursorAt(POINT point)
{
    if (grid_ && grid_->IsBusy())
        return LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)); // IDC_WAIT
    HvUIElement* element = AdjustableElementFromPoint(point);
    const bool adjust = element != nullptr;
    if (!element && !designMode_)
        element = ElementFromPoint(point, UIElementType::Any, false, false);

    // The client's draw filter may choose the cursor first.
    UIElementLayoutSeam* layout = GetLayout();
    UIElementControlSeam* control = GetControl();
    IHvTVDrawFilter* filter = layout ? layout->GetDrawFilter() : nullptr;
    if (element && !designMode_ && filter && control && control->CanFireEvents()) {
        OLE_HANDLE chosen = 0;
        if (SUCCEEDED(filter->BeforeSetCursor(element, adjust ? VARIANT_TRUE : VARIANT_FALSE, &chosen)) && chosen)
            return reinterpret_cast<HCURSOR>(static_cast<UINT_PTR>(chosen));
    }
    if (!element || !element->IsAlive())
        return nullptr;
    if (adjust)
        return element->GetAdjustCursor();
    return designMode_ ? nullptr : element->GetCursorAt(point);
}

// ---- the road of one paint ----

void HvGridUIElement::Paint(HDC dc, const RECT& bounds, const RECT& invalid)
{
    bool resized = false;
    const bool relayout = grid_ && grid_->TakeRelayoutRequest();
    if (relayout || !SameRect(bounds, StoredRect())) {
        SetRect(bounds, false);
        resized = true;
    }
    if (ChildrenDirty())
        PositionChildElements();
    if (grid_)
        grid_->UpdateScrollBars();

    {
        const DWORD mode = grid_ && grid_->AlphaBlendEnabled() ? DrawMode::OffScreen | DrawMode::AlphaLayers
                                                                : DrawMode::OffScreen;
        CDrawContext context(dc, invalid.left, invalid.top, invalid.right, invalid.bottom, mode);
        AppearanceData unset;
        DrawElementAndChildren(context, StoredRect(), unset);
        context.Flush();
    }

    if (firstPaintPending_) {
        firstPaintPending_ = false;
        treeChanged_ = false;
    } else if (treeChanged_) {
        UIElementLayoutSeam* layout = GetLayout();
        UIElementControlSeam* control = GetControl();
        HWND window = control ? control->GetGridWindow() : nullptr;
        if (control && control->IsCurrentLayout(layout) && window && IsWindow(window)) {
            PostMessageW(window, WM_HV_ELEMENTS_REPOSITIONED, 0, 0);
            treeChanged_ = false;
        }
    }

    if (resized && grid_) {
        UIElementLayoutSeam* layout = GetLayout();
        HWND edit = layout ? layout->GetEditWindow() : nullptr;
        if (edit && IsWindow(edit) && IsWindowVisible(edit))
            grid_->RepositionActiveEditWindow();
    }
}
